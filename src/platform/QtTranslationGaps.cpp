#include "QtTranslationGaps.h"

#include <cstring>

namespace lumetra::platform {

namespace {

struct Text {
    const char* context;
    const char* source;
    const char* italian;
};

constexpr Text Texts[] = {
    {"QAbstractFileIconProvider", "Folder", "Cartella"},
    {"QAbstractFileIconProvider", "Drive", "Unità"},
    {"QAbstractFileIconProvider", "Shortcut", "Collegamento"},
    {"QAbstractFileIconProvider", "Unknown", "Sconosciuto"},
    {"QPrintSettingsOutput", "Pages", "Pagine"},
    {"QPrintSettingsOutput", "Double Sided Printing", "Stampa fronte-retro"},
    {"QPrintSettingsOutput", "Off", "No"},
    {"QPrintSettingsOutput", "Long side binding", "Rilegatura sul lato lungo"},
    {"QPrintSettingsOutput", "Short side binding", "Rilegatura sul lato corto"},
    {"QPrintSettingsOutput",
     "Specify pages or ranges separated by commas. Ranges are specified by two numbers "
     "separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
     "Indicare pagine o intervalli separati da virgole; un intervallo è dato da due numeri "
     "separati da un trattino. Ad esempio 3,5-7,9 stampa le pagine 3, 5, 6, 7 e 9."},
};

} // namespace

QString QtTranslationGaps::translate(const char* context, const char* sourceText,
                                     const char* /*disambiguation*/, int /*n*/) const {
    if (context == nullptr || sourceText == nullptr) {
        return QString();
    }
    for (const Text& text : Texts) {
        if (std::strcmp(text.context, context) == 0 && std::strcmp(text.source, sourceText) == 0) {
            return QString::fromUtf8(text.italian);
        }
    }
    return QString();
}

} // namespace lumetra::platform
