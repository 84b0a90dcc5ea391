#pragma once
// A picture decoded for one size of drawing: pixels (photos and other raster formats) or a
// drawing (metafiles, CorelDRAW, WordPerfect graphics) that stays sharp at any size.
// Made on any thread; drawn on the painter's thread.

#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

namespace lumetra::pictures {

// What the transparent parts of a raster picture become: white, as on paper (a photo in its
// slot), or kept transparent (a picture a layout lays over its own colours).
enum class Background { White, Transparent };

class ImportedPicture {
public:
    virtual ~ImportedPicture() = default;

    // Draws the picture stretched into `box` (painter coordinates) over what is there.
    virtual void draw(QPainter& painter, const QRectF& box) const = 0;
    // The decoded pixels of a raster picture, in sRGB (null for drawings), for
    // copying pixel for pixel where the box is exactly that size on the device.
    virtual QImage image() const { return {}; }

    // Set when the file is damaged but what it held could still be decoded (a photo cut short):
    // an Italian description of the damage.
    const QString& damage() const { return damage_; }
    void setDamage(QString damage) { damage_ = std::move(damage); }

private:
    QString damage_;
};

} // namespace lumetra::pictures
