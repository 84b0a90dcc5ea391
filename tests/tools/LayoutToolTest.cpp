// lumetra-layout run as a program: its commands, messages and exit codes, the files it writes
// read back by the engine's reader (page size, slots in fill order where the user asked or the
// sheet's data sheet says, the title). How they are drawn: by LibreOffice (LibreOffice), and for
// the same writer's files by the drawing layer (GeneratedLayout).

#include "LayoutTestSupport.h"
#include "Measures.h"
#include "TestImages.h"
#include "TestProcess.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iostream>

namespace {

using lumetra::layouttest::mm;
using lumetra::testimages::readBytes;
using lumetra::testimages::writeBytes;
using lumetra::testsupport::ProgramRun;

enum class Database { Fixture, Installed, Empty };

struct Row {
    const char* name;
    // The command line (double quotes hold words together). OUT: a new file; ESISTE: an existing
    // file; LINK: a link to one.
    const char* arguments;
    int exitCode;
    const char* errors; // part of stderr
    const char* output; // part of stdout
    Database database = Database::Fixture;
    // The file written, read back: its slots (-1: nothing written), its page, its first and last
    // slot (points), as the user asked or the product's data sheet says.
    int slotCount = -1;
    QSizeF page = QSizeF();
    QRectF first = QRectF(), last = QRectF();
    // Arguments of a run whose file must be the same, byte for byte (OUT stands for its file).
    const char* sameFileAs = nullptr;
};

const QSizeF A4 = mm(0, 0, 210, 297).size();
const auto Fixture = Database::Fixture;

const Row Rows[] = {
    {"grid", R"(griglia --righe 4 --colonne 3 --titolo "Catalogo 2025 – Primavera" OUT)", 0,
     "12 rettangoli", "", Fixture, 12, A4, mm(10, 27, 60, 61.25), mm(140, 225.75, 60, 61.25)},
    {"grid_custom_landscape_titled",
     "griglia --pagina 200x300 --orizzontale --righe 1 --colonne 2 --margini 0 --spazio 0,5 "
     "--titolo Listino OUT",
     0, "pagina 300 x 200 mm, 2 rettangoli", "", Fixture, 2, mm(0, 0, 300, 200).size(),
     mm(0, 12.5, 149.75, 187.5), mm(150.25, 12.5, 149.75, 187.5)},
    {"grid_A3_landscape_no_spacing",
     "griglia --pagina A3 --orizzontale --righe 2 --colonne 5 --margini 15 --spazio 0 OUT", 0,
     "10 rettangoli", "", Fixture, 10, mm(0, 0, 420, 297).size(), mm(15, 15, 78, 133.5),
     mm(327, 148.5, 78, 133.5)},
    {"grid_Letter_whole_page",
     "griglia --pagina Letter --righe 1 --colonne 1 --margini 0 --spazio 0 OUT", 0, "1 rettangol",
     "", Fixture, 1, QSizeF(612, 792), QRectF(0, 0, 612, 792), QRectF(0, 0, 612, 792)},
    {"grid_smallest_cells",
     "griglia --pagina A3 --righe 100 --colonne 100 --margini 0 --spazio 0 OUT", 0,
     "10000 rettangoli", "", Fixture, 10000, mm(0, 0, 297, 420).size(), mm(0, 0, 2.97, 4.2),
     mm(294.03, 415.8, 2.97, 4.2)},
    // Room for the article code: rows of 65,5 mm hold a rectangle and 7 mm below (15 mm above).
    {"grid_code_below", "griglia --righe 4 --colonne 3 --spazio-codice 0,7 OUT", 0, "12 rett", "",
     Fixture, 12, A4, mm(10, 10, 60, 58.5), mm(140, 221.5, 60, 58.5)},
    {"grid_code_above_titled",
     "griglia --righe 2 --colonne 2 --spazio-codice 1.5 --posizione-codice sopra --titolo T OUT", 0,
     "4 rett", "", Fixture, 4, A4, mm(10, 42, 92.5, 112.5), mm(107.5, 174.5, 92.5, 112.5)},
    {"grid_no_code_room_as_before",
     "griglia --righe 4 --colonne 3 --spazio-codice 0 --posizione-codice sopra OUT", 0, "12 rett",
     "", Fixture, 12, A4, mm(10, 10, 60, 65.5), mm(140, 221.5, 60, 65.5),
     "griglia --righe 4 --colonne 3 OUT"},
    {"code_room_too_large", "griglia --righe 4 --colonne 3 --spazio-codice 6,1 OUT", 2,
     "--spazio-codice troppo grande. Lo spazio per il codice di 6,1 cm lascia rettangoli alti meno "
     "di 5 mm: al massimo 6,05 cm.",
     ""},
    {"code_room_negative", "griglia --righe 1 --colonne 1 --spazio-codice -1 OUT", 2,
     "--spazio-codice accetta", ""},
    {"existing_file_kept", "griglia --righe 2 --colonne 2 ESISTE", 1, "--sovrascrivi", ""},
    {"existing_file_replaced", "griglia --righe 2 --colonne 2 --sovrascrivi ESISTE", 0,
     "4 rettangoli", "", Fixture, 4, A4, mm(10, 10, 92.5, 136), mm(107.5, 151, 92.5, 136)},
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
    {"labels", R"(etichette --foglio "prova tonde-in" OUT)", 0, "rotonde o ellittiche", "", Fixture,
     6, QSizeF(612, 792), QRectF(36, 72, 144, 144), QRectF(396, 288, 144, 144)},
    {"labels_installed_Avery_L7163", R"(etichette --foglio "Avery L7163" OUT)", 0, "", "",
     Database::Installed, 14, A4, QRectF(9.5, 43, 280.9, 108), QRectF(301.5, 691, 280.9, 108)},
    // Each label less 1,5 mm all round and the code's 7 mm; a round one from its inscribed square.
    {"labels_code_below", R"(etichette --foglio "Prova Rett-mm" --spazio-codice 0,7 OUT)", 0,
     "6 rett", "", Fixture, 6, A4, mm(16.5, 21.5, 77, 30), mm(106.5, 111.5, 77, 30)},
    {"round_labels_code_above",
     R"(etichette --foglio "prova tonde-in" --spazio-codice 0.7 --posizione-codice sopra OUT)", 0,
     "rettangolo inscritto", "", Fixture, 6, QSizeF(612, 792),
     QRectF(61.340, 117.183, 93.319, 73.477), QRectF(421.340, 333.183, 93.319, 73.477)},
    {"labels_code_room_too_large", R"(etichette --foglio "Prova Rett-mm" --spazio-codice 3,5 OUT)",
     2, "nelle etichette di 80 x 40 mm: al massimo 3,2 cm.", ""},
    {"unknown_sheet", R"(etichette --foglio "Prova Niente" OUT)", 2, "--elenco", ""},
    {"labels_without_database", R"(etichette --foglio "Avery L7163" OUT)", 1, "glabels-data", "",
     Database::Empty},
    {"list", "--elenco tonde", 0, "",
     "Prova Tonde-in                 etichette rotonde 50,8 mm, 6 per foglio (3 x 2), US-Letter - "
     "Tonde"},
    {"list_after_command", "etichette --elenco", 0, "", "Prova Uguale"},
    {"list_nothing_found", "--elenco nessuno", 1, "Nessun foglio", ""},
    {"list_without_database", "--elenco", 1, "glabels-data", "", Database::Empty},
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
        QString database = dir.filePath(QStringLiteral("modelli"));
        if (row.database == Database::Fixture) {
            lumetra::layouttest::writeTemplateFixture(database);
        } else if (row.database == Database::Empty) {
            QDir().mkpath(database);
        } else if ((database = lumetra::layouttest::installedTemplates()).isEmpty()) {
            std::cout << "[ SKIPPED  ] " << row.name << ": glabels-data is not installed\n";
            continue;
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
        if (row.sameFileAs) {
            const QString before = dir.filePath(QStringLiteral("prima.pub"));
            QStringList first = QProcess::splitCommand(QString::fromUtf8(row.sameFileAs));
            first.replace(first.indexOf(QStringLiteral("OUT")), before);
            ASSERT_EQ(layoutTool(first, database).exitCode, 0);
            EXPECT_EQ(readBytes(written), readBytes(before));
        }
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
            ASSERT_EQ(static_cast<int>(read.pictureSlots.size()), row.slotCount);
            EXPECT_NEAR(read.pageWidth, row.page.width(), 0.01);
            EXPECT_NEAR(read.pageHeight, row.page.height(), 0.01);
            lumetra::layouttest::expectSameRect(read.pictureSlots.front(), row.first, "first",
                                                0.01);
            lumetra::layouttest::expectSameRect(read.pictureSlots.back(), row.last, "last", 0.01);
            // The title, when asked for, is the one text box.
            const int titles = QString::fromUtf8(row.arguments).contains("--titolo") ? 1 : 0;
            EXPECT_EQ(static_cast<int>(read.textBoxes.size()), titles);
            EXPECT_EQ(read.shapeCount, row.slotCount + titles);
        } else if (written == existing) {
            EXPECT_EQ(readBytes(existing), QByteArray("vecchio"));
        } else if (!written.isEmpty() && written != link) {
            EXPECT_FALSE(QFileInfo::exists(written));
        }
    }
}

} // namespace
