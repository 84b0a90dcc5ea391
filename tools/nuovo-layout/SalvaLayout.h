#pragma once
// Saving a new layout from the window: a save dialog, then an atomic write that never replaces
// an existing file without asking.

#include "LayoutPlan.h"

#include <QString>

class QWidget;

namespace lumetra::nuovolayout {

// Asks for the file (starting in `cartella` with `nomeProposto`), writes it and says why not
// when it cannot. Gives the path written, or the empty text when nothing was written.
QString SalvaLayout(QWidget* finestra, const layoutwriter::LayoutPlan& piano,
                    const QString& cartella, const QString& nomeProposto);

} // namespace lumetra::nuovolayout
