#include "LayoutJson.h"

#include <QString>

namespace lumetra::pubinfo {

namespace {

QByteArray points(double value) {
    if (value > -0.005 && value < 0.005) {
        value = 0; // no "-0.00"
    }
    return QByteArray::number(value, 'f', 2);
}

QByteArray indexList(const std::vector<int>& indices) {
    QByteArray out = "[";
    for (std::size_t i = 0; i < indices.size(); ++i) {
        out += (i ? ", " : "") + QByteArray::number(indices[i]);
    }
    return out + "]";
}

} // namespace

QByteArray layoutJson(const lumetra::pub::Layout& layout) {
    QByteArray out;
    out += "{\n  \"version\": \"" + layout.versionName().toUtf8() + "\",\n";
    out += "  \"pageWidth\": " + points(layout.pageWidth()) + ",\n";
    out += "  \"pageHeight\": " + points(layout.pageHeight()) + ",\n";
    out += "  \"pages\": [";
    const auto& pages = layout.pages();
    for (std::size_t p = 0; p < pages.size(); ++p) {
        out += p ? ",\n    {\"shapes\": [" : "\n    {\"shapes\": [";
        const auto& shapes = pages[p].shapes;
        for (std::size_t i = 0; i < shapes.size(); ++i) {
            const auto& s = shapes[i];
            out += i ? ",\n      " : "\n      ";
            out += "{\"index\": " + QByteArray::number(i + 1) +
                   ", \"type\": " + QByteArray::number(s.type) +
                   ", \"autoShapeType\": " + QByteArray::number(s.autoShapeType) +
                   ", \"left\": " + points(s.left) + ", \"top\": " + points(s.top) +
                   ", \"width\": " + points(s.width) + ", \"height\": " + points(s.height) + "}";
        }
        out += shapes.empty() ? "]}" : "\n    ]}";
    }
    out += "\n  ],\n";
    out += "  \"slots\": " + indexList(layout.pictureSlots(layout.firstPageIndex())) + "\n}\n";
    return out;
}

} // namespace lumetra::pubinfo
