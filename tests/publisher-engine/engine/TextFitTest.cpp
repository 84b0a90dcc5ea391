// Caption text: best fit and Overflowing. The checks compare the engine with itself under changed
// conditions (a box half a point smaller, bold, another text); the metrics come from the fonts.
// The caption loops that narrow a box to its text are the composition's, checked on this engine
// by the composition's contract suite (captions read back from the PDF).

#include "EngineTestSupport.h"

#include "TextBox.h"
#include "TextFit.h"

#include <gtest/gtest.h>

using namespace lumetra::engine;
using namespace lumetra::engine::test;

namespace {

const double CaptionHeight = 0.7 / 2.54 * 72; // "0,7 cm"

// Whether `text` at the size best fit gave in `fitted` overflows a box of `size`.
bool overflowsAtFittedSize(const TextBox& fitted, QSizeF size) {
    TextBox box = fitted;
    box.setAutoFit(Publisher::pbTextAutoFitNone);
    box.setBoxSize(size);
    return box.overflowing();
}

} // namespace

TEST(TextFit, BestFitIsTheLargestSizeThatFitsInsideTheMargins) {
    TextBox box(QSizeF(200, CaptionHeight));
    box.setAutoFit(Publisher::pbTextAutoFitBestFit);
    box.setText(QStringLiteral("ABC123"));
    const double size = box.fontSize();
    EXPECT_FALSE(box.overflowing());
    EXPECT_GT(size, 10.0);
    // A short code in a wide box: the height decides (half a point less and it overflows).
    EXPECT_TRUE(overflowsAtFittedSize(box, QSizeF(200, CaptionHeight - 0.5)));
    EXPECT_FALSE(overflowsAtFittedSize(box, QSizeF(400, CaptionHeight)));

    // A long code in a narrow box: the width decides.
    box.setBoxSize(QSizeF(40, CaptionHeight)); // width alone keeps the size...
    EXPECT_EQ(box.fontSize(), size);
    EXPECT_TRUE(box.overflowing());
    box.setText(QStringLiteral("CODICE-LUNGO-12345")); // ...new text is laid out again
    EXPECT_FALSE(box.overflowing());
    EXPECT_LT(box.fontSize(), size);
    EXPECT_TRUE(overflowsAtFittedSize(box, QSizeF(38, CaptionHeight))); // sizes go by 0.1 pt
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

TEST(TextFit, TextTooLongForTheBoxOverflowsEvenAtTheSmallestSize) {
    TextBox box(QSizeF(8, CaptionHeight)); // inner width 2.24 pt
    box.setAutoFit(Publisher::pbTextAutoFitBestFit);
    box.setText(QStringLiteral("ARTICOLO-0000000001"));
    EXPECT_EQ(box.fontSize(), MinFontSize);
    EXPECT_TRUE(box.overflowing());
    TextBox empty(QSizeF(0, 0));
    EXPECT_FALSE(empty.overflowing());
}
