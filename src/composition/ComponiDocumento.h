#pragma once
// One print job's composition: starts the application, opens the layout, fills the rectangles of
// its first page with the queued pictures page after page, captions them, then prints the
// document or shows it, and lets the application go.

#include "ContestoComposizione.h"

namespace lumetra::composition {

// Anteprima true shows the composed pages instead of printing them. Gives true when the document
// was printed or shown; every failure has been told to the user through contesto.MsgBox. Never
// throws.
bool ComponiDocumento(ContestoComposizione& contesto, bool Anteprima);

} // namespace lumetra::composition
