// What the composition relies on of the object model, held against both implementations: the
// built-in engine (a real .pub layout) and the recording fake the composition's call-sequence
// tests use. A difference here means the fake tests something the engine does not do.

#include "EngineApplication.h"
#include "PubBuilder.h"
#include "PublisherApi.h"
#include "PublisherFinto.h"
#include "TestImages.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace lumetra;

// Page 1: a rectangle, an oval, a rectangle; page 2: one rectangle.
const QRectF First(36, 80, 150, 150), Second(216, 80, 150, 120), Other(36, 300, 100, 100);

struct Engine {
    QTemporaryDir dir;
    std::shared_ptr<Publisher::Application> application;
    QString picture;
    Engine() {
        pub::PubBuilder builder;
        builder.pageSize(595.28, 841.89);
        auto& one = builder.addPage();
        one.addRectangle(First.x(), First.y(), First.width(), First.height());
        one.addOval(400, 20, 40, 30);
        one.addRectangle(Second.x(), Second.y(), Second.width(), Second.height());
        builder.addPage().addRectangle(Other.x(), Other.y(), Other.width(), Other.height());
        EXPECT_TRUE(builder.save(dir.filePath("layout.pub")));
        picture = testimages::writeJpeg(dir.filePath("foto.jpg"), QSize(40, 30), Qt::red);
        application = engine::engineFactory({})();
    }
    QString layout() const { return dir.filePath("layout.pub"); }
};

struct Fake {
    fake::PublisherFinto publisher;
    std::shared_ptr<Publisher::Application> application;
    QString picture = QStringLiteral("/foto/foto.jpg");
    Fake() {
        fake::FormaFinta oval = fake::Rettangolo(400, 20, 40, 30);
        oval.tipoAutoForma = Publisher::msoShapeOval;
        publisher.ImpostaLayout(
            {{fake::Rettangolo(First.x(), First.y(), First.width(), First.height()), oval,
              fake::Rettangolo(Second.x(), Second.y(), Second.width(), Second.height())},
             {fake::Rettangolo(Other.x(), Other.y(), Other.width(), Other.height())}});
        application = publisher.Fabbrica()();
    }
    QString layout() const { return QStringLiteral("/layout/layout.pub"); }
};

template <class Implementation> class Contract : public ::testing::Test {
protected:
    void SetUp() override {
        document = implementation.application->Open(implementation.layout(), false, true, 3);
        ASSERT_NE(document, nullptr);
    }
    std::shared_ptr<Publisher::Shapes> shapes(int page) {
        return document->Pages()->Item(page)->Shapes();
    }
    static QRectF box(Publisher::Shape& shape) {
        return {shape.Left().Number(), shape.Top().Number(), shape.Width().Number(),
                shape.Height().Number()};
    }
    static bool near(const QRectF& a, const QRectF& b) {
        return std::abs(a.x() - b.x()) < 0.05 && std::abs(a.y() - b.y()) < 0.05 &&
               std::abs(a.width() - b.width()) < 0.05 && std::abs(a.height() - b.height()) < 0.05;
    }

    Implementation implementation;
    std::shared_ptr<Publisher::Document> document;
};

using Implementations = ::testing::Types<Engine, Fake>;
TYPED_TEST_SUITE(Contract, Implementations);

TYPED_TEST(Contract, TheLayoutOpensWithItsPagesAndShapesInCollectionOrder) {
    EXPECT_EQ(this->document->Pages()->Count(), 2);
    const auto page = this->shapes(1);
    ASSERT_EQ(page->Count(), 3);
    const int kinds[][2] = {{Publisher::msoAutoShape, Publisher::msoShapeRectangle},
                            {Publisher::msoAutoShape, Publisher::msoShapeOval},
                            {Publisher::msoAutoShape, Publisher::msoShapeRectangle}};
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(page->Item(i)->Type(), kinds[i - 1][0]) << i;
        EXPECT_EQ(page->Item(i)->AutoShapeType(), kinds[i - 1][1]) << i;
    }
    EXPECT_TRUE(this->near(this->box(*page->Item(1)), First));
    EXPECT_TRUE(this->near(this->box(*page->Item(3)), Second));
    EXPECT_THROW(page->Item(4), Publisher::Error);
    EXPECT_THROW(this->document->Pages()->Item(3), Publisher::Error);
}

// Pages.Add with duplicated objects appends copies of page 1's shapes; deleting shapes and
// pages renumbers what follows.
TYPED_TEST(Contract, PagesCopyPageOneAndDeletionsRenumber) {
    const auto pages = this->document->Pages();
    pages->Add(1, pages->Count(), 1);
    ASSERT_EQ(pages->Count(), 3);
    const auto copy = this->shapes(3);
    ASSERT_EQ(copy->Count(), 3);
    EXPECT_TRUE(this->near(this->box(*copy->Item(3)), Second));
    copy->Item(1)->Delete();
    ASSERT_EQ(copy->Count(), 2);
    EXPECT_EQ(copy->Item(1)->AutoShapeType(), Publisher::msoShapeOval);
    EXPECT_EQ(this->shapes(1)->Count(), 3); // page 1 keeps its own
    pages->Item(1)->Delete();
    ASSERT_EQ(pages->Count(), 2);
    EXPECT_TRUE(this->near(this->box(*this->shapes(1)->Item(1)), Other));
}

// A picture takes the box it is given; a text box takes measurement texts and reads back points.
TYPED_TEST(Contract, AddedShapesTakeTheirBoxes) {
    const auto page = this->shapes(1);
    const auto picture = page->AddPicture(this->implementation.picture, 0, -1, First.x(), First.y(),
                                          First.width(), First.height());
    EXPECT_EQ(picture->Type(), Publisher::msoPicture);
    EXPECT_TRUE(this->near(this->box(*picture), First));
    const auto text = page->AddTextbox(Publisher::pbTextOrientationHorizontal, 36, 230, 150,
                                       Publisher::Variant("0,7 cm"));
    EXPECT_EQ(text->Type(), Publisher::msoTextBox);
    EXPECT_NEAR(text->Height().Number(), 0.7 / 2.54 * 72, 0.05);
    text->SetTop(text->Top().Number() - 10);
    EXPECT_NEAR(text->Top().Number(), 220, 0.05);
    EXPECT_EQ(page->Count(), 5);
}

// What the captions set is read back; a frame overflows while too narrow for its text and stops
// overflowing once wide enough.
TYPED_TEST(Contract, TextFramesKeepTheirSettingsAndTellOverflow) {
    const auto box = this->shapes(1)->AddTextbox(Publisher::pbTextOrientationHorizontal, 36, 300, 1,
                                                 Publisher::Variant("0,7 cm"));
    const auto frame = box->TextFrame();
    frame->SetAutoFitText(Publisher::pbTextAutoFitNone);
    const auto range = frame->TextRange();
    range->SetText(QStringLiteral("ABC123"));
    range->ParagraphFormat()->SetAlignment(Publisher::pbParagraphAlignmentRight);
    const auto font = range->Font();
    font->SetName(QStringLiteral("Arial"));
    font->SetBold(true);
    font->SetItalic(false);
    box->Fill()->ForeColor()->SetRGB(0xFFFFFF);
    EXPECT_EQ(range->Text(), QStringLiteral("ABC123"));
    EXPECT_EQ(range->ParagraphFormat()->Alignment(), Publisher::pbParagraphAlignmentRight);
    EXPECT_EQ(font->Name(), QStringLiteral("Arial"));
    EXPECT_TRUE(font->Bold());
    EXPECT_FALSE(font->Italic());
    EXPECT_EQ(box->Fill()->ForeColor()->RGB(), 0xFFFFFF);
    EXPECT_EQ(frame->AutoFitText(), Publisher::pbTextAutoFitNone);
    EXPECT_TRUE(frame->Overflowing());
    box->SetWidth(300);
    EXPECT_FALSE(frame->Overflowing());
}

} // namespace
