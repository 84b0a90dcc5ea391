// Saving a layout: written whole through a temporary file, never replacing a file unless
// allowed, never writing through a symbolic link, and leaving no temporary file behind.

#include "AtomicFile.h"
#include "TestImages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using lumetra::runtime::FileWriteResult;
using lumetra::runtime::Replace;
using lumetra::runtime::writeFileAtomically;
using lumetra::testimages::readBytes;
using lumetra::testimages::writeBytes;
using Status = FileWriteResult::Status;

enum class Before { Nothing, File, LinkToFile, Folder, MissingFolder };

struct Row {
    const char* name;
    Before before;
    Replace replace;
    Status status;
    const char* message; // part of the Italian message; empty when written
    bool targetIsNew;    // the target name holds the new bytes afterwards
};

const Row Rows[] = {
    {"new_file", Before::Nothing, Replace::Never, Status::Written, "", true},
    {"existing_file_kept", Before::File, Replace::Never, Status::Exists, "esiste già", false},
    {"existing_file_replaced", Before::File, Replace::Allowed, Status::Written, "", true},
    {"link_refused_even_when_replacing", Before::LinkToFile, Replace::Allowed, Status::NotAFile,
     "collegamento simbolico", false},
    {"folder_refused", Before::Folder, Replace::Allowed, Status::NotAFile, "non è un file", false},
    {"missing_folder", Before::MissingFolder, Replace::Never, Status::Failed, "non esiste", false},
};

TEST(AtomicFile, WritesReplacesOrRefusesAsAskedAndLeavesNothingBehind) {
    const QByteArray fresh("nuovo layout");
    const QByteArray old("vecchio");
    for (const Row& row : Rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const QString target =
            dir.filePath(row.before == Before::MissingFolder ? QStringLiteral("manca/layout.pub")
                                                             : QStringLiteral("layout.pub"));
        const QString other = dir.filePath(QStringLiteral("altro.pub"));
        writeBytes(other, old);
        switch (row.before) {
        case Before::File:
            writeBytes(target, old);
            ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
            break;
        case Before::LinkToFile:
            ASSERT_TRUE(QFile::link(other, target));
            break;
        case Before::Folder:
            ASSERT_TRUE(QDir().mkpath(target));
            break;
        default:
            break;
        }

        const FileWriteResult result = writeFileAtomically(target, fresh, row.replace);
        EXPECT_EQ(result.status, row.status) << result.message.toStdString();
        if (*row.message == 0) {
            EXPECT_TRUE(result.message.isEmpty()) << result.message.toStdString();
        } else {
            EXPECT_TRUE(result.message.contains(QString::fromUtf8(row.message)))
                << result.message.toStdString();
        }
        if (row.targetIsNew) {
            EXPECT_EQ(readBytes(target), fresh);
            EXPECT_FALSE(QFileInfo(target).isSymLink());
            // A replaced file keeps its permissions; a new one gets the usual ones.
            const auto permissions = QFileInfo(target).permissions();
            EXPECT_TRUE(permissions & QFile::ReadGroup);
            EXPECT_EQ(bool(permissions & QFile::ReadOther), row.before == Before::Nothing);
        } else if (row.before == Before::File) {
            EXPECT_EQ(readBytes(target), old);
        }
        // The file a link points to is never written.
        EXPECT_EQ(readBytes(other), old);
        // Only the files the row made are left.
        QStringList left =
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        left.removeAll(QStringLiteral("altro.pub"));
        left.removeAll(QStringLiteral("layout.pub"));
        EXPECT_TRUE(left.isEmpty()) << left.join(' ').toStdString();
    }
}

} // namespace
