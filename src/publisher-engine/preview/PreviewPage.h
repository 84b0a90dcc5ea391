#pragma once
// One page of the preview window: a widget of the page's size at the current zoom that draws
// the page the first time it is painted (so pages are drawn only as they scroll into view) and
// keeps the drawing until the zoom changes. The places the check has notes about are outlined
// over the drawing, on screen only: the drawing itself is the page as it prints.

#include "NoteMark.h"

#include <QColor>
#include <QImage>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <vector>

namespace lumetra::engine {
class EngineDocument;
} // namespace lumetra::engine

namespace lumetra::preview {

class PreviewPage final : public QWidget {
    Q_OBJECT
public:
    PreviewPage(std::shared_ptr<const engine::EngineDocument> document, int pageIndex,
                QWidget* parent);

    int pageIndex() const { return pageIndex_; }
    // Size in pixels of the page at `zoom` (1.0: real size on this screen).
    void setZoom(double zoom);
    // Forgets the drawing (memory); it is made again when the page is next shown.
    void dropDrawing();
    bool hasDrawing() const { return !drawing_.isNull(); }
    // The notes' places on this page, outlined and numbered over the drawing.
    void setMarks(std::vector<NoteMark> marks);

    static inline const QColor MarkColour{255, 100, 0};

signals:
    // Pictures of this page that could not be read (drawn as empty boxes).
    void unreadablePictures(const QStringList& files);
    void drawn(int pageIndex);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintMarks(QPainter& painter) const;

    std::shared_ptr<const engine::EngineDocument> document_;
    int pageIndex_;
    double zoom_ = 1.0;
    QImage drawing_;
    std::vector<NoteMark> marks_;
};

} // namespace lumetra::preview
