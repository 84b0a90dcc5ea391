#include "RecordedPicture.h"

#include "PagePainter.h"

namespace lumetra::pictures {

void RecordedPicture::draw(QPainter& painter, const QRectF& box) const {
    pub::paintRecordedPage(painter, page_, box);
}

} // namespace lumetra::pictures
