#pragma once
// The file-system object: existence checks and the files of a folder.

#include <QString>
#include <QStringList>

namespace lumetra::platform {

struct Folder {
    QString Path;
    // Names of the files directly in the folder (no subfolders), sorted by name without regard
    // to case. Every name is carried as runtime::nativeName describes, so a name that is not
    // UTF-8 is listed and found again; runtime::shownName gives it for the user.
    QStringList Files;
};

class FileSystemObject {
public:
    virtual ~FileSystemObject() = default;
    // True for an existing file (or a link to one), never for a folder.
    virtual bool FileExists(const QString& path) const = 0;
    virtual bool FolderExists(const QString& path) const = 0;
    // The folder and its files. A folder that cannot be read, or stops being readable while it
    // is listed, gives the files read so far.
    virtual Folder GetFolder(const QString& path) const = 0;
};

class LocalFileSystem : public FileSystemObject {
public:
    bool FileExists(const QString& path) const override;
    bool FolderExists(const QString& path) const override;
    Folder GetFolder(const QString& path) const override;
};

} // namespace lumetra::platform
