#pragma once
// The folder picker: a modal folder chooser owned by the main window.

#include <QString>

namespace lumetra::platform {
class DialogHost;
}

namespace lumetra::geometry {

// Shows the folder chooser with the given title, starting at `start` (the root folder when it is
// empty), and returns the chosen folder's path without a trailing separator; the root folder
// itself stays "/". Cancel gives the empty text.
QString SfogliaCartella(platform::DialogHost& host, const QString& start, const QString& title);

} // namespace lumetra::geometry
