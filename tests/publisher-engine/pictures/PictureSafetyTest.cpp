// Pictures as a hostile user makes them: an EPS whose program tries to write, rename and delete
// the job's files.

#include "Error.h"
#include "PictureFile.h"
#include "TestImages.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <string>

using namespace lumetra::engine;
namespace images = lumetra::testimages;

namespace {

// Every file and folder under `root`, with a digest of its bytes.
std::map<std::string, std::string> snapshot(const QString& root) {
    std::map<std::string, std::string> files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[QDir(root).relativeFilePath(path).toStdString()] =
            it.fileInfo().isDir()
                ? "cartella"
                : QCryptographicHash::hash(images::readBytes(path), QCryptographicHash::Sha1)
                      .toHex()
                      .toStdString();
    }
    return files;
}

// The job's folder and the temporary folder's own files, all under TMPDIR for the test.
struct TemporaryRoot {
    QTemporaryDir dir;
    QByteArray saved = qgetenv("TMPDIR");
    TemporaryRoot() { qputenv("TMPDIR", QFile::encodeName(dir.path())); }
    ~TemporaryRoot() { saved.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", saved); }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
};

} // namespace

// Each attempt runs under `stopped`: one that succeeds turns the drawing red; the drawing coming
// out green shows the program ran to its end.
TEST(PictureSafety, AnEpsProgramCannotTouchTheJobsFilesNorTheTemporaryFolder) {
    if (QStandardPaths::findExecutable(QStringLiteral("gs")).isEmpty()) {
        GTEST_SKIP() << "Ghostscript (gs) is not installed";
    }
    TemporaryRoot root;
    ASSERT_TRUE(QDir(root.dir.path()).mkpath(QStringLiteral("lavoro")));
    images::writeTextFile(root.path("lavoro/layout.pub"), QStringLiteral("layout"));
    images::writeJpeg(root.path("lavoro/A123.jpg"), QSize(40, 30), Qt::blue);
    images::writeTextFile(root.path("di-sistema.txt"), QStringLiteral("di un altro programma"));
    QByteArray program = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 20 20\n/touched false def\n";
    for (const char* name : {"lavoro/layout.pub", "lavoro/A123.jpg", "di-sistema.txt"}) {
        const QByteArray file = "(" + QFile::encodeName(root.path(name)) + ")";
        for (const QByteArray& attempt :
             {file + " (w) file closefile", file + " (a) file dup (x) writestring closefile",
              file + " (r) file closefile", file + " deletefile",
              file + " " + file.chopped(1) + ".mosso) renamefile",
              file.chopped(1) + ".nuovo) (w) file closefile"}) {
            program += "{ " + attempt + " } stopped not { /touched true def } if\n";
        }
    }
    program += "touched { 1 0 0 } { 0 1 0 } ifelse setrgbcolor 0 0 20 20 rectfill showpage\n";
    const QString eps = images::writeBytes(root.path("lavoro/logo.eps"), program);
    const auto before = snapshot(root.dir.path());

    const auto file = PictureFile::open(eps); // probed: rendered once
    QString error;
    const auto picture = file->decode(QSize(20, 20), &error); // and again, to draw
    ASSERT_TRUE(picture) << error.toStdString();
    EXPECT_EQ(picture->image().pixelColor(10, 10), QColor(Qt::green));
    EXPECT_EQ(snapshot(root.dir.path()), before); // nothing changed, nothing new, nothing left
}
