#include "LayoutPlan.h"

#include "PubBuilder.h"

#include <algorithm>
#include <cmath>

namespace lumetra::layoutwriter {
namespace {

using pub::PubBuilder;
using pub::PubItem;
using pub::PubPage;
using pub::PubStyle;

// Edges compared in hundredths of a point, so that rows computed with rounding stay rows.
long long hundredths(double points) {
    return std::llround(points * 100);
}

void fill(const LayoutPlan& plan, PubBuilder& builder) {
    builder.pageSize(plan.pageWidth, plan.pageHeight);
    PubPage& page = builder.addPage();
    // Thin grey outlines without fill: visible when the layout is opened elsewhere, and deleted
    // with the rectangles when the pictures take their place.
    PubStyle outline;
    outline.fill.reset();
    outline.line = qRgb(128, 128, 128);
    outline.lineWidth = 0.5;
    for (const QRectF& r : plan.rectangles) {
        page.add(PubItem::rectangle(r.left(), r.top(), r.width(), r.height()).styled(outline));
    }
    if (!plan.title.isEmpty()) {
        page.addTextBox(plan.titleBox.left(), plan.titleBox.top(), plan.titleBox.width(),
                        plan.titleBox.height(), plan.title);
    }
}

} // namespace

void sortInFillOrder(std::vector<QRectF>& rectangles) {
    std::stable_sort(rectangles.begin(), rectangles.end(), [](const QRectF& a, const QRectF& b) {
        const long long ta = hundredths(a.top()), tb = hundredths(b.top());
        return ta != tb ? ta < tb : hundredths(a.left()) < hundredths(b.left());
    });
}

QByteArray layoutBytes(const LayoutPlan& plan) {
    PubBuilder builder;
    fill(plan, builder);
    return builder.bytes();
}

runtime::FileWriteResult writeLayout(const LayoutPlan& plan, const QString& path,
                                     runtime::Replace replace) {
    PubBuilder builder;
    fill(plan, builder);
    return builder.write(path, replace);
}

} // namespace lumetra::layoutwriter
