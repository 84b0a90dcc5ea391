#pragma once
// The librevenge drawing interface that libmspub draws into: it records every emitted page as a
// display list, to be painted later with QPainter at any resolution.

#include "DisplayList.h"
#include "EmbeddedPicture.h"

#include <librevenge/librevenge.h>

#include <optional>

namespace lumetra::drawing {

class PageRecorder final : public librevenge::RVNGDrawingInterface {
public:
    // Embedded pictures come from `pictures` (shared between readings of one layout); without
    // it they are left out.
    explicit PageRecorder(std::shared_ptr<EmbeddedPictures> pictures = nullptr)
        : pool_(std::move(pictures)) {}

    // Pages in the order libmspub emitted them.
    std::vector<RecordedPage>& pages() { return pages_; }

    void startDocument(const librevenge::RVNGPropertyList&) override {}
    void endDocument() override {}
    void setDocumentMetaData(const librevenge::RVNGPropertyList&) override {}
    void defineEmbeddedFont(const librevenge::RVNGPropertyList&) override {}
    void startPage(const librevenge::RVNGPropertyList& propList) override;
    void endPage() override;
    void startMasterPage(const librevenge::RVNGPropertyList&) override {}
    void endMasterPage() override {}
    void setStyle(const librevenge::RVNGPropertyList& propList) override;
    void startLayer(const librevenge::RVNGPropertyList& propList) override;
    void endLayer() override;
    void startEmbeddedGraphics(const librevenge::RVNGPropertyList&) override {}
    void endEmbeddedGraphics() override {}
    void openGroup(const librevenge::RVNGPropertyList& propList) override;
    void closeGroup() override;
    void drawRectangle(const librevenge::RVNGPropertyList& propList) override;
    void drawEllipse(const librevenge::RVNGPropertyList& propList) override;
    void drawPolygon(const librevenge::RVNGPropertyList& propList) override;
    void drawPolyline(const librevenge::RVNGPropertyList& propList) override;
    void drawPath(const librevenge::RVNGPropertyList& propList) override;
    void drawGraphicObject(const librevenge::RVNGPropertyList& propList) override;
    void drawConnector(const librevenge::RVNGPropertyList& propList) override;
    void startTextObject(const librevenge::RVNGPropertyList& propList) override;
    void endTextObject() override;
    void startTableObject(const librevenge::RVNGPropertyList& propList) override;
    void openTableRow(const librevenge::RVNGPropertyList& propList) override;
    void closeTableRow() override {}
    void openTableCell(const librevenge::RVNGPropertyList& propList) override;
    void closeTableCell() override;
    void insertCoveredTableCell(const librevenge::RVNGPropertyList&) override {}
    void endTableObject() override;
    void insertTab() override;
    void insertSpace() override;
    void insertText(const librevenge::RVNGString& text) override;
    void insertLineBreak() override;
    void insertField(const librevenge::RVNGPropertyList& propList) override;
    void openOrderedListLevel(const librevenge::RVNGPropertyList&) override {}
    void openUnorderedListLevel(const librevenge::RVNGPropertyList&) override {}
    void closeOrderedListLevel() override {}
    void closeUnorderedListLevel() override {}
    void openListElement(const librevenge::RVNGPropertyList& propList) override;
    void closeListElement() override;
    void defineParagraphStyle(const librevenge::RVNGPropertyList&) override {}
    void openParagraph(const librevenge::RVNGPropertyList& propList) override;
    void closeParagraph() override;
    void defineCharacterStyle(const librevenge::RVNGPropertyList&) override {}
    void openSpan(const librevenge::RVNGPropertyList& propList) override;
    void closeSpan() override;
    void openLink(const librevenge::RVNGPropertyList&) override {}
    void closeLink() override {}

private:
    void add(DisplayItem item);
    void addShape(QPainterPath path, bool closed);
    // A polygon (closed) or a polyline from the "svg:points" of a call.
    void drawPoints(const librevenge::RVNGPropertyList& propList, bool closed);
    void appendText(const QString& text);
    std::vector<TextParagraph>* currentParagraphs();

    std::vector<RecordedPage> pages_;
    bool inPage_ = false;
    int openLayers_ = 0;
    librevenge::RVNGPropertyList style_;
    std::optional<TextItem> text_;
    std::optional<TableItem> table_;
    std::optional<TableCell> cell_;
    int row_ = -1;
    std::optional<TextParagraph> paragraph_;
    std::optional<TextSpan> span_;
    std::shared_ptr<EmbeddedPictures> pool_;
};

} // namespace lumetra::drawing
