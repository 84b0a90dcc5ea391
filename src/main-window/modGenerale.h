#pragma once
// What the whole program shares: the file-system object and the application's title and version.

#include "Application.h"
#include "FileSystemObject.h"

#include <QString>

#include <memory>

namespace lumetra::modGenerale {

// Created by the main window when it loads, released when it unloads.
extern std::shared_ptr<platform::FileSystemObject> objFileSystem;

inline constexpr int AppMajor = runtime::ApplicationMajor;
inline constexpr int AppMinor = runtime::ApplicationMinor;
inline constexpr int AppRevision = runtime::ApplicationRevision;

} // namespace lumetra::modGenerale
