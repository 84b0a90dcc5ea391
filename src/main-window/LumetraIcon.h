#pragma once
// The application's icon, drawn at 16 x 16 and 32 x 32 pixels: a catalogue page with four photo
// slots and a caption strip.

#include <QIcon>

namespace lumetra::mainwindow {

QIcon LumetraIcon();

} // namespace lumetra::mainwindow
