#pragma once
// Family names of a layout's fonts (Windows names such as "Times New Roman") mapped to installed
// families. A family the user has installed is used as it is; otherwise the substitution table
// (FontMatcher.cpp) names families that keep the original's widths, and fontconfig's best match
// stands in when none of them is installed.

#include <QString>

namespace lumetra::drawing {

struct FontChoice {
    QString family;
    bool substituted = false; // the layout's own family is not installed
    bool bold = false;        // the original is a heavy face whose stand-in needs bold
};

// The installed family that stands in for `family`; results are cached. Safe from any thread;
// needs the application's QGuiApplication.
FontChoice chooseFont(const QString& family);

} // namespace lumetra::drawing
