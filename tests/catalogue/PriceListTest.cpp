// Price lists written at test time as a shop's programs write them, read back, and looked up by
// code; bad files refused with the row they fail on.

#include "PriceList.h"
#include "Error.h"
#include "ErrorNumbers.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <utility>

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
    const char* file = "listino.csv";
};

// A zip whose one part claims to unpack to 2 GB: local header, directory entry, end record.
QByteArray zipClaiming2GB() {
    return "PK\x03\x04" + QByteArray(26, 0) + "PK\x01\x02" + QByteArray(20, 0) +
           QByteArray::fromHex("ffffff7f") + QByteArray(18, 0) + "PK\x05\x06" + QByteArray(12, 0) +
           QByteArray::fromHex("1e000000") + QByteArray(2, 0);
}

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
    {"xlsx_casuale", "\x13\x37\xfe garbage;", nullptr, "", "", "", "",
     "non è un foglio XLSX né ODS", "listino.xlsx"},
    {"zip_che_si_espande", zipClaiming2GB(), nullptr, "", "", "", "", "si espande oltre 512 MB"},
};

class PriceListTest : public testing::TestWithParam<PriceListCase> {};

TEST_P(PriceListTest, ReadsAndFinds) {
    const PriceListCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromUtf8(c.file));
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

// source converted by LibreOffice to format, in source's folder (a CSV's code column taken as
// text); the new file's path.
QString convert(const QString& soffice, const QString& source, const QString& format) {
    const QFileInfo info(source);
    QStringList arguments{QStringLiteral("--headless"),
                          QStringLiteral("--convert-to"),
                          format,
                          QStringLiteral("--outdir"),
                          info.path(),
                          source};
    if (info.suffix() == QStringLiteral("csv")) {
        arguments << QStringLiteral("--infilter=CSV:59,34,76,1,1/2/2/1/3/1/4/1");
    }
    QProcess office;
    office.start(soffice, arguments);
    office.waitForFinished(180000);
    return info.path() + QStringLiteral("/") + info.completeBaseName() + QStringLiteral(".") +
           format;
}

void expectDamaged(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    try {
        PriceList::read(path);
        ADD_FAILURE() << "accettato";
    } catch (const lumetra::runtime::Error& error) {
        EXPECT_TRUE(error.Description().contains(QStringLiteral("danneggiato")))
            << error.Description().toStdString();
    }
}

// Spreadsheets made by LibreOffice from a CSV whose code column is imported as text: leading
// zeros stay, a whole number is written whole, a decimal one shortest, a cell's lines joined;
// the million empty rows ending an ODS sheet left out. Cut in half, or with the sheet's part
// overwritten, each is refused.
TEST(PriceListSpreadsheetTest, ReadsXlsxAndOds) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        GTEST_SKIP() << "LibreOffice non è installato: fogli XLSX e ODS non provati";
    }
    QTemporaryDir dir;
    QFile csv(dir.filePath(QStringLiteral("listino.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("Codice;Descrizione;Prezzo;EAN\n00123;Vaso à fiori;12.5;8001234567890\n"
              "00124;\"Riga uno\nriga due\";7;\n");
    csv.close();
    for (const auto& [format, part] :
         {std::pair{"xlsx", "xl/worksheets/sheet1.xml"}, std::pair{"ods", "content.xml"}}) {
        SCOPED_TRACE(format);
        const QString path = convert(soffice, csv.fileName(), QString::fromUtf8(format));
        const PriceList list = PriceList::read(path);
        EXPECT_EQ(list.rowCount(), 2);
        EXPECT_EQ(list.keyColumn(), QStringLiteral("Codice"));
        EXPECT_EQ(list.field(QStringLiteral("00123"), QStringLiteral("Descrizione")),
                  QStringLiteral("Vaso à fiori"));
        EXPECT_EQ(list.field(QStringLiteral("00123"), QStringLiteral("prezzo")),
                  QStringLiteral("12.5"));
        EXPECT_EQ(list.field(QStringLiteral("00123"), QStringLiteral("ean")),
                  QStringLiteral("8001234567890"));
        EXPECT_EQ(list.field(QStringLiteral("00124"), QStringLiteral("descrizione")),
                  QStringLiteral("Riga uno\nriga due"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        expectDamaged(dir.filePath(QStringLiteral("meta.") + format), bytes.left(bytes.size() / 2));
        QByteArray overwritten = bytes;
        overwritten.replace(bytes.indexOf(part) + 40, 64, QByteArray(64, '\x5a'));
        expectDamaged(dir.filePath(QStringLiteral("rotto.") + format), overwritten);
    }
}

// What liborcus 0.17 leaves out of ODS cells, as LibreOffice saves them: a currency price, a
// formula's text, doubled spaces, the cells right of merged ones.
TEST(PriceListSpreadsheetTest, ReadsOdsCellsInFull) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        GTEST_SKIP() << "LibreOffice non è installato: fogli ODS non provati";
    }
    QTemporaryDir dir;
    QFile flat(dir.filePath(QStringLiteral("ricco.fods")));
    ASSERT_TRUE(flat.open(QIODevice::WriteOnly));
    flat.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.2"
 office:mimetype="application/vnd.oasis.opendocument.spreadsheet"><office:body><office:spreadsheet>
<table:table table:name="Listino"><table:table-row>
<table:table-cell office:value-type="string"><text:p>Codice</text:p></table:table-cell>
<table:table-cell office:value-type="string"><text:p>Descrizione</text:p></table:table-cell>
<table:table-cell/><table:table-cell office:value-type="string"><text:p>Prezzo</text:p></table:table-cell>
<table:table-cell office:value-type="string"><text:p>Sigla</text:p></table:table-cell></table:table-row>
<table:table-row><table:table-cell office:value-type="string"><text:p>A1</text:p></table:table-cell>
<table:table-cell table:number-columns-spanned="2" office:value-type="string"><text:p>Più  spazi</text:p></table:table-cell>
<table:covered-table-cell/><table:table-cell office:value-type="currency" office:currency="EUR"
 office:value="12.5"><text:p>12,50 €</text:p></table:table-cell><table:table-cell
 table:formula="of:=[.A2]&amp;&quot;-x&quot;" office:value-type="string"><text:p>A1-x</text:p>
</table:table-cell></table:table-row></table:table></office:spreadsheet></office:body></office:document>)");
    flat.close();
    const PriceList list =
        PriceList::read(convert(soffice, flat.fileName(), QStringLiteral("ods")));
    const QStringList* row = list.find(QStringLiteral("A1"));
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->join(u'|').toStdString(), "A1|Più  spazi||12.5|A1-x");
}

} // namespace
