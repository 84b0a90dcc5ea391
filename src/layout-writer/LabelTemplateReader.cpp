#include "LabelTemplateReader.h"

#include "Length.h"

#include <QIODevice>
#include <QLocale>
#include <QXmlStreamReader>

#include <cmath>

namespace lumetra::layoutwriter {
namespace {

constexpr int MaxLabelsPerSide = 1000;
// As many as the largest grid (100 x 100): a layout of more shapes is no label sheet.
constexpr int MaxLabelsPerSheet = 10000;

struct Unit {
    const char* suffix;
    double points;
};
constexpr Unit Units[] = {{"pt", 1.0},
                          {"mm", runtime::Length::millimetres(1).points()},
                          {"cm", runtime::Length::centimetres(1).points()},
                          {"in", runtime::PointsPerInch},
                          {"pc", 12.0}};

std::optional<double> length(const QXmlStreamAttributes& attributes, const char* name,
                             std::optional<double> absent = std::nullopt) {
    const QString key = QString::fromLatin1(name);
    if (!attributes.hasAttribute(key)) {
        return absent;
    }
    return glabelsLength(attributes.value(key));
}

std::optional<int> count(const QXmlStreamAttributes& attributes, const char* name) {
    bool ok = false;
    const int value = attributes.value(QString::fromLatin1(name)).toInt(&ok);
    if (!ok || value < 1 || value > MaxLabelsPerSide) {
        return std::nullopt;
    }
    return value;
}

// One <Label-...> element with its <Layout> children; false when a value is missing or wrong.
bool readLabel(QXmlStreamReader& xml, std::vector<LabelGrid>& grids) {
    const QXmlStreamAttributes a = xml.attributes();
    const QStringView kind = xml.name();
    LabelGrid shape;
    std::optional<double> width, height;
    if (kind == QLatin1String("Label-rectangle")) {
        width = length(a, "width");
        height = length(a, "height");
    } else if (kind == QLatin1String("Label-ellipse")) {
        shape.shape = LabelGrid::Shape::Ellipse;
        width = length(a, "width");
        height = length(a, "height");
    } else {
        const bool disc = kind == QLatin1String("Label-cd");
        shape.shape = disc ? LabelGrid::Shape::Disc : LabelGrid::Shape::Round;
        const std::optional<double> radius = length(a, "radius");
        if (radius) {
            // A disc label may be clipped to a smaller width or height (business-card CDs).
            width = disc ? length(a, "width", 2 * *radius) : 2 * *radius;
            height = disc ? length(a, "height", 2 * *radius) : 2 * *radius;
        }
    }
    bool good = width && height && *width > 0 && *height > 0;
    if (good) {
        shape.width = *width;
        shape.height = *height;
    }
    bool anyLayout = false;
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("Layout")) {
            xml.skipCurrentElement();
            continue;
        }
        const QXmlStreamAttributes l = xml.attributes();
        LabelGrid grid = shape;
        const auto across = count(l, "nx");
        const auto down = count(l, "ny");
        const auto x0 = length(l, "x0", 0.0);
        const auto y0 = length(l, "y0", 0.0);
        const auto dx = length(l, "dx", 0.0);
        const auto dy = length(l, "dy", 0.0);
        // Limits that keep the sum of a sheet's labels far from overflowing.
        const bool bounded = across && down && *across * *down <= MaxLabelsPerSheet &&
                             grids.size() < std::size_t(MaxLabelsPerSheet);
        if (bounded && x0 && y0 && dx && dy) {
            grid.across = *across;
            grid.down = *down;
            grid.left = *x0;
            grid.top = *y0;
            grid.stepX = *dx;
            grid.stepY = *dy;
            grids.push_back(grid);
            anyLayout = true;
        } else {
            good = false;
        }
        xml.skipCurrentElement();
    }
    return good && anyLayout;
}

std::optional<LabelTemplate> readTemplate(QXmlStreamReader& xml) {
    const QXmlStreamAttributes a = xml.attributes();
    LabelTemplate t;
    t.sheet.brand = a.value(QStringLiteral("brand")).toString().trimmed();
    t.sheet.part = a.value(QStringLiteral("part")).toString().trimmed();
    t.sheet.description = a.hasAttribute(QStringLiteral("_description"))
                              ? a.value(QStringLiteral("_description")).toString()
                              : a.value(QStringLiteral("description")).toString();
    t.equivalentOf = a.value(QStringLiteral("equiv")).toString().trimmed();
    const QString size = a.value(QStringLiteral("size")).toString().trimmed();
    bool good = !t.sheet.brand.isEmpty() && !t.sheet.part.isEmpty();
    if (t.equivalentOf.isEmpty()) {
        if (size.compare(QLatin1String("Other"), Qt::CaseInsensitive) == 0 || size.isEmpty()) {
            const auto width = length(a, "width");
            const auto height = length(a, "height");
            good = good && width && height && *width > 0 && *height > 0;
            if (good) {
                t.sheet.pageWidth = *width;
                t.sheet.pageHeight = *height;
            }
        } else {
            t.sheet.paper = size;
        }
    }
    while (xml.readNextStartElement()) {
        if (xml.name().startsWith(QLatin1String("Label-"))) {
            good = readLabel(xml, t.sheet.grids) && good;
        } else {
            xml.skipCurrentElement();
        }
    }
    if (!good || (t.equivalentOf.isEmpty() && t.sheet.grids.empty()) ||
        t.sheet.labelCount() > MaxLabelsPerSheet) {
        return std::nullopt;
    }
    return t;
}

} // namespace

std::optional<double> glabelsLength(QStringView text) {
    QStringView t = text.trimmed();
    double factor = 1.0;
    for (const Unit& unit : Units) {
        if (t.endsWith(QLatin1String(unit.suffix), Qt::CaseInsensitive)) {
            t.chop(2);
            factor = unit.points;
            break;
        }
    }
    bool ok = false;
    const double value = QLocale::c().toDouble(t.trimmed(), &ok);
    if (!ok || !std::isfinite(value) || value < 0 || value > 1e6) {
        return std::nullopt;
    }
    return value * factor;
}

TemplateFile readLabelTemplates(QIODevice& file) {
    TemplateFile result;
    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("Glabels-templates")) {
        return result;
    }
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("Template")) {
            xml.skipCurrentElement();
            continue;
        }
        std::optional<LabelTemplate> t = readTemplate(xml);
        if (t) {
            result.templates.push_back(std::move(*t));
        } else {
            ++result.skipped;
        }
    }
    return result;
}

std::map<QString, QSizeF> readPaperSizes(QIODevice& file) {
    std::map<QString, QSizeF> sizes;
    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("Glabels-paper-sizes")) {
        return sizes;
    }
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Paper-size")) {
            const QXmlStreamAttributes a = xml.attributes();
            const auto width = length(a, "width");
            const auto height = length(a, "height");
            const QString id = a.value(QStringLiteral("id")).toString();
            if (!id.isEmpty() && width && height && *width > 0 && *height > 0) {
                sizes[id] = QSizeF(*width, *height);
            }
        }
        xml.skipCurrentElement();
    }
    return sizes;
}

} // namespace lumetra::layoutwriter
