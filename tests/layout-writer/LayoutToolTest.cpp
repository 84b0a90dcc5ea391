// lumetra-layout run as a program: its commands, messages and exit codes, the files it writes
// read back, and those files drawn by lumetra-pubinfo.

#include "LayoutTestSupport.h"
#include "Measures.h"
#include "TestImages.h"
#include "TestProcess.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using lumetra::layouttest::mm;
using lumetra::testimages::readBytes;
using lumetra::testimages::writeBytes;
using lumetra::testsupport::ProgramRun;

enum class Database { Fixture, Empty };

struct Row {
    const char* name;
    // The command line (double quotes hold words together). OUT: a new file; ESISTE: an existing
    // file; LINK: a link to one.
    const char* arguments;
    int exitCode;
    const char* errors;     // part of stderr
    const char* output;     // part of stdout
    int slotCount = -1;     // of the file written; -1: nothing written
    QSizeF page = QSizeF(); // points, of the file written
    Database database = Database::Fixture;
};

const QSizeF A4 = mm(0, 0, 210, 297).size();

const Row Rows[] = {
    {"grid", "griglia --righe 2 --colonne 3 OUT", 0, "6 rettangoli", "", 6, A4},
    {"grid_custom_landscape_titled",
     "griglia --pagina 200x300 --orizzontale --righe 1 --colonne 2 --margini 0 --spazio 0,5 "
     "--titolo Listino OUT",
     0, "pagina 300 x 200 mm, 2 rettangoli", "", 2, mm(0, 0, 300, 200).size()},
    {"existing_file_kept", "griglia --righe 2 --colonne 2 ESISTE", 1, "--sovrascrivi", ""},
    {"existing_file_replaced", "griglia --righe 2 --colonne 2 --sovrascrivi ESISTE", 0,
     "4 rettangoli", "", 4, A4},
    {"link_refused", "griglia --righe 2 --colonne 2 --sovrascrivi LINK", 1,
     "collegamento simbolico", ""},
    {"too_many_rows", "griglia --righe 101 --colonne 3 OUT", 2, "da 1 a 100", ""},
    {"unknown_page", "griglia --pagina B5 --righe 1 --colonne 1 OUT", 2,
     "Formato di pagina sconosciuto", ""},
    {"cells_do_not_fit", "griglia --righe 50 --colonne 50 --margini 100 OUT", 2, "non entrano", ""},
    {"rows_missing", "griglia --colonne 2 OUT", 2, "--righe", ""},
    {"file_missing", "griglia --righe 1 --colonne 1", 2, "Specificare il file", ""},
    {"sheet_option_on_grid", R"(griglia --foglio "Prova CD" --righe 1 --colonne 1 OUT)", 2,
     "non vale per griglia", ""},
    {"unknown_command", "frobnica OUT", 2, "Comando sconosciuto", ""},
    {"labels", R"(etichette --foglio "prova tonde-in" OUT)", 0, "rotonde o ellittiche", "", 6,
     QSizeF(612, 792)},
    {"unknown_sheet", R"(etichette --foglio "Prova Niente" OUT)", 2, "--elenco", ""},
    {"labels_without_database", R"(etichette --foglio "Avery L7163" OUT)", 1, "glabels-data", "",
     -1, QSizeF(), Database::Empty},
    {"list", "--elenco tonde", 0, "",
     "Prova Tonde-in                 etichette rotonde 50,8 mm, 6 per foglio (3 x 2), US-Letter - "
     "Tonde"},
    {"list_after_command", "etichette --elenco", 0, "", "Prova Uguale"},
    {"list_nothing_found", "--elenco nessuno", 1, "Nessun foglio", ""},
    {"list_without_database", "--elenco", 1, "glabels-data", "", -1, QSizeF(), Database::Empty},
    {"help", "--help", 0, "", "quadrato circoscritto"},
};

ProgramRun layoutTool(const QStringList& arguments, const QString& database) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LUMETRA_ETICHETTE"), database);
    return lumetra::testsupport::startProgram(qEnvironmentVariable("LUMETRA_LAYOUT"), arguments,
                                              environment);
}

TEST(LayoutTool, CommandsMessagesExitCodesAndFilesWritten) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("LUMETRA_LAYOUT"));
    for (const Row& row : Rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const QString database = dir.filePath(QStringLiteral("modelli"));
        if (row.database == Database::Fixture) {
            lumetra::layouttest::writeTemplateFixture(database);
        } else {
            QDir().mkpath(database);
        }
        const QString existing = dir.filePath(QStringLiteral("esiste.pub"));
        const QString other = dir.filePath(QStringLiteral("altro.pub"));
        for (const QString& path : {existing, other})
            writeBytes(path, "vecchio");
        const QString link = dir.filePath(QStringLiteral("collegamento.pub"));
        ASSERT_TRUE(QFile::link(other, link));
        QString written;
        QStringList arguments;
        for (const QString& a : QProcess::splitCommand(QString::fromUtf8(row.arguments))) {
            if (a == QLatin1String("OUT"))
                arguments.append(written = dir.filePath(QStringLiteral("nuovo.pub")));
            else if (a == QLatin1String("ESISTE"))
                arguments.append(written = existing);
            else if (a == QLatin1String("LINK"))
                arguments.append(written = link);
            else
                arguments.append(a);
        }

        const ProgramRun run = layoutTool(arguments, database);
        EXPECT_EQ(run.exitCode, row.exitCode) << run.errors.toStdString();
        EXPECT_TRUE(run.errors.contains(QString::fromUtf8(row.errors))) << run.errors.toStdString();
        EXPECT_TRUE(QString::fromUtf8(run.output).contains(QString::fromUtf8(row.output)))
            << run.output.toStdString();
        if (row.exitCode == 2) {
            EXPECT_TRUE(run.errors.contains(QStringLiteral("--help")));
        }
        EXPECT_EQ(readBytes(other), QByteArray("vecchio"));

        if (row.slotCount >= 0) {
            const auto read = lumetra::layouttest::readLayout(written);
            EXPECT_EQ(static_cast<int>(read.pictureSlots.size()), row.slotCount);
            EXPECT_NEAR(read.pageWidth, row.page.width(), 0.01);
            EXPECT_NEAR(read.pageHeight, row.page.height(), 0.01);
        } else if (written == existing) {
            EXPECT_EQ(readBytes(existing), QByteArray("vecchio"));
        } else if (!written.isEmpty() && written != link) {
            EXPECT_FALSE(QFileInfo::exists(written));
        }
    }
}

// lumetra-pubinfo reports the written slots and draws them: outlines on their edges, white
// inside, where the grid asked for them.
TEST(LayoutTool, WrittenLayoutsAreDrawnByPubinfo) {
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("LUMETRA_PUBINFO"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("griglia.pub"));
    const ProgramRun made = layoutTool(
        {"griglia", "--righe", "2", "--colonne", "2", "--margini", "20", "--spazio", "10", path},
        dir.path());
    ASSERT_EQ(made.exitCode, 0) << made.errors.toStdString();

    const QString pubinfo = qEnvironmentVariable("LUMETRA_PUBINFO");
    const ProgramRun info = lumetra::testsupport::startProgram(pubinfo, {path});
    ASSERT_EQ(info.exitCode, 0) << info.errors.toStdString();
    const QJsonObject json = QJsonDocument::fromJson(info.output).object();
    EXPECT_EQ(json[QStringLiteral("slots")].toArray(), (QJsonArray{1, 2, 3, 4}));

    const QString png = dir.filePath(QStringLiteral("pagina.png"));
    const ProgramRun drawn = lumetra::testsupport::startProgram(
        pubinfo, {path, QStringLiteral("--png"), QStringLiteral("1"), png, QStringLiteral("--dpi"),
                  QStringLiteral("254")}); // 10 pixels a millimetre
    ASSERT_EQ(drawn.exitCode, 0) << drawn.errors.toStdString();
    const QImage page(png);
    ASSERT_NEAR(page.width(), 2100, 1);
    ASSERT_NEAR(page.height(), 2970, 1);
    // Rectangles of 80 x 123,5 mm from (20, 20) and (110, 20); rows from 20 and 153,5 mm.
    const auto grey = [&](double xMm, double yMm) {
        return lumetra::layouttest::darkestAround(page, QPoint(int(xMm * 10), int(yMm * 10)));
    };
    for (const double left : {20.0, 110.0}) {
        for (const double top : {20.0, 153.5}) {
            SCOPED_TRACE(QStringLiteral("rectangle at %1, %2 mm").arg(left).arg(top).toStdString());
            EXPECT_LT(grey(left, top + 60), 200);         // left edge
            EXPECT_LT(grey(left + 80, top + 60), 200);    // right edge
            EXPECT_LT(grey(left + 40, top), 200);         // top edge
            EXPECT_LT(grey(left + 40, top + 123.5), 200); // bottom edge
            EXPECT_EQ(grey(left + 40, top + 60), 255);    // inside
        }
    }
    EXPECT_EQ(grey(10, 10), 255);  // margin
    EXPECT_EQ(grey(105, 60), 255); // spacing between the columns
}

} // namespace
