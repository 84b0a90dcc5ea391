#pragma once
// Writes a whole file so that readers see either the old file or the new one, never a part.
//
// The bytes go to a temporary file in the target's folder, are flushed to disk, and the
// temporary file is then renamed onto the target. A target that is a symbolic link is refused
// (the link's own file is never written through it), and an existing file is replaced only
// when the caller allows it; without that permission the rename itself refuses to replace a file
// that appeared in the meantime.

#include <QByteArray>
#include <QString>

namespace lumetra::layoutwriter {

enum class Replace { Never, Allowed };

struct FileWriteResult {
    enum class Status {
        Written,
        Exists,   // a file of that name exists and replacing it was not allowed
        NotAFile, // the name is a folder, a symbolic link or another special file
        Failed,   // the folder cannot be written, the disk is full, ...
    };
    Status status = Status::Failed;
    QString message; // Italian; empty when written

    bool written() const { return status == Status::Written; }
};

FileWriteResult writeFileAtomically(const QString& path, const QByteArray& bytes, Replace replace);

} // namespace lumetra::layoutwriter
