// The Debian package of this tree, built with CPack and unpacked into a throwaway root: every
// file in its standard place, dependencies read from the real shared libraries, the programs
// running from the unpacked paths (the sample job composed into a PDF), and the desktop entry,
// AppStream metainfo and man pages accepted by their validators.

#include "TestImages.h"
#include "TestProcess.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iostream>
#include <vector>

namespace {

using lumetra::testsupport::ProgramRun;
using lumetra::testsupport::startProgram;

QString tool(const char* name) {
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

// One package for the whole suite, built and unpacked on first use (building it is the slow
// part), removed with its folder when the program ends; on failure `failed` or `skipped` says why.
struct Package {
    Package();
    QTemporaryDir dir;
    QString deb;
    QString root;   // where the package is unpacked
    QString failed; // why there is no package
    QString skipped;
};

Package::Package() {
    for (const char* needed : {"dpkg-deb", "dpkg-shlibdeps"}) {
        if (tool(needed).isEmpty()) {
            skipped = QStringLiteral("%1 non è installato (pacchetto dpkg-dev): il pacchetto "
                                     "Debian non si può costruire")
                          .arg(QString::fromLatin1(needed));
            return;
        }
    }
    // dpkg-shlibdeps reads every binary: minutes for a sanitized build on a busy machine.
    const ProgramRun cpack =
        startProgram(QStringLiteral(LUMETRA_CPACK),
                     {"--config", QStringLiteral(LUMETRA_CPACK_CONFIG), "-B", dir.filePath("deb")},
                     QProcessEnvironment::systemEnvironment(), 280);
    const QStringList debs = QDir(dir.filePath("deb")).entryList({"*.deb"}, QDir::Files);
    if (cpack.exitCode != 0 || debs.size() != 1) {
        // The package takes every installed file: each must have been built.
        failed = QStringLiteral("cpack (costruire prima tutto il progetto, cmake --build): ") +
                 QString::fromUtf8(cpack.output) + cpack.errors;
        return;
    }
    deb = dir.filePath(QStringLiteral("deb/") + debs.front());
    root = dir.filePath("root");
    const ProgramRun unpack = startProgram(tool("dpkg-deb"), {"-x", deb, root});
    if (unpack.exitCode != 0) {
        failed = QStringLiteral("dpkg-deb -x: ") + unpack.errors;
    }
}

Package& package() {
    static Package built;
    return built;
}

class PackageTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!package().skipped.isEmpty()) {
            GTEST_SKIP() << package().skipped.toStdString();
        }
        ASSERT_TRUE(package().failed.isEmpty()) << package().failed.toStdString();
    }
    static QString installed(const QString& path) { return package().root + "/usr/" + path; }
    static QString control(const char* field) {
        const ProgramRun run = startProgram(tool("dpkg-deb"), {"-f", package().deb, field});
        EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
        return QString::fromUtf8(run.output).trimmed();
    }
};

// --- Files in their standard places ---------------------------------------------------------

struct InstalledFile {
    QString path;   // under /usr
    QString source; // the file in the tree it is a copy of (empty: built, or compressed)
    int iconSize;   // a PNG icon of this size; 0 none
};

TEST_F(PackageTest, FilesStandInTheirStandardPlace) {
    std::vector<InstalledFile> rows{
        {"share/applications/it.lumetra.Lumetra.desktop", "data/it.lumetra.Lumetra.desktop", 0},
        {"share/metainfo/it.lumetra.Lumetra.metainfo.xml", "data/it.lumetra.Lumetra.metainfo.xml",
         0},
        {"share/icons/hicolor/scalable/apps/lumetra.svg", "data/icons/lumetra.svg", 0},
        {"share/doc/lumetra/examples/catalogo-a4.pub", "examples/catalogo-a4.pub", 0},
        {"share/doc/lumetra/examples/foto/ART-1030.jpg", "examples/foto/ART-1030.jpg", 0}};
    for (const QString program : {"lumetra", "lumetra-componi", "lumetra-pubinfo"}) {
        rows.push_back({"bin/" + program, "", 0});
        rows.push_back({"share/man/man1/" + program + ".1.gz", "", 0});
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        rows.push_back(
            {QStringLiteral("share/icons/hicolor/%1x%1/apps/lumetra.png").arg(size), "", size});
    for (const InstalledFile& row : rows) {
        SCOPED_TRACE(row.path.toStdString());
        const QFileInfo file(installed(row.path));
        ASSERT_TRUE(file.isFile());
        EXPECT_GT(file.size(), 0);
        if (row.path.startsWith("bin/")) {
            EXPECT_TRUE(file.isExecutable());
        }
        if (!row.source.isEmpty()) {
            EXPECT_EQ(lumetra::testimages::readBytes(file.filePath()),
                      lumetra::testimages::readBytes(QStringLiteral(LUMETRA_SOURCE_DIR "/") +
                                                     row.source));
        }
        if (row.iconSize > 0) {
            const QImage icon(file.filePath());
            EXPECT_EQ(icon.size(), QSize(row.iconSize, row.iconSize));
            EXPECT_TRUE(icon.hasAlphaChannel());
        }
    }
}

// Nothing outside /usr: the package never writes where the system's own files live.
TEST_F(PackageTest, InstallsUnderUsrOnly) {
    EXPECT_EQ(QDir(package().root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{"usr"});
}

// --- Control fields -------------------------------------------------------------------------

// The name, version and section; dpkg-shlibdeps read the dependencies from the libraries the
// programs are linked with, the plugins Qt loads at run time are declared by hand.
TEST_F(PackageTest, NamesItselfAndDeclaresItsDependencies) {
    EXPECT_EQ(control("Package"), QStringLiteral("lumetra"));
    EXPECT_EQ(control("Version"), QStringLiteral("1.0.4"));
    EXPECT_EQ(control("Section"), QStringLiteral("graphics"));
    QStringList declared;
    for (const QString& entry : control("Depends").split(QStringLiteral(", ")))
        declared << entry.section(QLatin1Char(' '), 0, 0);
    for (const char* package :
         {"libc6", "libstdc++6", "libqt6core6", "libqt6widgets6", "libqt6printsupport6",
          "libmspub-0.1-1", "librevenge-0.0-0", "libfontconfig1", "qt6-qpa-plugins"})
        EXPECT_TRUE(declared.contains(QString::fromLatin1(package)))
            << package << " in " << declared.join(", ").toStdString();
}

// --- The unpacked programs and files in use -------------------------------------------------

// The sample job as its README gives it, from the installed example: 30 photos, three pages;
// the layout inspector reads the same layout.
TEST_F(PackageTest, ComposesTheInstalledExample) {
    const QString examples = installed("share/doc/lumetra/examples");
    const QStringList photos = QDir(examples + "/foto").entryList({"*.jpg"}, QDir::Files);
    ASSERT_EQ(photos.size(), 30);
    const QString pdf = package().dir.filePath("catalogo.pdf");
    const ProgramRun compose = startProgram(
        installed("bin/lumetra-componi"),
        QStringList{"--layout", examples + "/catalogo-a4.pub", "--cartella", examples + "/foto",
                    "--esterno", "2", "--interno", "1", "--altezza", "0,7", "--pdf", pdf} +
            photos);
    ASSERT_EQ(compose.exitCode, 0) << compose.errors.toStdString();
    const ProgramRun inspect =
        startProgram(installed("bin/lumetra-pubinfo"), {examples + "/catalogo-a4.pub"});
    EXPECT_EQ(inspect.exitCode, 0) << inspect.errors.toStdString();
    EXPECT_TRUE(inspect.output.trimmed().startsWith('{')) << inspect.output.left(200).toStdString();
    if (tool("pdfinfo").isEmpty()) {
        GTEST_SKIP() << "pdfinfo non è installato (poppler-utils): pagine non contate";
    }
    const ProgramRun info = startProgram(tool("pdfinfo"), {pdf});
    EXPECT_TRUE(QString::fromUtf8(info.output).contains(QRegularExpression("\\nPages: +3\\n")))
        << info.output.toStdString();
}

// Every desktop entry, metainfo file and man page in the package, those of the other programs
// included, passes its validator without errors (man: without warnings).
TEST_F(PackageTest, ValidatorsAcceptTheInstalledFiles) {
    const struct {
        const char* validator;
        QStringList arguments; // before the file
        const char* folder;    // under /usr: every file of it ending in `suffix` is checked
        const char* suffix;
    } rows[] = {{"desktop-file-validate", {}, "share/applications", ".desktop"},
                {"appstreamcli", {"validate", "--no-net"}, "share/metainfo", ".metainfo.xml"},
                {"man", {"--warnings", "-E", "UTF-8", "-l"}, "share/man/man1", ".1.gz"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.validator);
        const QString validator = tool(row.validator);
        if (validator.isEmpty()) {
            std::cout << "[ SKIPPED  ] " << row.validator << " non è installato\n";
            continue;
        }
        QDirIterator it(installed(QString::fromLatin1(row.folder)),
                        {QStringLiteral("*") + QString::fromLatin1(row.suffix)}, QDir::Files);
        ASSERT_TRUE(it.hasNext()) << row.folder;
        while (it.hasNext()) {
            const QString file = it.next();
            const ProgramRun run = startProgram(validator, row.arguments + QStringList{file});
            EXPECT_EQ(run.exitCode, 0) << file.toStdString() << "\n"
                                       << run.output.toStdString() << run.errors.toStdString();
            if (QString::fromLatin1(row.validator) == QStringLiteral("man")) {
                EXPECT_TRUE(run.errors.isEmpty())
                    << file.toStdString() << ": " << run.errors.toStdString();
            }
        }
    }
}

} // namespace
