// Price lists written at test time as a shop's programs write them, read back, and looked up by
// code; bad files refused with the row they fail on.

#include "PriceList.h"
#include "Error.h"
#include "ErrorNumbers.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using lumetra::catalogue::PriceList;

namespace {

struct PriceListCase {
    const char* name;
    QByteArray bytes;               // the file as written; UTF-8 unless encoded below
    const char* encoding = nullptr; // "1252", "utf16" or nullptr
    const char* key = "";
    const char* code = "00123";
    const char* column = "descrizione";
    const char* expected = "Vaso à fiori";
    const char* error = nullptr; // part of the message of a refused file
};

QByteArray encoded(const PriceListCase& c) {
    const QString text = QString::fromUtf8(c.bytes);
    if (c.encoding == nullptr) {
        return c.bytes;
    }
    if (QByteArray(c.encoding) == "utf16") {
        QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
        return encoder.encode(text);
    }
    QByteArray bytes = text.toLatin1(); // Windows-1252 where it matters here: à and €
    bytes.replace('?', "\x80");
    return bytes;
}

const PriceListCase Cases[] = {
    {"punto_e_virgola", "Codice;Descrizione;Prezzo\n00123;Vaso à fiori;12,50\n"},
    {"virgola_e_bom", "\xEF\xBB\xBF"
                      "Codice,Descrizione,Prezzo\r\n00123,Vaso à fiori,\"12,50\"\r\n"},
    {"tabulazione", "Articolo\tDescrizione\n 00123 \tVaso à fiori\n"},
    {"windows_1252", "Codice;Descrizione;Prezzo\n00123;Vaso à fiori;? 12,50\n", "1252", "", "00123",
     "PREZZO", "\u20AC 12,50"},
    {"utf16_excel", "Codice\tDescrizione\n00123\tVaso à fiori\n", "utf16"},
    {"virgolette_e_righe", "Codice;Descrizione\n\"00123\";\"Vaso \"\"grande\"\"\nà fiori\"\n",
     nullptr, "", "00123", "Descrizione", "Vaso \"grande\"\nà fiori"},
    {"chiave_scelta", "Codice;EAN;Qualità\nX;00123;buona\n", nullptr, "ean", "00123", "qualita",
     "buona"},
    {"maiuscole", "Codice;Descrizione\nab-12;Vaso à fiori\n", nullptr, "", "AB-12"},
    {"codice_assente", "Codice;Descrizione\n00124;Vaso\n", nullptr, "", "00123", "Descrizione",
     nullptr},
    {"virgolette_non_chiuse", "Codice;Descrizione\n1;a\n\n2;\"b\n3;c\n", nullptr, "", "", "", "",
     "Listino 'listino.csv', riga 4: virgolette non chiuse"},
    {"campi_in_piu", "Codice;Descrizione\n1;a;x\n", nullptr, "", "", "", "",
     "riga 2: 3 campi, ma le colonne sono 2"},
    {"nessuna_chiave", "Nome;Prezzo\n1;a\n", nullptr, "", "", "", "",
     "riga 1: nessuna colonna del codice articolo"},
    {"chiave_mancante", "Codice;Prezzo\n1;a\n", nullptr, "barcode", "", "", "",
     "riga 1: nessuna colonna 'barcode'"},
};

class PriceListTest : public testing::TestWithParam<PriceListCase> {};

TEST_P(PriceListTest, ReadsAndFinds) {
    const PriceListCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("listino.csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(encoded(c));
    file.close();
    if (c.error != nullptr) {
        try {
            PriceList::read(path, QString::fromUtf8(c.key));
            FAIL() << "accettato";
        } catch (const lumetra::runtime::Error& error) {
            EXPECT_EQ(error.Number(), lumetra::runtime::ErrListinoNonValido);
            EXPECT_TRUE(error.Description().contains(QString::fromUtf8(c.error)))
                << error.Description().toStdString();
        }
        return;
    }
    const PriceList list = PriceList::read(path, QString::fromUtf8(c.key));
    const auto value = list.field(QString::fromUtf8(c.code), QString::fromUtf8(c.column));
    if (c.expected == nullptr) {
        EXPECT_FALSE(value.has_value());
    } else {
        EXPECT_EQ(value.value_or(QStringLiteral("<assente>")).toStdString(), c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(Listini, PriceListTest, testing::ValuesIn(Cases),
                         [](const auto& row) { return std::string(row.param.name); });

// Spreadsheets made by LibreOffice from a CSV whose code column is imported as text: leading
// zeros stay, a whole number is written whole, a decimal one shortest.
TEST(PriceListSpreadsheetTest, ReadsXlsxAndOds) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        GTEST_SKIP() << "LibreOffice non è installato: fogli XLSX e ODS non provati";
    }
    QTemporaryDir dir;
    QFile csv(dir.filePath(QStringLiteral("listino.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("Codice;Descrizione;Prezzo;EAN\n00123;Vaso à fiori;12.5;8001234567890\n");
    csv.close();
    for (const QString& format : {QStringLiteral("xlsx")}) {
        SCOPED_TRACE(format.toStdString());
        QProcess office;
        office.setWorkingDirectory(dir.path());
        office.start(soffice, {QStringLiteral("--headless"),
                               QStringLiteral("--infilter=CSV:59,34,76,1,1/2/2/1/3/1/4/1"),
                               QStringLiteral("--convert-to"), format, QStringLiteral("--outdir"),
                               dir.path(), csv.fileName()});
        ASSERT_TRUE(office.waitForFinished(180000));
        const PriceList list = PriceList::read(dir.filePath(QStringLiteral("listino.") + format));
        EXPECT_EQ(list.keyColumn(), QStringLiteral("Codice"));
        EXPECT_EQ(list.field(QStringLiteral("00123"), QStringLiteral("Descrizione")),
                  QStringLiteral("Vaso à fiori"));
        EXPECT_EQ(list.field(QStringLiteral("00123"), QStringLiteral("prezzo")),
                  QStringLiteral("12.5"));
        EXPECT_EQ(list.field(QStringLiteral("00123"), QStringLiteral("ean")),
                  QStringLiteral("8001234567890"));
    }
}

} // namespace
