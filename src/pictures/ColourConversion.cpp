#include "ColourConversion.h"

#include <QColorSpace>
#include <QFile>
#include <QPainter>

#include <lcms2.h>

#include <cstddef>
#include <memory>
#include <mutex>

namespace lumetra::pictures {

namespace {

struct ProfileCloser {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
struct TransformDeleter {
    void operator()(void* transform) const { cmsDeleteTransform(transform); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;
using Transform = std::unique_ptr<void, TransformDeleter>;

Profile openProfile(const QByteArray& icc) {
    if (icc.isEmpty()) {
        return nullptr;
    }
    return Profile(
        cmsOpenProfileFromMem(icc.constData(), static_cast<cmsUInt32Number>(icc.size())));
}

// The press profile Ghostscript ships (SWOP-like coated stock), read once.
const QByteArray& defaultCmykProfile() {
    static const QByteArray profile = [] {
        QFile file(QStringLiteral("/usr/share/color/icc/ghostscript/default_cmyk.icc"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    return profile;
}

// Relative colorimetric with black point compensation, as prepress programs convert by default.
Transform toSrgb(cmsHPROFILE source, cmsUInt32Number inFormat, cmsUInt32Number outFormat,
                 cmsUInt32Number flags = 0) {
    const Profile srgb(cmsCreate_sRGBProfile());
    return Transform(
        cmsCreateTransform(source, inFormat, srgb.get(), outFormat, INTENT_RELATIVE_COLORIMETRIC,
                           flags | cmsFLAGS_BLACKPOINTCOMPENSATION | cmsFLAGS_NOCACHE));
}

// lcms leaves the alpha byte of an output without alpha in its input as it was.
void opaque(QRgb* line, int width) {
    for (int x = 0; x < width; ++x) {
        line[x] |= 0xff000000u;
    }
}

QImage overWhite(const QImage& image) {
    if (!image.hasAlphaChannel()) {
        return image.convertToFormat(QImage::Format_RGB32);
    }
    QImage out(image.size(), QImage::Format_RGB32);
    if (out.isNull()) {
        return out;
    }
    out.fill(Qt::white);
    QPainter painter(&out);
    painter.drawImage(0, 0, image);
    return out;
}

// Through an ICC profile of RGB or grey; the image as it was when the profile cannot be used.
QImage throughProfile(QImage image, const QByteArray& icc) {
    const Profile profile = openProfile(icc);
    if (!profile) {
        return image;
    }
    const cmsColorSpaceSignature space = cmsGetColorSpace(profile.get());
    if (space == cmsSigGrayData) {
        QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
        const Transform transform = toSrgb(profile.get(), TYPE_GRAY_8, TYPE_BGRA_8);
        QImage out(grey.size(), QImage::Format_RGB32);
        if (!transform || out.isNull()) {
            return image;
        }
        for (int y = 0; y < grey.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
            cmsDoTransform(transform.get(), grey.constScanLine(y), line,
                           static_cast<cmsUInt32Number>(grey.width()));
            opaque(line, grey.width());
        }
        return out;
    }
    if (space != cmsSigRgbData) {
        return image;
    }
    const bool alpha = image.hasAlphaChannel();
    image = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    const Transform transform =
        toSrgb(profile.get(), TYPE_BGRA_8, TYPE_BGRA_8, alpha ? cmsFLAGS_COPY_ALPHA : 0);
    if (!transform) {
        return image;
    }
    for (int y = 0; y < image.height(); ++y) {
        uchar* line = image.scanLine(y);
        cmsDoTransform(transform.get(), line, line, static_cast<cmsUInt32Number>(image.width()));
    }
    image.setColorSpace(QColorSpace(QColorSpace::SRgb));
    return image;
}

} // namespace

QImage toSrgb(QImage image, const QByteArray& iccProfile, Background background) {
    if (image.isNull()) {
        return image;
    }
    QByteArray icc = iccProfile;
    const QColorSpace space = image.colorSpace();
    if (icc.isEmpty() && space.isValid() && space != QColorSpace(QColorSpace::SRgb)) {
        icc = space.iccProfile();
        if (icc.isEmpty()) {
            // A colour space Qt made from the file's gamma and chromaticities: Qt converts it.
            image.convertToColorSpace(QColorSpace(QColorSpace::SRgb));
        }
    }
    if (!icc.isEmpty()) {
        image = throughProfile(std::move(image), icc);
    }
    if (background == Background::Transparent && image.hasAlphaChannel()) {
        return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    return overWhite(image);
}

QImage cmykToSrgb(const CmykPixels& pixels, const QByteArray& iccProfile) {
    QImage out(pixels.width, pixels.height, QImage::Format_RGB32);
    if (out.isNull()) {
        return out;
    }
    Profile profile = openProfile(iccProfile);
    if (profile && cmsGetColorSpace(profile.get()) != cmsSigCmykData) {
        profile.reset();
    }
    const cmsUInt32Number format = pixels.inverted ? TYPE_CMYK_8_REV : TYPE_CMYK_8;
    Transform own;
    void* transform = nullptr;
    if (profile) {
        own = toSrgb(profile.get(), format, TYPE_BGRA_8);
        transform = own.get();
    } else {
        // The default profile's transforms are made once and shared (lcms transforms are
        // safe to use from several threads).
        static std::mutex mutex;
        static Transform plain, reversed;
        const std::lock_guard lock(mutex);
        Transform& shared = pixels.inverted ? reversed : plain;
        if (!shared) {
            const Profile fallback = openProfile(defaultCmykProfile());
            if (fallback) {
                shared = toSrgb(fallback.get(), format, TYPE_BGRA_8);
            }
        }
        transform = shared.get();
    }
    for (int y = 0; y < pixels.height; ++y) {
        const uchar* in = pixels.data + y * pixels.bytesPerLine;
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        if (transform) {
            cmsDoTransform(transform, in, line, static_cast<cmsUInt32Number>(pixels.width));
            opaque(line, pixels.width);
            continue;
        }
        // No profile at all on this machine: the plain formula.
        for (int x = 0; x < pixels.width; ++x) {
            const uchar* px = in + 4 * std::ptrdiff_t{x};
            int c = px[0], m = px[1], yy = px[2], k = px[3];
            if (pixels.inverted) {
                c = 255 - c, m = 255 - m, yy = 255 - yy, k = 255 - k;
            }
            line[x] = qRgb((255 - c) * (255 - k) / 255, (255 - m) * (255 - k) / 255,
                           (255 - yy) * (255 - k) / 255);
        }
    }
    out.setColorSpace(QColorSpace(QColorSpace::SRgb));
    return out;
}

} // namespace lumetra::pictures
