#pragma once
// Reduces a picture to a smaller size while its rows come in, top to bottom, so that no more
// than the reduced picture is ever held: each target pixel is the mean of the source pixels that
// fall on it. Pixels are four bytes (BGRX, CMYK, ...), averaged byte by byte. Rows may be
// skipped (an interlaced picture read from one pass only): a target row that no source row
// reached repeats the one above, and the rows after the last source row given (a picture cut
// short) take `tail`.

#include <QSize>

#include <array>
#include <cstdint>
#include <vector>

namespace lumetra::pictures {

class RowReducer {
public:
    RowReducer(QSize source, QSize target);

    // Source row `y` (increasing from one call to the next): source.width() pixels.
    void add(int y, const std::uint8_t* pixels);
    // The target pixels, row after row, four bytes each.
    std::vector<std::uint8_t>& finish(std::array<std::uint8_t, 4> tail);

    QSize target() const { return target_; }

private:
    void flush();

    QSize source_, target_;
    std::vector<std::uint32_t> sums_, counts_;
    std::vector<std::int32_t> columns_; // target column of each source column
    std::vector<std::uint8_t> out_;
    std::vector<char> filled_;
    int row_ = -1;
    int lastSource_ = -1;
};

} // namespace lumetra::pictures
