// The main job from the window to paper: a real layout, real photos, the built-in engine writing
// a PDF, which is read back with poppler-utils.

#include "EngineFactory.h"
#include "FileListModel.h"
#include "PlatformDoubles.h"
#include "PubBuilder.h"
#include "TestImages.h"
#include "frmLumetra.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace lumetra;

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000)) {
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Slots of the test layout: 2 x 2 rectangles on an A4 page, under a title.
const QRectF Slots[] = {
    {60, 120, 220, 160}, {315, 120, 220, 160}, {60, 420, 220, 160}, {315, 420, 220, 160}};

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        pubtest::PubBuilder builder;
        builder.pageSize(595.3, 841.9);
        auto& page = builder.addPage();
        page.addTextBox(60, 40, 475, 40, QStringLiteral("Catalogo di prova"));
        for (const QRectF& slot : Slots) {
            page.addRectangle(slot.x(), slot.y(), slot.width(), slot.height());
        }
        layout = dir.filePath(QStringLiteral("catalogo.pub"));
        ASSERT_TRUE(builder.save(layout));

        folder = dir.filePath(QStringLiteral("foto"));
        QDir().mkpath(folder);
        for (int i = 0; i < 5; ++i) {
            testimages::writeJpeg(folder + QStringLiteral("/ART-%1.jpg").arg(100 + i),
                                  QSize(400, 300), colours[i]);
        }
        pdf = dir.filePath(QStringLiteral("uscita.pdf"));

        messages = std::make_shared<doubles::ScriptedMessageBox>();
        dialogs = std::make_shared<doubles::ScriptedDialogHost>();
        mainwindow::Servizi servizi;
        servizi.messageBox = messages;
        servizi.dialogHost = dialogs;
        servizi.creaPublisher = engine::fabbricaApplicazionePdf(pdf);
        window = std::make_unique<mainwindow::frmLumetra>(servizi);
    }

    QTemporaryDir dir;
    QString layout, folder, pdf;
    const QColor colours[5] = {QColor(220, 30, 30), QColor(30, 170, 40), QColor(30, 60, 220),
                               QColor(230, 200, 20), QColor(150, 40, 170)};
    std::shared_ptr<doubles::ScriptedMessageBox> messages;
    std::shared_ptr<doubles::ScriptedDialogHost> dialogs;
    std::unique_ptr<mainwindow::frmLumetra> window;
};

} // namespace

TEST_F(EndToEndTest, PrintsCaptionedPicturesPageAfterPage) {
    dialogs->openAnswers.push_back(layout);
    dialogs->folderAnswers.push_back(folder);
    window->show();
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmdLayout")), Qt::LeftButton);
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmdIndirizzo")),
                      Qt::LeftButton);
    ASSERT_EQ(window->lvwFileModel()->Count(), 5);
    window->mnuFileSelezionaTutto_Click();
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmdSeleziona")),
                      Qt::LeftButton);
    // Queued last first: ART-104, ART-103, ..., ART-100.
    ASSERT_EQ(window->lvwSelezionatiModel()->Text(0), QStringLiteral("ART-104.jpg"));
    window->findChild<QComboBox*>(QStringLiteral("cmbCodiceArticoloEsterno"))->setCurrentIndex(2);
    window->findChild<QComboBox*>(QStringLiteral("cmbCodiceArticoloInterno"))->setCurrentIndex(1);

    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmdStampa")), Qt::LeftButton);

    for (const auto& shown : messages->shown) {
        ADD_FAILURE() << "messaggio inatteso: " << shown.prompt.toStdString();
    }
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lblInformazioni"))->text(),
              QStringLiteral("Pronto"));
    EXPECT_EQ(window->lvwSelezionatiModel()->Count(), 0);
    EXPECT_EQ(window->lvwStampatiModel()->Count(), 5);

    // Two pages (4 + 1 pictures), A4, the template page gone.
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    ASSERT_FALSE(info.isEmpty()) << "pdfinfo non ha letto il PDF";
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\b"))))
        << info.toStdString();
    EXPECT_TRUE(
        info.contains(QRegularExpression(QStringLiteral("Page size:\\s+595(\\.\\d+)? x 84[12]"))))
        << info.toStdString();

    // Captions: each code twice (under the picture and in its corner), on the right page.
    const QString page1 = run(QStringLiteral("pdftotext"), {"-f", "1", "-l", "1", pdf, "-"});
    const QString page2 = run(QStringLiteral("pdftotext"), {"-f", "2", "-l", "2", pdf, "-"});
    for (int code = 101; code <= 104; ++code) {
        EXPECT_EQ(page1.count(QStringLiteral("ART-%1").arg(code)), 2) << code;
    }
    EXPECT_EQ(page2.count(QStringLiteral("ART-100")), 2);
    EXPECT_TRUE(page1.contains(QStringLiteral("Catalogo di prova")));

    // Pictures fill their slots: slot 1 of page 1 holds ART-104, slot 1 of page 2 ART-100.
    const QString png = dir.filePath(QStringLiteral("pagina"));
    run(QStringLiteral("pdftoppm"), {"-r", "36", "-png", pdf, png});
    const QImage first(png + QStringLiteral("-1.png"));
    const QImage second(png + QStringLiteral("-2.png"));
    ASSERT_FALSE(first.isNull());
    ASSERT_FALSE(second.isNull());
    const double scale = 36.0 / 72.0;
    const auto centreOf = [&](const QImage& image, const QRectF& slot) {
        // Below the internal caption strip, away from the edges.
        return QColor(image.pixel(static_cast<int>((slot.center().x()) * scale),
                                  static_cast<int>((slot.bottom() - 30) * scale)));
    };
    const auto near = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
               std::abs(a.blue() - b.blue()) < 40;
    };
    for (int s = 0; s < 4; ++s) {
        EXPECT_TRUE(near(centreOf(first, Slots[s]), colours[4 - s]))
            << "slot " << s << ": " << centreOf(first, Slots[s]).name().toStdString();
    }
    EXPECT_TRUE(near(centreOf(second, Slots[0]), colours[0]));
    // The unused slots of the last page are empty: their rectangles were removed.
    EXPECT_TRUE(near(centreOf(second, Slots[1]), QColor(Qt::white)))
        << centreOf(second, Slots[1]).name().toStdString();
}
