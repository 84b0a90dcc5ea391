#include "Layout.h"

#include "ByteView.h"
#include "CompoundFile.h"
#include "InputFile.h"
#include "RawLayout.h"
#include "Reader2000.h"
#include "Reader2002.h"

#include "FileNames.h"

#include <librevenge-stream/librevenge-stream.h>

#include <algorithm>
#include <limits>
#include <new>

namespace lumetra::pub {

namespace {

runtime::Error notALayout(const QString& reason) {
    return runtime::Error(runtime::ErrLayoutNonValido,
                          QStringLiteral("Impossibile caricare il layout: %1.").arg(reason));
}

Layout readStructured(librevenge::RVNGInputStream& input) {
    using namespace detail;
    if (!isCompoundFile(input)) {
        throw notALayout(QStringLiteral("il file non è un documento di Publisher"));
    }
    const auto contents = readSubStream(input, "Contents");
    if (!contents || contents->size() < 4 || (*contents)[0] != 0xE8 || (*contents)[1] != 0xAC ||
        (*contents)[3] != 0x00) {
        throw notALayout(QStringLiteral("il file non è un documento di Publisher"));
    }
    const std::uint8_t marker = (*contents)[2];
    if (marker == 0x2C) {
        const auto escher = readSubStream(input, "Escher/EscherStm");
        if (!escher || !input.existsSubStream("Quill/QuillSub/CONTENTS")) {
            throw notALayout(QStringLiteral("mancano parti del documento"));
        }
        return LayoutAccess::build(read2002(*contents, *escher));
    }
    if (marker == 0x22) {
        const bool quill = input.existsSubStream("Quill/QuillSub/CONTENTS");
        return LayoutAccess::build(
            read2000(*contents, quill ? Version::Publisher2000 : Version::Publisher97));
    }
    throw notALayout(QStringLiteral("versione di Publisher non supportata"));
}

} // namespace

QString versionName(Version version) {
    switch (version) {
    case Version::Publisher2002:
        return QStringLiteral("2002-2019");
    case Version::Publisher2000:
        return QStringLiteral("98/2000");
    case Version::Publisher97:
        return QStringLiteral("95/97");
    }
    return {};
}

Layout Layout::readStream(librevenge::RVNGInputStream& input) {
    try {
        return readStructured(input);
    } catch (const runtime::Error&) {
        throw;
    } catch (const detail::Damaged& damaged) {
        throw notALayout(
            QStringLiteral("file danneggiato (%1)").arg(QString::fromUtf8(damaged.reason)));
    } catch (const detail::Unsupported& unsupported) {
        throw notALayout(QString::fromUtf8(unsupported.reason));
    } catch (const std::bad_alloc&) {
        throw notALayout(QStringLiteral("memoria insufficiente"));
    } catch (...) {
        // librevenge throws its own exceptions on broken compound files.
        throw notALayout(QStringLiteral("file danneggiato"));
    }
}

Layout Layout::readBytes(const std::uint8_t* data, std::size_t size) {
    if (size > std::numeric_limits<unsigned int>::max()) {
        throw notALayout(QStringLiteral("file troppo grande"));
    }
    try {
        librevenge::RVNGStringStream stream(data, static_cast<unsigned int>(size));
        return readStream(stream);
    } catch (const runtime::Error&) {
        throw;
    } catch (...) {
        throw notALayout(QStringLiteral("file danneggiato"));
    }
}

QByteArray readLayoutFile(const QString& path) {
    const runtime::InputFileCheck check = runtime::checkInputFile(path);
    const QString shown = runtime::shownName(path);
    switch (check.problem) {
    case 0:
        break;
    case runtime::ErrPermessoNegato:
        throw runtime::Error(runtime::ErrPermessoNegato,
                             QStringLiteral("Accesso negato al file di layout '%1'.").arg(shown));
    case runtime::ErrFileNonTrovato:
        throw runtime::Error(runtime::ErrFileNonTrovato,
                             QStringLiteral("Il file di layout '%1' non esiste.").arg(shown));
    default:
        throw runtime::Error(runtime::ErrPercorsoNonValido,
                             QStringLiteral("'%1' non è un file di layout.").arg(shown));
    }
    if (check.size > MaxLayoutFileSize) {
        throw notALayout(
            QStringLiteral("il file è troppo grande (più di %1 MB)").arg(MaxLayoutFileSize >> 20));
    }
    const std::optional<QByteArray> bytes = runtime::readInputFile(path, MaxLayoutFileSize);
    if (!bytes || bytes->isEmpty() || bytes->size() > MaxLayoutFileSize) {
        throw notALayout(QStringLiteral("il file non si può leggere"));
    }
    return *bytes;
}

Layout Layout::readFile(const QString& path) {
    const QByteArray bytes = readLayoutFile(path);
    return readBytes(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                     static_cast<std::size_t>(bytes.size()));
}

std::vector<int> Layout::pictureSlots(int pageIndex) const {
    std::vector<int> result;
    if (pageIndex < 0 || pageIndex >= static_cast<int>(pages_.size())) {
        return result;
    }
    const auto& shapes = pages_[static_cast<std::size_t>(pageIndex)].shapes;
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        if (shapes[i].isPictureSlot()) {
            result.push_back(static_cast<int>(i) + 1);
        }
    }
    return result;
}

namespace {

std::vector<StreamPatch> collectPatches(const auto& links, int index,
                                        const std::vector<int>& shapeIndices) {
    std::vector<StreamPatch> patches;
    if (index < 0 || index >= static_cast<int>(links.size())) {
        return patches;
    }
    const auto& page = links[static_cast<std::size_t>(index)];
    for (const int shape : shapeIndices) {
        if (shape < 0 || shape >= static_cast<int>(page.size())) {
            continue;
        }
        for (const StreamPatch& patch : page[static_cast<std::size_t>(shape)]) {
            if (std::find(patches.begin(), patches.end(), patch) == patches.end()) {
                patches.push_back(patch);
            }
        }
    }
    return patches;
}

} // namespace

std::vector<StreamPatch> Layout::hidePatches(int pageIndex,
                                             const std::vector<int>& shapeIndices) const {
    return collectPatches(pageLinks_, pageIndex, shapeIndices);
}

std::vector<StreamPatch> Layout::hideMasterPatches(int masterIndex,
                                                   const std::vector<int>& shapeIndices) const {
    return collectPatches(masterLinks_, masterIndex, shapeIndices);
}

std::vector<int> Layout::drawnPages(const std::vector<HiddenShapes>& hidden) const {
    std::vector<int> drawn;
    for (const int pageIndex : libmspubOrder_) {
        if (pageIndex < 0) {
            drawn.push_back(-1); // a special page of an older file that libmspub draws
            continue;
        }
        const auto& links = pageLinks_[static_cast<std::size_t>(pageIndex)];
        bool hasOwnShape = false;
        for (std::size_t i = 0; i < links.size() && !hasOwnShape; ++i) {
            if (links[i].empty()) {
                continue; // a shape libmspub does not read
            }
            const bool isHidden =
                std::any_of(hidden.begin(), hidden.end(), [&](const HiddenShapes& h) {
                    return h.pageIndex == pageIndex &&
                           std::find(h.shapeIndices.begin(), h.shapeIndices.end(),
                                     static_cast<int>(i)) != h.shapeIndices.end();
                });
            hasOwnShape = !isHidden;
        }
        if (hasOwnShape) {
            drawn.push_back(pageIndex);
        }
    }
    return drawn;
}

int Layout::drawnPosition(int pageIndex, const std::vector<HiddenShapes>& hidden) const {
    const std::vector<int> drawn = drawnPages(hidden);
    const auto it = std::find(drawn.begin(), drawn.end(), pageIndex);
    return it == drawn.end() ? -1 : static_cast<int>(it - drawn.begin());
}

Layout detail::LayoutAccess::build(RawLayout raw) {
    if (raw.pages.empty()) {
        throw notALayout(QStringLiteral("il documento non ha pagine"));
    }
    std::size_t shapeCount = 0;
    for (const auto* list : {&raw.pages, &raw.masters}) {
        for (const RawPage& page : *list) {
            shapeCount += page.shapes.size();
        }
    }
    if (shapeCount == 0) {
        throw notALayout(QStringLiteral("il documento non contiene forme"));
    }
    Layout layout;
    layout.version_ = raw.version;
    layout.pageWidth_ = raw.pageWidth;
    layout.pageHeight_ = raw.pageHeight;
    auto move = [](std::vector<RawPage>& from, std::vector<Page>& pages, auto& links) {
        for (RawPage& rawPage : from) {
            Page page = std::move(rawPage.page);
            std::vector<std::vector<StreamPatch>> pageLinks;
            for (detail::RawShape& shape : rawPage.shapes) {
                page.shapes.push_back(std::move(shape.shape));
                pageLinks.push_back(std::move(shape.hide));
            }
            pages.push_back(std::move(page));
            links.push_back(std::move(pageLinks));
        }
    };
    move(raw.pages, layout.pages_, layout.pageLinks_);
    move(raw.masters, layout.masters_, layout.masterLinks_);
    layout.libmspubOrder_ = std::move(raw.libmspubOrder);
    return layout;
}

} // namespace lumetra::pub
