#pragma once
// What the whole program shares: the file-system object and the application's title and version.

#include "FileSystemObject.h"

#include <QString>

#include <memory>

namespace lumetra::modGenerale {

// Created by the main window when it loads, released when it unloads.
extern std::shared_ptr<platform::FileSystemObject> objFileSystem;

inline const QString AppTitle = QStringLiteral("Lumetra");
inline constexpr int AppMajor = LUMETRA_VERSION_MAJOR;
inline constexpr int AppMinor = LUMETRA_VERSION_MINOR;
inline constexpr int AppRevision = LUMETRA_VERSION_PATCH;

} // namespace lumetra::modGenerale
