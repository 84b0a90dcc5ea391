// Caption models over a price list: the default gives the code alone, fields come from the row
// found by the code (case and accents aside in their names), prices in the Italian way whatever
// mark the list used, a \n breaks the line, a field the list lacks is refused.

#include "CaptionTemplate.h"

#include <gtest/gtest.h>

using lumetra::catalogue::CaptionTemplate;
using lumetra::catalogue::PriceList;
using lumetra::catalogue::Table;

namespace {

struct TemplateCase {
    const char* model;
    const char* price;    // the row's Prezzo cell
    const char* expected; // the caption of code 00123, or part of the error
    int lines = 1;
    bool withList = true;
};

const TemplateCase Cases[] = {
    {"{codice}", "12,5", "00123"},
    {"{codice}", "", "00123", 1, false},
    {"Art. {Codice} - {DESCRIZIONE}", "", "Art. 00123 - Vaso à fiori"},
    {"{descrizione}\\n{prezzo}", "12,5", "Vaso à fiori\n€ 12,50", 2},
    {"{Qualità}{prezzo}", "1.234,00", "buona€ 1.234,00"},
    {"{qualita} {prezzo}", "12.50", "buona € 12,50"},
    {"{prezzo}", "1,234.5", "€ 1.234,50"},
    {"{prezzo}", "€ 3", "€ 3,00"},
    {"{prezzo}", "1.234", "€ 1.234,00"},
    {"{prezzo}", "su richiesta", "su richiesta"},
    {"{prezzo}", "-2,5", "€ -2,50"},
    {"{colore}", "", "il campo {colore} non è una colonna del listino"},
    {"{descrizione}", "", "il campo {descrizione} richiede un listino", 1, false},
    {"{codice", "", "una parentesi graffa non è chiusa"},
};

class CaptionTemplateTest : public testing::TestWithParam<TemplateCase> {};

TEST_P(CaptionTemplateTest, WritesTheCaption) {
    const TemplateCase& c = GetParam();
    Table table;
    table.columns = {QStringLiteral("Codice"), QStringLiteral("Descrizione"),
                     QStringLiteral("Prezzo"), QStringLiteral("Qualità")};
    table.rows.push_back({2,
                          {QStringLiteral("00123"), QStringLiteral("Vaso à fiori"),
                           QString::fromUtf8(c.price), QStringLiteral("buona")}});
    const PriceList list(table, QStringLiteral("listino.csv"), {});
    QString error;
    const auto model =
        CaptionTemplate::compile(QString::fromUtf8(c.model), c.withList ? &list : nullptr, &error);
    if (!model) {
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.expected))) << error.toStdString();
        return;
    }
    const QString code = QStringLiteral("00123");
    EXPECT_EQ(model->text(code, c.withList ? list.find(code) : nullptr).toStdString(), c.expected);
    EXPECT_EQ(model->lineCount(), c.lines);
    // A code the list lacks keeps the literal text and the code, and loses the fields.
    EXPECT_FALSE(model->text(QStringLiteral("X"), nullptr).contains(QStringLiteral("Vaso")));
}

INSTANTIATE_TEST_SUITE_P(Modelli, CaptionTemplateTest, testing::ValuesIn(Cases));

} // namespace
