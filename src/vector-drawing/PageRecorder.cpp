#include "PageRecorder.h"

#include "Length.h"

#include "Properties.h"
#include "SvgPath.h"

#include <algorithm>
#include <cmath>

namespace lumetra::drawing {

using librevenge::RVNGPropertyList;

namespace {

constexpr double DefaultPageWidth = 8.5;
constexpr double DefaultPageHeight = 11.0;
constexpr double MaxCoordinate = 1000.0; // inches; anything beyond is a broken file

bool sane(const QRectF& r) {
    return std::isfinite(r.x()) && std::isfinite(r.y()) && std::isfinite(r.width()) &&
           std::isfinite(r.height()) && std::fabs(r.x()) < MaxCoordinate &&
           std::fabs(r.y()) < MaxCoordinate && std::fabs(r.width()) < MaxCoordinate &&
           std::fabs(r.height()) < MaxCoordinate;
}

QRectF box(const RVNGPropertyList& p) {
    return QRectF(props::inchesOr(p, "svg:x", 0), props::inchesOr(p, "svg:y", 0),
                  props::inchesOr(p, "svg:width", 0), props::inchesOr(p, "svg:height", 0));
}

// libmspub turns a frame's text with its shape: "librevenge:rotate" is clockwise on the page
// (as an SVG rotate() takes it), the display list's turns are counter-clockwise.
double counterClockwise(const RVNGPropertyList& p) {
    const double clockwise = props::number(p, "librevenge:rotate").value_or(0.0);
    return std::isfinite(clockwise) && clockwise != 0.0 ? -std::fmod(clockwise, 360.0) : 0.0;
}

StrokeStyle strokeFrom(const RVNGPropertyList& style) {
    StrokeStyle s;
    const QString kind = props::string(style, "draw:stroke");
    s.visible = !kind.isEmpty() && kind != QLatin1String("none");
    s.width = std::max(0.0, props::inchesOr(style, "svg:stroke-width", 0.0));
    s.color = props::color(style, "svg:stroke-color", Qt::black);
    s.color.setAlphaF(
        float(std::clamp(props::fraction(style, "svg:stroke-opacity", 1.0), 0.0, 1.0)));
    const QString cap = props::string(style, "svg:stroke-linecap");
    s.cap = cap == QLatin1String("round")    ? Qt::RoundCap
            : cap == QLatin1String("square") ? Qt::SquareCap
                                             : Qt::FlatCap;
    const QString join = props::string(style, "svg:stroke-linejoin");
    s.join = join == QLatin1String("round")   ? Qt::RoundJoin
             : join == QLatin1String("bevel") ? Qt::BevelJoin
                                              : Qt::SvgMiterJoin;
    if (kind == QLatin1String("dash")) {
        const double unit = std::max(s.width, 1.0 / runtime::PointsPerInch);
        const double gap = props::inchesOr(style, "draw:distance", unit);
        for (int i = 1; i <= 2; ++i) {
            const QByteArray count = "draw:dots" + QByteArray::number(i);
            const QByteArray length = count + "-length";
            const int n = std::clamp(props::integer(style, count.constData()).value_or(0), 0, 16);
            const double len = props::inchesOr(style, length.constData(), unit);
            for (int k = 0; k < n; ++k) {
                s.dashes << std::max(len, unit / 4) << std::max(gap, unit / 4);
            }
        }
    }
    return s;
}

// The segment a shape is when all its points lie on two places (libmspub draws a line shape as
// a two-point polygon): closing it would turn the stroke back over the line and past its ends.
std::optional<QLineF> straightSegment(const QPainterPath& path) {
    std::vector<QPointF> places;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isCurveTo()) {
            return std::nullopt;
        }
        const QPointF p(e.x, e.y);
        if (std::none_of(places.begin(), places.end(),
                         [&](const QPointF& q) { return QLineF(p, q).length() < 1e-9; })) {
            places.push_back(p);
        }
        if (places.size() > 2) {
            return std::nullopt;
        }
    }
    if (places.size() != 2) {
        return std::nullopt;
    }
    return QLineF(places[0], places[1]);
}

// libmspub's picture options: "draw:color-mode" greyscale with draw:red/green/blue for a
// recoloured picture, draw:luminance for its brightness.
PictureColours pictureColoursFrom(const RVNGPropertyList& p) {
    PictureColours c;
    if (props::string(p, "draw:color-mode") == QLatin1String("greyscale") &&
        props::has(p, "draw:red") && props::has(p, "draw:green") && props::has(p, "draw:blue")) {
        auto channel = [&](const char* name) {
            return int(std::lround(std::clamp(props::fraction(p, name, 0.0) * 255.0, 0.0, 255.0)));
        };
        c.recolour = QColor(channel("draw:red"), channel("draw:green"), channel("draw:blue"));
    }
    c.brightness = std::clamp(props::fraction(p, "draw:luminance", 0.5), 0.0, 1.0);
    return c;
}

FillStyle fillFrom(const RVNGPropertyList& style, EmbeddedPictures* pictures) {
    FillStyle f;
    const QString kind = props::string(style, "draw:fill");
    if (kind == QLatin1String("solid")) {
        f.kind = FillStyle::Kind::Solid;
        f.color = props::color(style, "draw:fill-color", Qt::white);
    } else if (kind == QLatin1String("gradient")) {
        f.kind = FillStyle::Kind::Gradient;
        f.angle = -props::number(style, "draw:angle").value_or(0.0);
        const QString shade = props::string(style, "libmspub:shade");
        f.radial = shade == QLatin1String("center") || shade == QLatin1String("shape");
        if (const auto* stops = style.child("svg:linearGradient")) {
            for (unsigned long i = 0; i < stops->count(); ++i) {
                const auto& s = (*stops)[i];
                QColor c = props::color(s, "svg:stop-color", Qt::white);
                c.setAlphaF(
                    float(std::clamp(props::fraction(s, "svg:stop-opacity", 1.0), 0.0, 1.0)));
                f.stops << QGradientStop(
                    std::clamp(props::fraction(s, "svg:offset", 0.0), 0.0, 1.0), c);
            }
        }
        std::stable_sort(
            f.stops.begin(), f.stops.end(),
            [](const QGradientStop& a, const QGradientStop& b) { return a.first < b.first; });
        if (f.stops.isEmpty()) {
            f.stops << QGradientStop(0, props::color(style, "draw:start-color", Qt::white))
                    << QGradientStop(1, props::color(style, "draw:end-color", Qt::black));
        }
    } else if (kind == QLatin1String("bitmap")) {
        const QString base64 = props::string(style, "draw:fill-image");
        if (!base64.isEmpty() && pictures) {
            f.kind = FillStyle::Kind::Bitmap;
            f.pictureColours = pictureColoursFrom(style);
            f.picture = pictures->get(QByteArray::fromBase64(base64.toLatin1()),
                                      props::string(style, "librevenge:mime-type"));
        }
    }
    return f;
}

} // namespace

void PageRecorder::add(DisplayItem item) {
    if (!inPage_ || pages_.empty()) {
        return;
    }
    pages_.back().items.push_back(std::move(item));
}

void PageRecorder::startPage(const RVNGPropertyList& propList) {
    RecordedPage page;
    page.size = QSizeF(props::inchesOr(propList, "svg:width", DefaultPageWidth),
                       props::inchesOr(propList, "svg:height", DefaultPageHeight));
    if (!(page.size.width() > 0 && page.size.width() < MaxCoordinate && page.size.height() > 0 &&
          page.size.height() < MaxCoordinate)) {
        page.size = QSizeF(DefaultPageWidth, DefaultPageHeight);
    }
    pages_.push_back(std::move(page));
    inPage_ = true;
    openLayers_ = 0;
}

void PageRecorder::endPage() {
    for (; openLayers_ > 0; --openLayers_) {
        add(LayerEnd{});
    }
    inPage_ = false;
}

void PageRecorder::setStyle(const RVNGPropertyList& propList) {
    style_ = propList;
}

void PageRecorder::startLayer(const RVNGPropertyList& propList) {
    LayerBegin layer;
    const QString clip = props::string(propList, "svg:clip-path");
    if (!clip.isEmpty()) {
        layer.clip = pathFromString(clip);
    }
    add(std::move(layer));
    ++openLayers_;
}

void PageRecorder::endLayer() {
    if (openLayers_ <= 0) {
        return;
    }
    --openLayers_;
    add(LayerEnd{});
}

void PageRecorder::openGroup(const RVNGPropertyList& propList) {
    startLayer(propList);
}
void PageRecorder::closeGroup() {
    endLayer();
}

void PageRecorder::addShape(QPainterPath path, bool closed) {
    if (path.isEmpty() || !sane(path.boundingRect())) {
        return;
    }
    if (closed) {
        if (const auto line = straightSegment(path)) {
            path = QPainterPath(line->p1());
            path.lineTo(line->p2());
            closed = false;
        }
    }
    ShapeItem shape;
    shape.stroke = strokeFrom(style_);
    if (closed) {
        shape.fill = fillFrom(style_, pool_.get());
    }
    shape.opacity = std::clamp(props::fraction(style_, "draw:opacity", 1.0), 0.0, 1.0);
    if (props::string(style_, "draw:shadow") == QLatin1String("visible")) {
        shape.shadow.visible = true;
        shape.shadow.offset = QPointF(props::inchesOr(style_, "draw:shadow-offset-x", 0),
                                      props::inchesOr(style_, "draw:shadow-offset-y", 0));
        shape.shadow.color = props::color(style_, "draw:shadow-color", Qt::gray);
        shape.shadow.color.setAlphaF(
            float(std::clamp(props::fraction(style_, "draw:shadow-opacity", 1.0), 0.0, 1.0)));
    }
    if (shape.fill.kind == FillStyle::Kind::None && !shape.stroke.visible) {
        return;
    }
    shape.path = std::move(path);
    add(std::move(shape));
}

void PageRecorder::drawRectangle(const RVNGPropertyList& propList) {
    QPainterPath path;
    path.addRect(box(propList));
    addShape(path, true);
}

void PageRecorder::drawEllipse(const RVNGPropertyList& propList) {
    const QPointF centre(props::inchesOr(propList, "svg:cx", 0),
                         props::inchesOr(propList, "svg:cy", 0));
    QPainterPath path;
    path.addEllipse(centre, props::inchesOr(propList, "svg:rx", 0),
                    props::inchesOr(propList, "svg:ry", 0));
    addShape(path, true);
}

void PageRecorder::drawPolygon(const RVNGPropertyList& propList) {
    drawPoints(propList, true);
}

void PageRecorder::drawPolyline(const RVNGPropertyList& propList) {
    drawPoints(propList, false);
}

void PageRecorder::drawPoints(const RVNGPropertyList& propList, bool closed) {
    const auto* points = propList.child("svg:points");
    if (!points) {
        return;
    }
    const QPolygonF polygon = pointsFromList(*points);
    if (polygon.size() < 2) {
        return;
    }
    QPainterPath path;
    path.addPolygon(polygon);
    if (closed) {
        path.closeSubpath();
    }
    addShape(path, closed);
}

void PageRecorder::drawPath(const RVNGPropertyList& propList) {
    const auto* actions = propList.child("svg:d");
    if (!actions) {
        return;
    }
    QPainterPath path = pathFromList(*actions);
    path.setFillRule(Qt::WindingFill);
    addShape(path, true);
}

void PageRecorder::drawConnector(const RVNGPropertyList& propList) {
    if (const auto* actions = propList.child("svg:d")) {
        addShape(pathFromList(*actions), false);
        return;
    }
    QPainterPath path;
    path.moveTo(props::inchesOr(propList, "svg:x1", 0), props::inchesOr(propList, "svg:y1", 0));
    path.lineTo(props::inchesOr(propList, "svg:x2", 0), props::inchesOr(propList, "svg:y2", 0));
    addShape(path, false);
}

void PageRecorder::drawGraphicObject(const RVNGPropertyList& propList) {
    const librevenge::RVNGProperty* data = propList["office:binary-data"];
    const QRectF r = box(propList);
    if (!data || !sane(r) || r.isEmpty() || !pool_) {
        return;
    }
    PictureItem item;
    item.box = r;
    item.colours = pictureColoursFrom(propList);
    item.picture = pool_->get(QByteArray::fromBase64(QByteArray(data->getStr().cstr())),
                              props::string(propList, "librevenge:mime-type"));
    add(std::move(item));
}

void PageRecorder::startTextObject(const RVNGPropertyList& propList) {
    TextItem text;
    text.box = box(propList);
    text.padLeft = props::inchesOr(propList, "fo:padding-left", 0);
    text.padTop = props::inchesOr(propList, "fo:padding-top", 0);
    text.padRight = props::inchesOr(propList, "fo:padding-right", 0);
    text.padBottom = props::inchesOr(propList, "fo:padding-bottom", 0);
    const QString valign = props::string(propList, "draw:textarea-vertical-align");
    text.verticalAlign = valign == QLatin1String("middle")   ? Qt::AlignVCenter
                         : valign == QLatin1String("bottom") ? Qt::AlignBottom
                                                             : Qt::AlignTop;
    text.rotation = counterClockwise(propList);
    text.columns = std::clamp(props::integer(propList, "fo:column-count").value_or(1), 1, 20);
    text.columnGap = std::max(0.0, props::inchesOr(propList, "fo:column-gap", 0));
    text_ = std::move(text);
}

void PageRecorder::endTextObject() {
    if (!text_) {
        return;
    }
    closeParagraph();
    TextItem text = std::move(*text_);
    text_.reset();
    if (sane(text.box) && text.box.width() > 0 && text.box.height() > 0 &&
        !text.paragraphs.empty()) {
        add(std::move(text));
    }
}

void PageRecorder::startTableObject(const RVNGPropertyList& propList) {
    TableItem table;
    table.box = box(propList);
    table.rotation = counterClockwise(propList);
    if (const auto* columns = propList.child("librevenge:table-columns")) {
        for (unsigned long i = 0; i < columns->count(); ++i) {
            table.columnWidths.push_back(
                std::max(0.0, props::inchesOr((*columns)[i], "style:column-width", 0)));
        }
    }
    table_ = std::move(table);
    row_ = -1;
}

void PageRecorder::openTableRow(const RVNGPropertyList& propList) {
    if (!table_) {
        return;
    }
    ++row_;
    double h =
        props::inchesOr(propList, "librevenge:row-height",
                        props::inchesOr(propList, "style:row-height",
                                        props::inchesOr(propList, "style:min-row-height", 0)));
    table_->rowHeights.push_back(std::max(0.0, h));
}

void PageRecorder::openTableCell(const RVNGPropertyList& propList) {
    if (!table_) {
        return;
    }
    TableCell cell;
    cell.row = std::max(0, props::integer(propList, "librevenge:row").value_or(row_));
    cell.column = std::max(0, props::integer(propList, "librevenge:column").value_or(0));
    cell.rowSpan =
        std::clamp(props::integer(propList, "table:number-rows-spanned").value_or(1), 1, 1000);
    cell.columnSpan =
        std::clamp(props::integer(propList, "table:number-columns-spanned").value_or(1), 1, 1000);
    cell_ = std::move(cell);
}

void PageRecorder::closeTableCell() {
    closeParagraph();
    if (table_ && cell_) {
        table_->cells.push_back(std::move(*cell_));
    }
    cell_.reset();
}

void PageRecorder::endTableObject() {
    closeTableCell();
    if (!table_) {
        return;
    }
    TableItem table = std::move(*table_);
    table_.reset();
    if (sane(table.box) && table.box.width() > 0 && table.box.height() > 0) {
        add(std::move(table));
    }
}

std::vector<TextParagraph>* PageRecorder::currentParagraphs() {
    if (cell_) {
        return &cell_->paragraphs;
    }
    if (text_) {
        return &text_->paragraphs;
    }
    return nullptr;
}

void PageRecorder::openParagraph(const RVNGPropertyList& propList) {
    closeParagraph();
    TextParagraph p;
    const QString align = props::string(propList, "fo:text-align");
    p.align = align == QLatin1String("center")                                   ? Qt::AlignHCenter
              : align == QLatin1String("right") || align == QLatin1String("end") ? Qt::AlignRight
              : align == QLatin1String("justify") || align == QLatin1String("full")
                  ? Qt::AlignJustify
                  : Qt::AlignLeft;
    p.marginLeft = props::inchesOr(propList, "fo:margin-left", 0);
    p.marginRight = props::inchesOr(propList, "fo:margin-right", 0);
    p.marginTop = props::inchesOr(propList, "fo:margin-top", 0);
    p.marginBottom = props::inchesOr(propList, "fo:margin-bottom", 0);
    p.indent = props::inchesOr(propList, "fo:text-indent", 0);
    if (const librevenge::RVNGProperty* lh = propList["fo:line-height"]) {
        if (lh->getUnit() == librevenge::RVNG_PERCENT) {
            p.lineHeightPercent = std::clamp(lh->getDouble(), 0.1, 10.0);
        } else {
            p.lineHeightPoints = std::clamp(
                *props::inches(propList, "fo:line-height") * runtime::PointsPerInch, 0.5, 1000.0);
        }
    }
    paragraph_ = std::move(p);
}

void PageRecorder::closeParagraph() {
    closeSpan();
    if (!paragraph_) {
        return;
    }
    if (auto* paragraphs = currentParagraphs()) {
        paragraphs->push_back(std::move(*paragraph_));
    }
    paragraph_.reset();
}

void PageRecorder::openListElement(const RVNGPropertyList& propList) {
    openParagraph(propList);
}
void PageRecorder::closeListElement() {
    closeParagraph();
}

void PageRecorder::openSpan(const RVNGPropertyList& propList) {
    closeSpan();
    TextSpan s;
    s.family = props::string(propList, "style:font-name");
    if (s.family.isEmpty()) {
        s.family = props::string(propList, "fo:font-name");
    }
    const double size = props::inchesOr(propList, "fo:font-size", 10.0 / runtime::PointsPerInch);
    s.size = size > 0 && size < 20.0 ? size : 10.0 / runtime::PointsPerInch;
    s.bold = props::string(propList, "fo:font-weight") == QLatin1String("bold");
    s.italic = props::string(propList, "fo:font-style") == QLatin1String("italic");
    s.effects = props::characterEffects(propList);
    s.uppercase = props::string(propList, "fo:text-transform") == QLatin1String("uppercase");
    s.smallCaps = props::string(propList, "fo:font-variant") == QLatin1String("small-caps");
    const QString position = props::string(propList, "style:text-position");
    s.position = position.startsWith(QLatin1Char('-')) ? -1 : position.isEmpty() ? 0 : 1;
    if (position.startsWith(QLatin1String("0%"))) {
        s.position = 0;
    }
    // libmspub hands the scale as a percentage in a percent property (80 for 80%): a fraction
    // above ten can only be that.
    double scale = props::fraction(propList, "fo:text-scale", 1.0);
    if (scale > 10.0) {
        scale /= 100.0;
    }
    s.scale = std::clamp(scale, 0.1, 10.0);
    s.color = props::color(propList, "fo:color", Qt::black);
    span_ = std::move(s);
}

void PageRecorder::closeSpan() {
    if (!span_) {
        return;
    }
    if (paragraph_) {
        paragraph_->spans.push_back(std::move(*span_));
    }
    span_.reset();
}

void PageRecorder::appendText(const QString& text) {
    if (!paragraph_) {
        return;
    }
    if (!span_) {
        // Text outside a span keeps the look of the paragraph's last span.
        span_ = paragraph_->spans.empty() ? TextSpan{} : paragraph_->spans.back();
        span_->text.clear();
    }
    span_->text += text;
}

void PageRecorder::insertTab() {
    appendText(QStringLiteral("\t"));
}
void PageRecorder::insertSpace() {
    appendText(QStringLiteral(" "));
}
void PageRecorder::insertLineBreak() {
    appendText(QString(QChar::LineSeparator));
}

void PageRecorder::insertText(const librevenge::RVNGString& text) {
    QString s = QString::fromUtf8(text.cstr(), qsizetype(text.size()));
    QString clean;
    clean.reserve(s.size());
    for (const QChar c : s) {
        if (c == QLatin1Char('\r')) {
            continue;
        }
        if (c == QLatin1Char('\n') || c == QChar(0x0B)) {
            clean += QChar::LineSeparator;
        } else if (c.unicode() >= 0x20 || c == QLatin1Char('\t')) {
            clean += c;
        }
    }
    appendText(clean);
}

void PageRecorder::insertField(const RVNGPropertyList& propList) {
    if (props::string(propList, "librevenge:field-type") == QLatin1String("text:page-number")) {
        appendText(QString::number(std::max<std::size_t>(1, pages_.size())));
    }
}

} // namespace lumetra::drawing
