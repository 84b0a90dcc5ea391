#pragma once
// A drawing recorded from librevenge's drawing calls (CorelDRAW, WordPerfect graphics), kept as
// the display list the layout pages use and painted the same way, as vectors.

#include "ImportedPicture.h"

#include "DisplayList.h"

namespace lumetra::pictures {

class RecordedPicture final : public ImportedPicture {
public:
    // `page` is not changed after this: it is painted on whichever thread draws.
    explicit RecordedPicture(drawing::RecordedPage page) : page_(std::move(page)) {}

    void draw(QPainter& painter, const QRectF& box) const override;

private:
    const drawing::RecordedPage page_;
};

} // namespace lumetra::pictures
