// Barcodes as a label carries them: each row drawn into a 40 x 15 mm box of a grey page at 300 dpi
// and read back by zxing-cpp, which must find the same text in the same symbology; codes neither
// symbology can carry are refused with their Italian reason. The quiet zones must stay white.

#include "Barcode.h"

#include <QImage>
#include <QPainter>

#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

using namespace lumetra::barcodes;

namespace {

constexpr double kDotsPerMm = 300 / 25.4;
const QRectF kBox(10 * kDotsPerMm, 5 * kDotsPerMm, 40 * kDotsPerMm, 15 * kDotsPerMm);

struct Row {
    BarcodeKind kind;
    QString text;
    QString read;  // what the decoder must read, empty when refused
    QString error; // the start of the refusal's message
};

QImage rendered(const Barcode& barcode) {
    QImage page(int(60 * kDotsPerMm), int(25 * kDotsPerMm), QImage::Format_Grayscale8);
    page.fill(QColor(128, 128, 128));
    QPainter painter(&page);
    barcode.draw(painter, kBox);
    return page;
}

class BarcodeRows : public testing::TestWithParam<Row> {};

TEST_P(BarcodeRows, ReadsBackOrIsRefused) {
    const Row& row = GetParam();
    QString error;
    const std::optional<Barcode> barcode = Barcode::make(row.kind, row.text, &error);
    if (row.read.isEmpty()) {
        ASSERT_FALSE(barcode);
        EXPECT_TRUE(error.startsWith(row.error)) << error.toStdString();
        return;
    }
    ASSERT_TRUE(barcode) << error.toStdString();
    const QImage page = rendered(*barcode);
    const ZXing::ImageView view(page.constBits(), page.width(), page.height(),
                                ZXing::ImageFormat::Lum, int(page.bytesPerLine()));
    const ZXing::Result result = ZXing::ReadBarcode(view);
    ASSERT_TRUE(result.isValid()) << row.text.toStdString();
    QString humanReadable;
    for (const SymbolText& text : barcode->vectors().texts)
        humanReadable += text.text;
    EXPECT_EQ(humanReadable, row.read);
    EXPECT_EQ(QString::fromStdString(result.text()), row.read);
    EXPECT_EQ(result.format(), row.kind == BarcodeKind::Ean13 ? ZXing::BarcodeFormat::EAN13
                                                              : ZXing::BarcodeFormat::Code128);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, BarcodeRows,
    testing::Values(
        Row{BarcodeKind::Code128, "AB-123/45", "AB-123/45", {}},
        Row{BarcodeKind::Code128, "0012345678", "0012345678", {}},
        Row{BarcodeKind::Code128, "CAFFÈ-01", "CAFFÈ-01", {}},
        Row{BarcodeKind::Code128, "TAZZA-€", {}, "il codice 'TAZZA-€' contiene il carattere '€'"},
        Row{BarcodeKind::Code128, "", {}, "codice vuoto"},
        Row{BarcodeKind::Ean13, "800123456789", "8001234567897", {}},
        Row{BarcodeKind::Ean13, "4006381333931", "4006381333931", {}},
        Row{BarcodeKind::Ean13,
            "4006381333932",
            {},
            "codice EAN-13 '4006381333932' con cifra di controllo errata: attesa 1"},
        Row{BarcodeKind::Ean13, "40063813339", {}, "codice EAN-13 '40063813339' non valido"},
        Row{BarcodeKind::Ean13, "40063813339A1", {}, "codice EAN-13 '40063813339A1' non valido"}));

// The quiet zones left and right of the bars: white however the page around is coloured.
TEST(BarcodeQuietZones, StayWhite) {
    for (BarcodeKind kind : {BarcodeKind::Code128, BarcodeKind::Ean13}) {
        QString error;
        const std::optional<Barcode> barcode = Barcode::make(kind, "800123456789", &error);
        ASSERT_TRUE(barcode) << error.toStdString();
        const SymbolVectors& symbol = barcode->vectors();
        double left = symbol.size.width(), right = 0;
        for (const QRectF& bar : symbol.bars) {
            left = std::min(left, bar.left());
            right = std::max(right, bar.right());
        }
        EXPECT_GE(left, 7); // both symbologies ask for at least 7 modules each side
        EXPECT_GE(symbol.size.width() - right, 7);
        const QImage page = rendered(*barcode);
        const double scale = kBox.width() / symbol.size.width();
        const int y = int(kBox.top() + 5 * scale);
        for (int x = int(kBox.left()) + 1; x < int(kBox.left() + left * scale) - 1; ++x)
            ASSERT_EQ(qGray(page.pixel(x, y)), 255) << "x " << x;
        for (int x = int(kBox.left() + right * scale) + 2; x < int(kBox.right()) - 1; ++x)
            ASSERT_EQ(qGray(page.pixel(x, y)), 255) << "x " << x;
    }
}

} // namespace
