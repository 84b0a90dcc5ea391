#pragma once
// The application's icon (data/icons): a catalogue page with four photo slots and their
// captions.

#include <QIcon>

namespace lumetra::mainwindow {

// The window's icon, in its two images of 16 x 16 and 32 x 32 pixels.
QIcon LumetraIcon();
// Every size of the icon, from 16 x 16 to 256 x 256 pixels: the application's icon, which the
// window manager and the program's other windows show.
QIcon LumetraIconaApplicazione();

} // namespace lumetra::mainwindow
