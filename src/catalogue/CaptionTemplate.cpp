#include "CaptionTemplate.h"

#include "ColumnNames.h"
#include "PriceText.h"

namespace lumetra::catalogue {
namespace {

constexpr int Literal = -2;
constexpr int Code = -1;

const QString LineBreak = QStringLiteral("\\n");

} // namespace

int captionLineCount(const QString& model) {
    return static_cast<int>(model.count(LineBreak)) + 1;
}

std::optional<CaptionTemplate> CaptionTemplate::compile(const QString& model,
                                                        const PriceList* prices, QString* error) {
    CaptionTemplate compiled;
    compiled.lines_ = captionLineCount(model);
    QString literal;
    const auto flush = [&] {
        if (!literal.isEmpty()) {
            compiled.parts_.push_back({literal});
            literal.clear();
        }
    };
    for (qsizetype i = 0; i < model.size(); ++i) {
        if (QStringView(model).mid(i, 2) == LineBreak) {
            literal += QLatin1Char('\n');
            ++i;
            continue;
        }
        if (model[i] != QLatin1Char('{')) {
            literal += model[i];
            continue;
        }
        const qsizetype end = model.indexOf(QLatin1Char('}'), i);
        if (end < 0) {
            *error =
                QStringLiteral("nel modello '%1' una parentesi graffa non è chiusa").arg(model);
            return std::nullopt;
        }
        const QString field = model.mid(i + 1, end - i - 1);
        flush();
        if (foldedName(field) == QLatin1String("codice")) {
            compiled.parts_.push_back({{}, Code});
        } else if (const int column = prices ? prices->columnIndex(field) : -1; column >= 0) {
            compiled.parts_.push_back({{}, column, looksLikePriceColumn(field)});
        } else {
            *error = prices ? QStringLiteral("il campo {%1} non è una colonna del listino "
                                             "(colonne: %2)")
                                  .arg(field, prices->columns().join(QStringLiteral(", ")))
                            : QStringLiteral("il campo {%1} richiede un listino").arg(field);
            return std::nullopt;
        }
        i = end;
    }
    flush();
    return compiled;
}

QString CaptionTemplate::text(const QString& code, const QStringList* row) const {
    QString out;
    for (const Part& part : parts_) {
        if (part.column == Literal) {
            out += part.literal;
        } else if (part.column == Code) {
            out += code;
        } else if (row != nullptr && part.column < row->size()) {
            const QString& cell = row->at(part.column);
            out += part.price ? italianPrice(cell) : cell;
        }
    }
    return out;
}

bool CaptionTemplate::usesPriceList() const {
    for (const Part& part : parts_) {
        if (part.column >= 0) {
            return true;
        }
    }
    return false;
}

} // namespace lumetra::catalogue
