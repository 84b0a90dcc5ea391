#pragma once
// How the characters of a span are decorated: underline style, outline, relief and shadow, as
// the layout program offers them.

#include <QPointF>

namespace lumetra::drawing {

enum class UnderlineStyle { None, Solid, Dotted, Dash, LongDash, DotDash, DotDotDash, Wave };
enum class Relief { None, Embossed, Engraved };

struct CharacterEffects {
    UnderlineStyle underline = UnderlineStyle::None;
    bool doubleUnderline = false;
    bool boldUnderline = false;
    bool wordsOnly = false; // the spaces between words stay without underline
    bool outline = false;   // hollow letters
    Relief relief = Relief::None;
    bool shadow = false;
    QPointF shadowOffset; // inches, right and down

    // A copy of the text drawn behind it (shadow, relief).
    bool drawsBehind() const { return shadow || relief != Relief::None; }
};

} // namespace lumetra::drawing
