// Caption text: best fit from real font metrics, Overflowing, and the caption loops that narrow
// a box to its text.

#include "EngineTestSupport.h"

#include "EngineShape.h"
#include "TextBox.h"
#include "TextFit.h"

#include <QFontInfo>
#include <QFontMetricsF>

#include <gtest/gtest.h>

using namespace lumetra::engine;
using namespace lumetra::engine::test;

namespace {

// Width and height of one line of `text` at `size` points, measured independently of the engine.
QSizeF lineSize(const QString& text, const TextStyle& style, double size) {
    QFont font(style.family);
    font.setPixelSize(1000);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF metrics(font);
    return QSizeF(metrics.horizontalAdvance(text) * size / 1000,
                  (metrics.ascent() + metrics.descent()) * size / 1000);
}

const double CaptionHeight = 0.7 / 2.54 * 72; // "0,7 cm"

} // namespace

TEST(TextFit, BestFitIsTheLargestSizeThatFitsInsideTheMargins) {
    TextBox box(QSizeF(200, CaptionHeight));
    box.setAutoFit(Publisher::pbTextAutoFitBestFit);
    box.setText(QStringLiteral("ABC123"));
    const double size = box.fontSize();
    const QSizeF inner(200 - 2 * TextMargin, CaptionHeight - 2 * TextMargin);
    EXPECT_FALSE(box.overflowing());
    // A short code in a wide box: the height decides.
    const QSizeF at = lineSize(QStringLiteral("ABC123"), box.style(), size);
    const QSizeF above = lineSize(QStringLiteral("ABC123"), box.style(), size + 0.1);
    EXPECT_LE(at.height(), inner.height() + 0.05);
    EXPECT_GT(above.height(), inner.height() - 0.05);
    EXPECT_GT(size, 10.0);

    // A long code in a narrow box: the width decides.
    box.setBoxSize(QSizeF(40, CaptionHeight)); // width alone keeps the size...
    EXPECT_EQ(box.fontSize(), size);
    EXPECT_TRUE(box.overflowing());
    box.setText(QStringLiteral("CODICE-LUNGO-12345")); // ...new text is laid out again
    EXPECT_FALSE(box.overflowing());
    const double narrow = box.fontSize();
    EXPECT_LT(narrow, size);
    EXPECT_LE(lineSize(QStringLiteral("CODICE-LUNGO-12345"), box.style(), narrow).width(),
              40 - 2 * TextMargin + 0.05);
    EXPECT_GT(lineSize(QStringLiteral("CODICE-LUNGO-12345"), box.style(), narrow + 0.1).width(),
              40 - 2 * TextMargin - 0.05);
}

TEST(TextFit, FontChangesRefitAndNoneKeepsTheSize) {
    TextBox box(QSizeF(120, 40));
    box.setAutoFit(Publisher::pbTextAutoFitBestFit);
    box.setText(QStringLiteral("WWWWWWWW"));
    const double regular = box.fontSize();
    box.setBold(true);
    EXPECT_LT(box.fontSize(), regular); // bold is wider
    box.setAutoFit(Publisher::pbTextAutoFitNone);
    const double kept = box.fontSize();
    box.setText(QStringLiteral("W"));
    box.setBoxSize(QSizeF(120, 200));
    EXPECT_EQ(box.fontSize(), kept);
    box.setAutoFit(Publisher::pbTextAutoFitBestFit);
    EXPECT_GT(box.fontSize(), kept);

    // General text wraps into several lines when that allows a larger size.
    TextBox para(QSizeF(100, 100));
    para.setAutoFit(Publisher::pbTextAutoFitBestFit);
    para.setText(QStringLiteral("uno due tre quattro cinque sei"));
    EXPECT_FALSE(para.overflowing());
    const auto lines = para.measured().lines(para.fontSize(), para.innerSize().width());
    EXPECT_GT(lines.size(), 1u);
    for (const auto& line : lines) {
        EXPECT_LE(line.width, para.innerSize().width() + 0.05);
    }
}

TEST(TextFit, MissingFontsFallBackAndStillMeasure) {
    const QFontInfo times(referenceFont(TextStyle{QStringLiteral("Times New Roman")}));
    EXPECT_FALSE(times.family().isEmpty());
    TextBox box(QSizeF(150, CaptionHeight));
    box.setAutoFit(Publisher::pbTextAutoFitBestFit);
    box.setFamily(QStringLiteral("Carattere Che Non Esiste"));
    box.setText(QStringLiteral("XYZ"));
    EXPECT_GT(box.fontSize(), 5.0);
    EXPECT_FALSE(box.overflowing());
    box.setFamily(QString()); // no choice: the font stays
    EXPECT_EQ(box.style().family, QStringLiteral("Carattere Che Non Esiste"));
}

// The internal caption "Sinistra": full-width box, best fit, narrowed to its text one point at a
// time while Overflowing, then best fit again.
TEST(TextFit, CaptionLoopNarrowsTheBoxToItsText) {
    EngineFixture f;
    auto shapes = f.document->Pages()->Item(1)->Shapes();
    const double pictureLeft = 50, pictureWidth = 200;
    auto box = shapes->AddTextbox(1, pictureLeft, 50, pictureWidth, "0,7 cm");
    auto frame = box->TextFrame();
    frame->SetAutoFitText(2);
    box->SetHeight(box->Height());
    frame->TextRange()->SetText("ABC123");
    frame->TextRange()->ParagraphFormat()->SetAlignment(0);
    auto* engineBox = dynamic_cast<EngineShape*>(box.get());
    ASSERT_NE(engineBox, nullptr);
    const double fitted = engineBox->text().fontSize();
    ASSERT_FALSE(frame->Overflowing());

    box->SetWidth(1);
    box->Fill()->ForeColor()->SetRGB(0xFFFFFF);
    frame->SetAutoFitText(0);
    box->SetHeight(box->Height());
    int steps = 0;
    do {
        box->SetWidth(box->Width().Number() + 1);
        ++steps;
    } while (frame->Overflowing() && steps < 1000);
    frame->SetAutoFitText(2);

    const double width = box->Width().Number();
    const double text = lineSize("ABC123", engineBox->text().style(), fitted).width();
    EXPECT_GE(width, text + 2 * TextMargin - 1e-6);
    EXPECT_LT(width, text + 2 * TextMargin + 1.0 + 1e-6);
    EXPECT_LT(width, pictureWidth / 2);
    EXPECT_NEAR(engineBox->text().fontSize(), fitted, 0.2);
    EXPECT_FALSE(frame->Overflowing());
    EXPECT_EQ(box->Fill()->ForeColor()->RGB(), 0xFFFFFF);

    // "Destra": the right edge stays where it is.
    auto right = shapes->AddTextbox(1, pictureLeft, 50, pictureWidth, "0,7 cm");
    right->TextFrame()->SetAutoFitText(2);
    right->TextFrame()->TextRange()->SetText("ABC123");
    right->SetLeft(right->Left().Number() + right->Width().Number());
    right->SetWidth(1);
    right->TextFrame()->SetAutoFitText(0);
    do {
        right->SetLeft(right->Left().Number() - 1);
        right->SetWidth(right->Width().Number() + 1);
    } while (right->TextFrame()->Overflowing());
    EXPECT_DOUBLE_EQ(right->Left().Number() + right->Width().Number(),
                     pictureLeft + pictureWidth + 1);
    EXPECT_NEAR(right->Width().Number(), width, 1.0);
}

TEST(TextFit, TextTooLongForTheBoxOverflowsEvenAtTheSmallestSize) {
    TextBox box(QSizeF(8, CaptionHeight)); // inner width 2.24 pt
    box.setAutoFit(Publisher::pbTextAutoFitBestFit);
    box.setText(QStringLiteral("ARTICOLO-0000000001"));
    EXPECT_EQ(box.fontSize(), MinFontSize);
    EXPECT_TRUE(box.overflowing());
    TextBox empty(QSizeF(0, 0));
    EXPECT_FALSE(empty.overflowing());
}
