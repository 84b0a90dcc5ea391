#include "OutputGuard.h"

#include "EngineDocument.h"
#include "EngineErrors.h"
#include "EnginePage.h"
#include "EngineShape.h"

#include "FileNames.h"
#include "InputFile.h"
#include "PictureData.h"
#include "PictureFormat.h"

#include <sys/stat.h>

namespace lumetra::engine {

namespace {

struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
};

// The file a name leads to, through any symbolic links; nothing when there is none.
std::optional<FileIdentity> identity(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::stat(runtime::nativeName(path).constData(), &st) != 0) {
        return std::nullopt;
    }
    return FileIdentity{st.st_dev, st.st_ino};
}

// What an existing file holds that the program must not replace, or an empty text.
QString whatItHolds(const QString& path) {
    const std::optional<QByteArray> read = runtime::readInputFile(path, 4095);
    if (!read) {
        return {};
    }
    const QByteArray& head = *read;
    static const QByteArray compound("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    if (head.startsWith(compound)) {
        return QStringLiteral("un documento di Publisher o di Office");
    }
    const auto data = pictures::PictureData::fromBytes(head, path);
    const pictures::PictureFormat format = pictures::detectFormat(data);
    if (format != pictures::PictureFormat::Unknown) {
        return QStringLiteral("un file immagine");
    }
    return {};
}

} // namespace

QString refusedOutput(const QString& output, const QStringList& inputs) {
    const std::optional<FileIdentity> target = identity(output);
    if (!target) {
        return {};
    }
    const QString shown = runtime::shownName(output);
    for (const QString& input : inputs) {
        const std::optional<FileIdentity> read = identity(input);
        if (read && read->device == target->device && read->inode == target->inode) {
            return QStringLiteral("Il file '%1' non viene scritto: è il file '%2' usato dal "
                                  "lavoro. Scegliere un altro nome.")
                .arg(shown, runtime::shownName(input));
        }
    }
    const QString held = whatItHolds(output);
    if (!held.isEmpty()) {
        return QStringLiteral("Il file '%1' non viene scritto: è %2. Scegliere un altro nome.")
            .arg(shown, held);
    }
    return {};
}

void checkOutput(const EngineDocument& document, const QString& output) {
    QStringList inputs{document.fileName()};
    for (const auto& page : document.pages()) {
        for (const auto& shape : page->shapes()) {
            if (!shape->pictureFile().isEmpty()) {
                inputs.append(shape->pictureFile());
            }
        }
    }
    const QString refused = refusedOutput(output, inputs);
    if (!refused.isEmpty()) {
        fail(runtime::ErrScritturaFile, refused);
    }
}

} // namespace lumetra::engine
