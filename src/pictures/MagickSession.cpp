#include "MagickSession.h"

#include "LibraryDiagnostics.h"

#include <Magick++.h>
#include <QDir>
#include <QTemporaryDir>

namespace lumetra::pictures {

// ImageMagick is started once, with limits that keep a hostile file from taking the machine:
// memory and map bounded, no spilling to disk, and the pixel count of the largest picture
// accepted. The files it would write on the way (a picture a coder cannot read from memory, the
// JPEG inside a PICT) can only go to a private empty folder of this process, removed when it
// ends; the coders are always named (see coder()), so no other coder and no delegate program
// is ever reached. Its messages go to the diagnostics.
void startMagick() {
    static std::once_flag once;
    std::call_once(once, [] {
        Magick::InitializeMagick(nullptr);
        static const QTemporaryDir privateFolder(QDir::tempPath() +
                                                 QStringLiteral("/lumetra-magick-XXXXXX"));
        const QByteArray folder = QFile::encodeName(privateFolder.path());
        MagickCore::ExceptionInfo* exception = MagickCore::AcquireExceptionInfo();
        MagickCore::SetImageRegistry(MagickCore::StringRegistryType, "temporary-path",
                                     privateFolder.isValid() ? folder.constData() : "/nonexistent",
                                     exception);
        MagickCore::DestroyExceptionInfo(exception);
        routeMagickMessages();
        Magick::ResourceLimits::memory(static_cast<MagickCore::MagickSizeType>(MagickMemory));
        Magick::ResourceLimits::map(static_cast<MagickCore::MagickSizeType>(MagickMemory));
        Magick::ResourceLimits::disk(0);
        Magick::ResourceLimits::area(static_cast<MagickCore::MagickSizeType>(MagickPixels));
        Magick::ResourceLimits::width(60000);
        Magick::ResourceLimits::height(60000);
        Magick::ResourceLimits::thread(1);
    });
}

std::mutex& magickMutex() {
    static std::mutex mutex;
    return mutex;
}

} // namespace lumetra::pictures
