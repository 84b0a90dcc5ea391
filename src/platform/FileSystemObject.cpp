#include "FileSystemObject.h"

#include "FileNames.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace lumetra::platform {

namespace {

bool statPath(const QByteArray& encoded, struct stat& info) {
    return !encoded.isEmpty() && ::stat(encoded.constData(), &info) == 0;
}

} // namespace

bool LocalFileSystem::FileExists(const QString& path) const {
    struct stat info {};
    return statPath(runtime::nativeName(path), info) && !S_ISDIR(info.st_mode);
}

bool LocalFileSystem::FolderExists(const QString& path) const {
    struct stat info {};
    return statPath(runtime::nativeName(path), info) && S_ISDIR(info.st_mode);
}

Folder LocalFileSystem::GetFolder(const QString& path) const {
    Folder folder;
    folder.Path = path;
    const QByteArray encodedFolder = runtime::nativeName(path);
    DIR* dir = ::opendir(encodedFolder.constData());
    if (dir == nullptr) {
        return folder;
    }
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const char* rawName = entry->d_name;
        if (rawName[0] == '.' &&
            (rawName[1] == '\0' || (rawName[1] == '.' && rawName[2] == '\0'))) {
            continue;
        }
        bool isFile = entry->d_type == DT_REG;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat info {};
            isFile = ::fstatat(dirFd, rawName, &info, 0) == 0 && !S_ISDIR(info.st_mode);
        } else if (entry->d_type != DT_REG) {
            // Folders, devices, sockets and pipes are not files to print.
            isFile = false;
        }
        if (!isFile) {
            continue;
        }
        // Every name, UTF-8 or not, is carried so that it opens again.
        folder.Files.append(runtime::fromNativeName(QByteArray(rawName)));
    }
    ::closedir(dir);
    std::sort(folder.Files.begin(), folder.Files.end(), [](const QString& a, const QString& b) {
        const int byCase = a.compare(b, Qt::CaseInsensitive);
        return byCase != 0 ? byCase < 0 : a < b;
    });
    return folder;
}

} // namespace lumetra::platform
