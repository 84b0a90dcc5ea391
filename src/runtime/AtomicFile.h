#pragma once
// Writes a file so that readers see either the old file or the new one, never a part.
//
//   AtomicFile out(path, Replace::Allowed);
//   if (!out.open().written()) ...          // the target is refused or its folder unwritable
//   out.device()->write(...);               // or hand the device to a QPdfWriter
//   FileWriteResult done = out.commit();    // flushed, synced, renamed onto the target
//
// The bytes go to a temporary file in the target's folder (its name cut to fit the file system's
// limit, so any name the system accepts can be saved), are flushed to disk, and the temporary
// file is then renamed onto the target; until then the target is untouched, and a
// temporary file never committed is removed. A target that is a symbolic link or no regular file
// is refused (nothing is ever written through a link), and an existing file is replaced only
// when the caller allows it; without that permission the rename itself refuses to replace a file
// that appeared in the meantime. Write errors (a full disk, a file-size limit) make commit fail.
// Names are carried as runtime::nativeName describes, so a name that is not UTF-8 is kept.

#include <QByteArray>
#include <QString>

#include <memory>

class QFile;
class QIODevice;

namespace lumetra::runtime {

enum class Replace { Never, Allowed };

struct FileWriteResult {
    enum class Status {
        Written,
        Exists,   // a file of that name exists and replacing it was not allowed
        NotAFile, // the name is a folder, a symbolic link or another special file
        Failed,   // the folder cannot be written, the disk is full, ...
    };
    Status status = Status::Failed;
    QString message; // Italian, naming the file; empty when written

    bool written() const { return status == Status::Written; }
};

class AtomicFile {
public:
    AtomicFile(QString path, Replace replace);
    ~AtomicFile(); // removes the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Checks the target and creates the temporary file; written() when writing may begin.
    FileWriteResult open();
    // The temporary file, open for writing (null before a successful open()).
    QIODevice* device() const;
    // Flushes and syncs what was written and renames it onto the target.
    FileWriteResult commit();

private:
    QString path_;
    QByteArray target_; // the target's name as the system knows it
    QByteArray temporaryName_;
    Replace replace_;
    std::unique_ptr<QFile> temporary_;
    bool committed_ = false;
};

FileWriteResult writeFileAtomically(const QString& path, const QByteArray& bytes, Replace replace);

} // namespace lumetra::runtime
