#include "RecordedPicture.h"

#include "RecordedPagePainter.h"

namespace lumetra::pictures {

void RecordedPicture::draw(QPainter& painter, const QRectF& box) const {
    drawing::paintRecordedPage(painter, page_, box);
}

} // namespace lumetra::pictures
