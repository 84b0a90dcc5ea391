// The main job from the window to paper: a real layout, real photos and the built-in engine,
// writing a PDF read back with poppler-utils, or printing collated copies on a real CUPS queue.

#include "CupsQueue.h"
#include "EngineFactory.h"
#include "LetturaPdf.h"
#include "ModalDialogs.h"
#include "PubBuilder.h"
#include "TestImages.h"
#include "VbConstants.h"
#include "WindowTestSupport.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace lumetra;
using namespace lumetra::composition::test;

namespace {

// Slots of the test layout: 2 x 2 rectangles on an A4 page, under a title.
const QRectF Slots[] = {
    {60, 120, 220, 160}, {315, 120, 220, 160}, {60, 420, 220, 160}, {315, 420, 220, 160}};

class EndToEndTest : public testsupport::WindowTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        pub::PubBuilder builder;
        builder.pageSize(595.3, 841.9);
        auto& page = builder.addPage();
        page.addTextBox(60, 40, 475, 40, QStringLiteral("Catalogo di prova"));
        for (const QRectF& slot : Slots) {
            page.addRectangle(slot.x(), slot.y(), slot.width(), slot.height());
        }
        // The layout's name becomes the print job's title: unique, to find the job's output.
        token = QStringLiteral("lumetra-finestra-%1-%2")
                    .arg(QCoreApplication::applicationPid())
                    .arg(QDateTime::currentMSecsSinceEpoch());
        layout = dir.filePath(token + QStringLiteral(".pub"));
        ASSERT_TRUE(builder.save(layout));

        folder = dir.filePath(QStringLiteral("foto"));
        QDir().mkpath(folder);
        for (int i = 0; i < 5; ++i) {
            testimages::writeJpeg(folder + QStringLiteral("/ART-%1.jpg").arg(100 + i),
                                  QSize(640, 480), colours[i]);
        }
        pdf = dir.filePath(QStringLiteral("uscita.pdf"));
        creaPublisher = [this] { return engine(); };
        window.reset();
        WindowTest::SetUp();
    }

    // The window on the given engine; the layout and the folder chosen, every photo queued
    // (last first: ART-104, ART-103, ..., ART-100), captions below and in the top-left corner.
    void prepareJob(Publisher::ApplicationFactory factory) {
        engine = std::move(factory);
        dialogs->openAnswers.push_back(layout);
        dialogs->folderAnswers.push_back(folder);
        window->show();
        click("cmdLayout");
        click("cmdIndirizzo");
        ASSERT_EQ(window->lvwFileModel()->Count(), 5);
        window->mnuFileSelezionaTutto_Click();
        click("cmdSeleziona");
        ASSERT_EQ(window->lvwSelezionatiModel()->Text(0), QStringLiteral("ART-104.jpg"));
        control<QComboBox>("cmbCodiceArticoloEsterno")->setCurrentIndex(2);
        control<QComboBox>("cmbCodiceArticoloInterno")->setCurrentIndex(1);
    }

    void click(const char* button) {
        QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    }

    // The job went through: no message, "Pronto", every photo filed as printed.
    void expectPrinted() {
        for (const auto& shown : messages->shown) {
            ADD_FAILURE() << "messaggio inatteso: " << shown.prompt.toStdString();
        }
        EXPECT_EQ(control<QLabel>("lblInformazioni")->text(), QStringLiteral("Pronto"));
        EXPECT_EQ(window->lvwSelezionatiModel()->Count(), 0);
        EXPECT_EQ(window->lvwStampatiModel()->Count(), 5);
    }

    // The colour in a slot of a page rendered at 36 dpi: below the internal caption strip, away
    // from the edges.
    static QColor inSlot(const QImage& page, const QRectF& slot) {
        return page.pixelColor(static_cast<int>(slot.center().x() / 2),
                               static_cast<int>((slot.bottom() - 30) / 2));
    }

    QTemporaryDir dir;
    QString token, layout, folder, pdf;
    const QColor colours[5] = {QColor(220, 30, 30), QColor(30, 170, 40), QColor(30, 60, 220),
                               QColor(230, 200, 20), QColor(150, 40, 170)};
    Publisher::ApplicationFactory engine;
};

} // namespace

TEST_F(EndToEndTest, PrintsCaptionedPicturesPageAfterPage) {
    prepareJob(factory::pdfApplicationFactory(pdf));
    click("cmdStampa");
    expectPrinted();

    // Two pages (4 + 1 pictures), A4, the template page gone.
    ASSERT_EQ(PagineDelPdf(pdf), 2);
    const QImage pages[] = {PaginaDelPdf(pdf, 1, 36), PaginaDelPdf(pdf, 2, 36)};
    EXPECT_EQ(pages[0].size(), QSize(298, 421));

    // Captions: each code twice (under the picture and in its corner), on the right page.
    const QStringList words[2] = {TestiDelPdf(pdf, 1), TestiDelPdf(pdf, 2)};
    for (int code = 101; code <= 104; ++code) {
        EXPECT_EQ(words[0].count(QStringLiteral("ART-%1").arg(code)), 2) << code;
    }
    EXPECT_TRUE(words[0].join(' ').contains(QStringLiteral("Catalogo di prova")));
    EXPECT_EQ(words[1].count(QStringLiteral("ART-100")), 2);

    // Pictures fill their slots: slot 1 of page 1 holds ART-104, slot 1 of page 2 ART-100; the
    // unused slots of the last page are empty, their rectangles removed.
    const auto near = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
               std::abs(a.blue() - b.blue()) < 40;
    };
    for (int s = 0; s < 4; ++s) {
        EXPECT_TRUE(near(inSlot(pages[0], Slots[s]), colours[4 - s]))
            << "slot " << s << ": " << inSlot(pages[0], Slots[s]).name().toStdString();
    }
    EXPECT_TRUE(near(inSlot(pages[1], Slots[0]), colours[0]));
    EXPECT_TRUE(near(inSlot(pages[1], Slots[1]), QColor(Qt::white)))
        << inSlot(pages[1], Slots[1]).name().toStdString();
}

TEST_F(EndToEndTest, PrintsCollatedCopiesOnTheDefaultPrinter) {
    if (const QString reason = cupstest::skipReason(); !reason.isEmpty()) {
        GTEST_SKIP() << reason.toStdString();
    }
    prepareJob(factory::applicationFactory());
    QTest::keyClick(window->findChild<QWidget*>(QStringLiteral("updwnCopie")), Qt::Key_Up);
    const int before = cupstest::lastJobId();
    click("cmdStampa");
    expectPrinted();

    // One job of 2 collated copies, not one job per copy.
    const int job = cupstest::lastJobId();
    ASSERT_EQ(job, before + 1);
    const QString attributes = cupstest::completedJobAttributes(job);
    EXPECT_TRUE(attributes.contains(QStringLiteral("job-state (enum) = completed")))
        << attributes.toStdString();
    EXPECT_TRUE(attributes.contains(QStringLiteral("copies (integer) = 2")))
        << attributes.toStdString();
    EXPECT_TRUE(attributes.contains(QStringLiteral(
        "multiple-document-handling (keyword) = separate-documents-collated-copies")))
        << attributes.toStdString();

    // What came out: the 2 pages twice, in collated order (page 1 has a picture in slot 2).
    const QString printed = cupstest::outputPdf(token);
    ASSERT_FALSE(printed.isEmpty()) << "cups-pdf wrote nothing for " << token.toStdString();
    EXPECT_EQ(PagineDelPdf(printed), 4);
    QString order;
    for (int page = 1; page <= 4; ++page) {
        const QImage image = PaginaDelPdf(printed, page, 36);
        ASSERT_FALSE(image.isNull());
        order += inSlot(image, Slots[1]).lightness() > 240 ? QLatin1Char('2') : QLatin1Char('1');
    }
    EXPECT_EQ(order, QStringLiteral("1212"));
    QFile::remove(printed);
}

// A job with findings asks before anything is printed, one window over the main window:
// Annulla prints nothing and leaves the queue; Prosegui (damaged pictures left out, as the window
// proposes) prints the others, the next pictures taking their slots, and files the whole queue.
TEST_F(EndToEndTest, TheCheckBeforePrintingAsksOnceAndIsObeyed) {
    for (const bool prosegui : {false, true}) {
        SCOPED_TRACE(prosegui ? "Prosegui" : "Annulla");
        for (const int code : {102, 103})
            testimages::writeTruncatedJpeg(folder + QStringLiteral("/ART-%1.jpg").arg(code),
                                           QSize(640, 480), colours[code - 100]);
        prepareJob(factory::pdfApplicationFactory(pdf));
        QStringList shown;
        testsupport::answerWhenShown<QDialog>(QStringLiteral("frmControllo"), [&](QDialog* dialog) {
            EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
            auto* tree = dialog->findChild<QTreeWidget*>(QStringLiteral("trvRilievi"));
            for (int g = 0; tree && g < tree->topLevelItemCount(); ++g) {
                shown.append(tree->topLevelItem(g)->text(0));
                for (int i = 0; i < tree->topLevelItem(g)->childCount(); ++i)
                    shown.append(tree->topLevelItem(g)->child(i)->text(0).section(':', 0, 0));
            }
            shown.append(dialog->findChild<QLabel*>(QStringLiteral("lblRiepilogo"))->text());
            const char* button = prosegui ? "cmdProsegui" : "cmdAnnulla";
            QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
        });
        click("cmdStampa");

        EXPECT_EQ(shown,
                  (QStringList{QStringLiteral("Immagini danneggiate o incomplete (2)"),
                               QStringLiteral("'ART-103.jpg'"), QStringLiteral("'ART-102.jpg'"),
                               QStringLiteral("Riepilogo: 5 immagini, 2 pagine, 3 spazi "
                                              "vuoti nell'ultima pagina, 2 fogli da "
                                              "stampare (2 pagine x 1 copia)")}));
        EXPECT_TRUE(messages->shown.empty());
        EXPECT_EQ(control<QLabel>("lblInformazioni")->text(), QStringLiteral("Pronto"));
        EXPECT_EQ(window->lvwSelezionatiModel()->Count(), prosegui ? 0 : 5);
        EXPECT_EQ(window->lvwStampatiModel()->Count(), prosegui ? 5 : 0);
        ASSERT_EQ(QFile::exists(pdf), prosegui);
        if (prosegui) {
            // ART-104, ART-101, ART-100 in the first three slots of one page.
            EXPECT_EQ(PagineDelPdf(pdf), 1);
            EXPECT_EQ(TestiDelPdf(pdf, 1).count(QStringLiteral("ART-100")), 2);
            EXPECT_EQ(TestiDelPdf(pdf, 1).count(QStringLiteral("ART-103")), 0);
        }
        QFile::remove(pdf);
        window.reset();
        WindowTest::SetUp();
    }
}
