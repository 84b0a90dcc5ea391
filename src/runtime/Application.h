#pragma once
// The application's name, the caption of every message box and window, and its version.

#include <QString>

namespace lumetra::runtime {

inline const QString ApplicationTitle = QStringLiteral("Lumetra");
inline constexpr int ApplicationMajor = LUMETRA_VERSION_MAJOR;
inline constexpr int ApplicationMinor = LUMETRA_VERSION_MINOR;
inline constexpr int ApplicationRevision = LUMETRA_VERSION_PATCH;

// "1.0.4"
inline QString applicationVersion() {
    return QStringLiteral("%1.%2.%3")
        .arg(ApplicationMajor)
        .arg(ApplicationMinor)
        .arg(ApplicationRevision);
}

} // namespace lumetra::runtime
