// Pictures as a hostile user makes them: an EPS whose program tries to write, rename and delete
// the job's files, a photo that changes while it is read and decoded (cut pictures of every
// format are swept by the format test).

#include "Error.h"
#include "PictureFile.h"
#include "TestImages.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <string>
#include <thread>

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

// A photo shortened, grown back and rewritten over and over while it is read and decoded, both
// through the file held since it was added and opened anew: never a crash; the picture comes
// out, or a reason is given, naming the file where the picture is added.
TEST(PictureSafety, APhotoChangingWhileItIsReadIsRefusedOrDamagedNeverACrash) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("A123.jpg"));
    images::writeJpeg(path, images::photoLikeImage(QSize(2400, 1600)), 95);
    const QByteArray whole = images::readBytes(path);
    const auto held = PictureFile::open(path);
    std::atomic<bool> done{false};
    std::thread changer([&] {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        for (int turn = 0; !done; ++turn) {
            file.resize(whole.size() / (2 + turn % 5));
            file.seek(0);
            file.write(turn % 3 ? whole : whole.left(whole.size() / 2) + whole);
            file.flush();
        }
    });
    for (int turn = 0; turn < 30; ++turn) {
        QString error;
        const auto picture = held->decode(QSize(240, 160), &error);
        EXPECT_TRUE(picture || !error.isEmpty());
        try {
            PictureFile::open(path)->decode(QSize(24, 16), &error);
        } catch (const lumetra::runtime::Error& e) {
            EXPECT_TRUE(e.Description().contains(QStringLiteral("'A123.jpg'")))
                << e.Description().toStdString();
        }
    }
    done = true;
    changer.join();
}
