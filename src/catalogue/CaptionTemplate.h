#pragma once
// A caption's text model: "{codice}" stands for the article code, "{Colonna}" for that column of
// the price list (case and accents aside), the two characters \n for a line break; the rest is
// written as it stands. A price column's cell is written the Italian way ("€ 12,50").

#include "PriceList.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace lumetra::catalogue {

inline constexpr char DefaultCaptionTemplate[] = "{codice}";

// The lines a model's captions take: one, and one more for each \n in it.
int captionLineCount(const QString& model);

class CaptionTemplate {
public:
    // The model checked against the price list's columns (none: only {codice} is known), or
    // nothing with `error` set to the Italian reason (a field that names no column, a brace not
    // closed).
    static std::optional<CaptionTemplate> compile(const QString& model, const PriceList* prices,
                                                  QString* error);

    // The caption of `code`: `row` is its price list row, null when it has none (its fields
    // then come out empty).
    QString text(const QString& code, const QStringList* row) const;
    int lineCount() const { return lines_; }
    // Whether it shows anything from the price list.
    bool usesPriceList() const;

private:
    struct Part {
        QString literal;    // written as it stands when column is -2
        int column = -2;    // -1: the article code; >= 0: that column
        bool price = false; // the column holds prices
    };
    std::vector<Part> parts_;
    int lines_ = 1;
};

} // namespace lumetra::catalogue
