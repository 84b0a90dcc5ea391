#include "RowReducer.h"

#include <algorithm>
#include <cstring>

namespace lumetra::pictures {

RowReducer::RowReducer(QSize source, QSize target)
    : source_(source), target_(target), sums_(static_cast<std::size_t>(target.width()) * 4, 0),
      counts_(static_cast<std::size_t>(target.width()), 0),
      columns_(static_cast<std::size_t>(source.width())),
      out_(static_cast<std::size_t>(target.width()) * 4 * static_cast<std::size_t>(target.height()),
           0),
      filled_(static_cast<std::size_t>(target.height()), 0) {
    for (int x = 0; x < source.width(); ++x) {
        columns_[static_cast<std::size_t>(x)] =
            static_cast<std::int32_t>(qint64(x) * target.width() / source.width());
    }
}

void RowReducer::add(int y, const std::uint8_t* pixels) {
    if (y < 0 || y >= source_.height() || y <= lastSource_) {
        return;
    }
    lastSource_ = y;
    const int row = static_cast<int>(qint64(y) * target_.height() / source_.height());
    if (row != row_) {
        flush();
        row_ = row;
    }
    std::uint32_t* sums = sums_.data();
    std::uint32_t* counts = counts_.data();
    for (int x = 0; x < source_.width(); ++x) {
        const auto t = static_cast<std::size_t>(columns_[static_cast<std::size_t>(x)]);
        const std::uint8_t* p = pixels + 4 * static_cast<std::size_t>(x);
        sums[4 * t] += p[0];
        sums[4 * t + 1] += p[1];
        sums[4 * t + 2] += p[2];
        sums[4 * t + 3] += p[3];
        ++counts[t];
    }
}

void RowReducer::flush() {
    if (row_ < 0) {
        return;
    }
    std::uint8_t* out = out_.data() + static_cast<std::size_t>(row_) * target_.width() * 4;
    for (std::size_t t = 0; t < counts_.size(); ++t) {
        const std::uint32_t n = counts_[t];
        for (std::size_t c = 0; c < 4; ++c) {
            out[4 * t + c] = n ? static_cast<std::uint8_t>((sums_[4 * t + c] + n / 2) / n) : 0;
        }
    }
    filled_[static_cast<std::size_t>(row_)] = 1;
    std::fill(sums_.begin(), sums_.end(), 0);
    std::fill(counts_.begin(), counts_.end(), 0);
    row_ = -1;
}

std::vector<std::uint8_t>& RowReducer::finish(std::array<std::uint8_t, 4> tail) {
    flush();
    const std::size_t stride = static_cast<std::size_t>(target_.width()) * 4;
    // Target rows from here on have no source rows: the picture ended early.
    const int ended =
        lastSource_ < 0
            ? 0
            : static_cast<int>(qint64(lastSource_) * target_.height() / source_.height()) + 1;
    for (int row = 0; row < target_.height(); ++row) {
        std::uint8_t* out = out_.data() + static_cast<std::size_t>(row) * stride;
        if (filled_[static_cast<std::size_t>(row)]) {
            continue;
        }
        if (row < ended && row > 0) {
            std::memcpy(out, out - stride, stride);
        } else {
            for (std::size_t x = 0; x < stride; x += 4) {
                std::memcpy(out + x, tail.data(), 4);
            }
        }
    }
    return out_;
}

} // namespace lumetra::pictures
