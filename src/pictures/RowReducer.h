#pragma once
// Reduces a picture to a smaller size while its rows come in, top to bottom, so that no more
// than the reduced picture is ever held: each target pixel is the mean of the source area under
// it, a source pixel that it covers in part counted for that part (a box filter, so that no
// ratio, whole or not, makes patterns that are not in the picture). Pixels are four bytes (BGRX,
// CMYK, ...), averaged byte by byte. Rows may be skipped (an interlaced picture read from one
// pass only): a target row that no source row reached repeats the one above, and the rows after
// the last source row given (a picture cut short) take `tail`.
//
// Each source row is first reduced across, into one row of the target's width, then added into
// the one or two target rows it lies on, each weighted by the part of them it covers; a target
// row is written out once the rows below have passed it. All in fixed point: weights are parts
// of 65536, a row reduced across holds 256ths of a level.

#include <QSize>

#include <array>
#include <cstdint>
#include <vector>

namespace lumetra::pictures {

class RowReducer {
public:
    // `target` is kept within `source` (and at least 1 x 1).
    RowReducer(QSize source, QSize target);

    // Source row `y` (increasing from one call to the next): source.width() pixels.
    void add(int y, const std::uint8_t* pixels);
    // The target pixels, row after row, four bytes each.
    std::vector<std::uint8_t>& finish(std::array<std::uint8_t, 4> tail);

    QSize target() const { return target_; }

private:
    void weighAcross();
    void reduceAcross(const std::uint8_t* pixels);
    void moveTo(int row);
    void addDown(int slot, std::uint32_t weight);
    void flush(int slot);
    void written(int row);

    QSize source_, target_;
    // Across: the weights of each target column, `chunks_` times 4 source pixels x 4 bytes,
    // applied from its column in `firsts_`.
    int chunks_ = 0;
    std::vector<std::int32_t> firsts_;
    std::vector<std::uint16_t> weights_;
    std::vector<std::uint8_t> padded_; // a source row narrower than the weights, made wider
    std::vector<std::uint16_t> across_;
    std::uint32_t rounding_ = 0;
    // Down: the sums of the target rows row_ and row_ + 1 and the weight each has had (none:
    // its sums are not set).
    std::array<std::vector<std::uint32_t>, 2> sums_;
    std::array<std::uint32_t, 2> had_{};
    std::vector<std::uint8_t> out_;
    std::vector<char> filled_;
    int row_ = -1;
    int lastSource_ = -1;
    int lastFilled_ = -1;
};

} // namespace lumetra::pictures
