#pragma once
// What a format reader hands to Layout: pages with their shapes, and for each shape the stream
// patches that hide it from libmspub.

#include "Layout.h"
#include "PubFormat.h"

#include <cstddef>
#include <vector>

namespace lumetra::pub::detail {

// Limits shared by the format readers: a file with more shapes, or groups nested deeper, is
// refused as damaged rather than read without bound.
inline constexpr std::size_t MaxShapes = 200'000;
inline constexpr int MaxGroupDepth = 32;

struct RawShape {
    Shape shape;
    std::vector<StreamPatch> hide;
};

struct RawPage {
    Page page; // shapes left empty: they are in `shapes`
    std::vector<RawShape> shapes;
};

struct RawLayout {
    Version version = Version::Publisher2002;
    double pageWidth = 0; // points
    double pageHeight = 0;
    std::vector<RawPage> pages;   // document order, masters left out
    std::vector<RawPage> masters; // master pages
    // Indices in `pages`, in the order libmspub walks its pages (a page it walks is emitted when
    // it holds at least one shape of its own).
    std::vector<int> libmspubOrder;
};

// Fills a Layout from what a reader found (checks that there are pages and shapes).
struct LayoutAccess {
    static Layout build(RawLayout raw);
};

} // namespace lumetra::pub::detail
