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
        : m_pool(std::move(pictures)) {}

    // Pages in the order libmspub emitted them.
    std::vector<RecordedPage>& pages() { return m_pages; }

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

    std::vector<RecordedPage> m_pages;
    bool m_inPage = false;
    int m_openLayers = 0;
    librevenge::RVNGPropertyList m_style;
    std::optional<TextItem> m_text;
    std::optional<TableItem> m_table;
    std::optional<TableCell> m_cell;
    int m_row = -1;
    std::optional<TextParagraph> m_paragraph;
    std::optional<TextSpan> m_span;
    std::shared_ptr<EmbeddedPictures> m_pool;
};

} // namespace lumetra::drawing
