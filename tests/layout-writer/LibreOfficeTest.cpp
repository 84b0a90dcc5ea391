// LibreOffice Draw, an independent reader of Publisher files, opens the written layouts: the PDF
// it makes of each has the page size asked for, the title's text, and the rectangles' outlines
// where they were asked for.

#include "LayoutTestSupport.h"
#include "TestProcess.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>

namespace {

using lumetra::testsupport::ProgramRun;

struct Row {
    const char* name;
    const char* arguments; // of lumetra-layout, before the file (double quotes hold words)
    bool needsInstalledSheets;
    QSizeF pagePoints;
    const char* title; // empty: none
    // Points, on the outline of the first and of the last rectangle (left edge, half-way down).
    QPointF firstEdge;
    QPointF lastEdge;
};

const Row Rows[] = {
    // First rectangle 60 x 61,25 mm at (10, 27) mm; last at (140, 225,75) mm.
    {"A4_grid_with_title", R"(griglia --righe 4 --colonne 3 --titolo "Catalogo Primavera")", false,
     QSizeF(595.28, 841.89), "Catalogo Primavera", QPointF(28.35, 163.35), QPointF(396.85, 726.74)},
    // 67,5 x 42,5 mm at (5, 5) mm and (77,5, 52,5) mm.
    {"custom_landscape_grid",
     "griglia --pagina 150x100 --orizzontale --righe 2 --colonne 2 --margini 5 --spazio 5", false,
     QSizeF(425.2, 283.46), "", QPointF(14.17, 74.41), QPointF(219.69, 209.06)},
    // 280,9 x 108 pt at (9,5, 43) pt; the last at (301,5, 691) pt.
    {"Avery_L7163_labels", R"(etichette --foglio "Avery L7163")", true, QSizeF(595.28, 841.89), "",
     QPointF(9.5, 97), QPointF(301.5, 745)},
};

TEST(LibreOffice, OpensTheWrittenLayouts) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice (soffice) is not installed: the layouts are not checked by "
                        "an independent reader";
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("LUMETRA_LAYOUT"));
    QTemporaryDir dir;
    // A profile of its own, so a LibreOffice already running elsewhere is neither used nor
    // disturbed.
    const QString profile = QUrl::fromLocalFile(dir.filePath(QStringLiteral("profilo"))).toString();
    const bool installedSheets = !lumetra::layouttest::installedTemplates().isEmpty();

    for (const Row& row : Rows) {
        SCOPED_TRACE(row.name);
        if (row.needsInstalledSheets && !installedSheets) {
            std::cout << "[ SKIPPED  ] " << row.name << ": glabels-data is not installed\n";
            continue;
        }
        const QString name = QString::fromUtf8(row.name);
        const QString pub = dir.filePath(name + QStringLiteral(".pub"));
        const ProgramRun made = lumetra::testsupport::startProgram(
            qEnvironmentVariable("LUMETRA_LAYOUT"),
            QProcess::splitCommand(QString::fromUtf8(row.arguments)) + QStringList{pub});
        ASSERT_EQ(made.exitCode, 0) << made.errors.toStdString();

        const ProgramRun converted = lumetra::testsupport::startProgram(
            soffice, {QStringLiteral("-env:UserInstallation=") + profile,
                      QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                      QStringLiteral("pdf"), QStringLiteral("--outdir"), dir.path(), pub});
        ASSERT_EQ(converted.exitCode, 0) << converted.errors.toStdString();
        const QString pdf = dir.filePath(name + QStringLiteral(".pdf"));
        ASSERT_TRUE(QFileInfo::exists(pdf))
            << converted.output.toStdString() << converted.errors.toStdString();

        const QString info = lumetra::testsupport::runProgram(QStringLiteral("pdfinfo"), {pdf});
        const QRegularExpressionMatch size =
            QRegularExpression(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts"))
                .match(info);
        ASSERT_TRUE(size.hasMatch()) << info.toStdString();
        EXPECT_NEAR(size.captured(1).toDouble(), row.pagePoints.width(), 0.5);
        EXPECT_NEAR(size.captured(2).toDouble(), row.pagePoints.height(), 0.5);
        EXPECT_TRUE(info.contains(QStringLiteral("Pages:           1"))) << info.toStdString();

        const QString text = lumetra::testsupport::runProgram(QStringLiteral("pdftotext"),
                                                              {pdf, QStringLiteral("-")});
        EXPECT_EQ(text.simplified(), QString::fromUtf8(row.title)) << text.toStdString();

        // At 144 dpi, two pixels a point.
        const QString png = dir.filePath(name);
        lumetra::testsupport::runProgram(QStringLiteral("pdftoppm"),
                                         {QStringLiteral("-r"), QStringLiteral("144"),
                                          QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                          pdf, png});
        const QImage page(png + QStringLiteral(".png"));
        ASSERT_FALSE(page.isNull());
        // The darkest grey within 3 pixels of `at`: whether a line passes there.
        const auto darkest = [&](QPointF at) {
            int value = 255;
            for (int dy = -3; dy <= 3; ++dy)
                for (int dx = -3; dx <= 3; ++dx)
                    value = std::min(value,
                                     qGray(page.pixel(int(at.x() * 2) + dx, int(at.y() * 2) + dy)));
            return value;
        };
        EXPECT_LT(darkest(row.firstEdge), 200);
        EXPECT_LT(darkest(row.lastEdge), 200);
        EXPECT_EQ(darkest(row.firstEdge + QPointF(20, 0)), 255); // inside: nothing drawn
    }
}

} // namespace
