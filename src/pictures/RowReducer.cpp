#include "RowReducer.h"

#include <algorithm>
#include <cstring>

namespace lumetra::pictures {

namespace {

// On x86-64 the loops below are also built for AVX2, taken where the processor has it: wider, and
// spared the cost that SSE code pays on some processors while a library has left the upper
// halves of the vector registers in use (twice the time here, once Qt has started). GCC only:
// Clang 14 clones neither templates nor functions kept out of line.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define LUMETRA_VECTOR_LOOPS [[gnu::target_clones("avx2", "default")]]
#else
#define LUMETRA_VECTOR_LOOPS
#endif

// Weights are parts of Whole.
constexpr std::uint32_t Whole = 65536;
// A chunk of weights across: 4 source pixels of 4 bytes.
constexpr std::size_t Chunk = 16;
// The rows of sums are a whole number of blocks long.
constexpr std::size_t Block = 16;

std::size_t wholeBlocks(std::size_t n) {
    return n & ~(Block - 1);
}

// The weight of the part [from, to) of a span [0, span): the weights of the parts a span is cut
// into add up to Whole exactly.
std::uint32_t share(qint64 from, qint64 to, qint64 span) {
    const auto at = [span](qint64 u) { return (u * Whole + span / 2) / span; };
    return static_cast<std::uint32_t>(at(to) - at(from));
}

// A row reduced across: each target column the sum of the pixels of its window times their
// weights, byte by byte, in 256ths of a level. A short window (`Chunks` of them) sums products
// rounded down, a long one sums them whole and rounds once: the products would lose too much.
std::uint16_t timesWeight(std::uint8_t level, std::uint16_t weight) {
    return static_cast<std::uint16_t>((std::uint32_t{level} << 8) * weight >> 16);
}

std::uint16_t plus(std::uint16_t x, std::uint16_t y) {
    return static_cast<std::uint16_t>(x + y);
}

// Two target columns at a time, their 4 pixels' sums added up side by side.
template <int Chunks>
LUMETRA_VECTOR_LOOPS void reduceRow(const std::uint8_t* __restrict pixels,
                                    const std::int32_t* __restrict firsts,
                                    const std::uint16_t* __restrict weights, std::size_t columns,
                                    std::uint16_t* __restrict out) {
    constexpr std::size_t Window = Chunks * Chunk;
    std::size_t t = 0;
    for (; t + 1 < columns; t += 2) {
        const std::uint8_t* p = pixels + 4 * static_cast<std::size_t>(firsts[t]);
        const std::uint8_t* q = pixels + 4 * static_cast<std::size_t>(firsts[t + 1]);
        const std::uint16_t* w = weights + t * Window;
        std::uint16_t a[Chunk] = {}, b[Chunk] = {};
        for (int c = 0; c < Chunks; ++c, p += Chunk, q += Chunk, w += Chunk) {
            for (std::size_t i = 0; i < Chunk; ++i) {
                a[i] = plus(a[i], timesWeight(p[i], w[i]));
            }
            for (std::size_t i = 0; i < Chunk; ++i) {
                b[i] = plus(b[i], timesWeight(q[i], w[Window + i]));
            }
        }
        // Pixels 0 + 2 and 1 + 3 of each window, then those two side by side.
        std::uint16_t x[8], y[8];
        for (std::size_t i = 0; i < 8; ++i) {
            x[i] = plus(a[i], a[i + 8]);
            y[i] = plus(b[i], b[i + 8]);
        }
        const std::uint16_t low[8] = {x[0], x[1], x[2], x[3], y[0], y[1], y[2], y[3]};
        const std::uint16_t high[8] = {x[4], x[5], x[6], x[7], y[4], y[5], y[6], y[7]};
        for (std::size_t i = 0; i < 8; ++i) {
            out[4 * t + i] = plus(low[i], high[i]);
        }
    }
    for (; t < columns; ++t) {
        const std::uint8_t* p = pixels + 4 * static_cast<std::size_t>(firsts[t]);
        const std::uint16_t* w = weights + t * Window;
        std::uint16_t a[Chunk] = {};
        for (int c = 0; c < Chunks; ++c, p += Chunk, w += Chunk) {
            for (std::size_t i = 0; i < Chunk; ++i) {
                a[i] = plus(a[i], timesWeight(p[i], w[i]));
            }
        }
        for (std::size_t i = 0; i < 4; ++i) {
            out[4 * t + i] = plus(plus(a[i], a[i + 8]), plus(a[i + 4], a[i + 12]));
        }
    }
}

LUMETRA_VECTOR_LOOPS void reduceRowLong(const std::uint8_t* __restrict pixels,
                                        const std::int32_t* __restrict firsts,
                                        const std::uint16_t* __restrict weights, int chunks,
                                        std::size_t columns, std::uint16_t* __restrict out) {
    for (std::size_t t = 0; t < columns; ++t) {
        const std::uint8_t* p = pixels + 4 * static_cast<std::size_t>(firsts[t]);
        const std::uint16_t* w = weights + t * static_cast<std::size_t>(chunks) * Chunk;
        std::uint32_t sums[Chunk] = {};
        for (int c = 0; c < chunks; ++c, p += Chunk, w += Chunk) {
            for (std::size_t i = 0; i < Chunk; ++i) {
                sums[i] += std::uint32_t{p[i]} * w[i];
            }
        }
        for (std::size_t b = 0; b < 4; ++b) {
            out[4 * t + b] = static_cast<std::uint16_t>(
                (sums[b] + sums[b + 4] + sums[b + 8] + sums[b + 12] + 128) >> 8);
        }
    }
}

// At -O2 the compiler vectorises a loop only when no scalar iterations are needed around it:
// the loops below run over whole blocks of Block values, each a loop of that count, and then
// over what is left one by one.

// A row as wide as the target's, in 256ths of a level.
std::uint16_t widened(std::uint8_t level) {
    return static_cast<std::uint16_t>(level << 8);
}

LUMETRA_VECTOR_LOOPS void widen(const std::uint8_t* __restrict pixels, std::size_t n,
                                std::uint16_t* __restrict out) {
    const std::size_t whole = wholeBlocks(n);
    for (std::size_t b = 0; b < whole; b += Block) {
        for (std::size_t i = 0; i < Block; ++i) {
            out[b + i] = widened(pixels[b + i]);
        }
    }
    for (std::size_t i = whole; i < n; ++i) {
        out[i] = widened(pixels[i]);
    }
}

// `n`: a multiple of Block; `first`: the sums hold nothing yet. Out of line: where the compiler
// sees the weight's range it multiplies in 32 bits, slow in vector code before SSE4.1.
[[gnu::noinline]] LUMETRA_VECTOR_LOOPS void addTimes(const std::uint16_t* __restrict row,
                                                     std::uint16_t weight, bool first,
                                                     std::size_t n,
                                                     std::uint32_t* __restrict sums) {
    for (std::size_t b = 0; b < n && first; b += Block) {
        for (std::size_t i = 0; i < Block; ++i) {
            sums[b + i] = std::uint32_t{row[b + i]} * weight;
        }
    }
    for (std::size_t b = 0; b < n && !first; b += Block) {
        for (std::size_t i = 0; i < Block; ++i) {
            sums[b + i] += std::uint32_t{row[b + i]} * weight;
        }
    }
}

// Sums of weight Whole: the levels they make.
std::uint8_t level(std::uint32_t sum, std::uint32_t rounding) {
    return static_cast<std::uint8_t>((sum + rounding) >> 24);
}

LUMETRA_VECTOR_LOOPS void toBytes(const std::uint32_t* __restrict sums, std::uint32_t rounding,
                                  std::size_t n, std::uint8_t* __restrict out) {
    const std::size_t whole = wholeBlocks(n);
    for (std::size_t b = 0; b < whole; b += Block) {
        for (std::size_t i = 0; i < Block; ++i) {
            out[b + i] = level(sums[b + i], rounding);
        }
    }
    for (std::size_t i = whole; i < n; ++i) {
        out[i] = level(sums[i], rounding);
    }
}

// A row reduced across only: the levels it makes (`rounding` in 256ths of a level).
std::uint8_t level(std::uint16_t value, std::uint16_t rounding) {
    return static_cast<std::uint8_t>(static_cast<std::uint16_t>(value + rounding) >> 8);
}

LUMETRA_VECTOR_LOOPS void toBytes(const std::uint16_t* __restrict row, std::uint16_t rounding,
                                  std::size_t n, std::uint8_t* __restrict out) {
    const std::size_t whole = wholeBlocks(n);
    for (std::size_t b = 0; b < whole; b += Block) {
        for (std::size_t i = 0; i < Block; ++i) {
            out[b + i] = level(row[b + i], rounding);
        }
    }
    for (std::size_t i = whole; i < n; ++i) {
        out[i] = level(row[i], rounding);
    }
}

// Sums of a smaller weight (a target row not all its source rows reached): their mean.
void toBytesScaled(const std::uint32_t* sums, double scale, std::uint32_t rounding, std::size_t n,
                   std::uint8_t* out) {
    for (std::size_t i = 0; i < n; ++i) {
        const double level = (sums[i] * scale + rounding) * (1.0 / (1 << 24));
        out[i] = static_cast<std::uint8_t>(std::min(level, 255.0));
    }
}

} // namespace

RowReducer::RowReducer(QSize source, QSize target)
    : source_(source), target_(target.boundedTo(source).expandedTo(QSize(1, 1))),
      out_(static_cast<std::size_t>(target_.width()) * 4 *
               static_cast<std::size_t>(target_.height()),
           0),
      filled_(static_cast<std::size_t>(target_.height()), 0) {
    if (source_.isEmpty() || source_ == target_) {
        return;
    }
    const std::size_t row =
        (static_cast<std::size_t>(target_.width()) * 4 + Block - 1) & ~(Block - 1);
    across_.assign(row, 0);
    sums_[0].assign(row, 0);
    sums_[1].assign(row, 0);
    const qint64 from = source_.width(), to = target_.width();
    rounding_ = 1 << 23;
    if (from != to) {
        weighAcross();
    }
    if (chunks_ == 1 || chunks_ == 2) {
        // Each product across drops under a 256th of a level, half of one on average, once for
        // each source pixel a target pixel reads: made up for when rounding.
        rounding_ += static_cast<std::uint32_t>((from + to) * (Whole / 2) / to);
    }
}

// Counted in 1/w of a source column (w the target's width, W the source's), source column x
// covers [x w, (x + 1) w) and target column t covers [t W, (t + 1) W): each source column in
// that span weighs the part of it it covers. Every target column reads a window of as many
// chunks as the widest needs, within the row where it can.
void RowReducer::weighAcross() {
    const qint64 from = source_.width(), to = target_.width();
    qint64 taps = 0;
    for (qint64 t = 0; t < to; ++t) {
        taps = std::max(taps, ((t + 1) * from + to - 1) / to - t * from / to);
    }
    chunks_ = static_cast<int>((taps + 3) / 4);
    const qint64 window = 4 * qint64{chunks_};
    if (window > from) {
        padded_.assign(static_cast<std::size_t>(window) * 4, 0);
    }
    firsts_.resize(static_cast<std::size_t>(to));
    weights_.assign(static_cast<std::size_t>(to * window) * 4, 0);
    for (qint64 t = 0; t < to; ++t) {
        const qint64 begin = t * from, end = begin + from;
        const qint64 first = std::max<qint64>(0, std::min(begin / to, from - window));
        firsts_[static_cast<std::size_t>(t)] = static_cast<std::int32_t>(first);
        for (qint64 k = 0; k < window; ++k) {
            const qint64 low = std::max((first + k) * to, begin);
            const qint64 high = std::min((first + k + 1) * to, end);
            if (high > low) {
                const auto w = static_cast<std::uint16_t>(
                    std::min(share(low - begin, high - begin, from), Whole - 1));
                std::fill_n(weights_.begin() + (t * window + k) * 4, 4, w);
            }
        }
    }
}

void RowReducer::add(int y, const std::uint8_t* pixels) {
    if (y < 0 || y >= source_.height() || y <= lastSource_ || source_.isEmpty()) {
        return;
    }
    lastSource_ = y;
    if (source_ == target_) {
        const std::size_t stride = static_cast<std::size_t>(target_.width()) * 4;
        std::memcpy(out_.data() + static_cast<std::size_t>(y) * stride, pixels, stride);
        written(y);
        return;
    }
    reduceAcross(pixels);
    if (source_.height() == target_.height()) {
        const std::size_t stride = static_cast<std::size_t>(target_.width()) * 4;
        toBytes(across_.data(), static_cast<std::uint16_t>(rounding_ >> 16), stride,
                out_.data() + static_cast<std::size_t>(y) * stride);
        written(y);
        return;
    }
    // Counted in 1/h of a source row (h the target's height, H the source's), source row y covers
    // [y h, (y + 1) h) and target row j covers [j H, (j + 1) H): it lies on two at most.
    const qint64 span = source_.height();
    const qint64 top = qint64{y} * target_.height(), bottom = top + target_.height();
    const int row = static_cast<int>(top / span);
    moveTo(row);
    const qint64 start = row * span, next = start + span;
    addDown(0, share(top - start, std::min(bottom, next) - start, span));
    if (bottom > next) {
        addDown(1, share(0, bottom - next, span));
    }
}

void RowReducer::reduceAcross(const std::uint8_t* pixels) {
    const std::size_t bytes = static_cast<std::size_t>(source_.width()) * 4;
    if (source_.width() == target_.width()) {
        widen(pixels, bytes, across_.data());
        return;
    }
    if (!padded_.empty()) {
        std::memcpy(padded_.data(), pixels, bytes);
        pixels = padded_.data();
    }
    const auto columns = static_cast<std::size_t>(target_.width());
    if (chunks_ > 2) {
        reduceRowLong(pixels, firsts_.data(), weights_.data(), chunks_, columns, across_.data());
    } else {
        const auto reduce = chunks_ == 1 ? reduceRow<1> : reduceRow<2>;
        reduce(pixels, firsts_.data(), weights_.data(), columns, across_.data());
    }
}

// Target rows above `row` have all their source rows: written out, and the sums moved on.
void RowReducer::moveTo(int row) {
    if (row == row_) {
        return;
    }
    flush(0);
    if (row == row_ + 1) {
        std::swap(sums_[0], sums_[1]);
        had_[0] = had_[1];
    } else {
        flush(1);
        had_[0] = 0;
    }
    had_[1] = 0;
    row_ = row;
}

// The row reduced across, added into target row row_ + slot with `weight` (a source row covers
// the whole of a target row only when they are as high: then it is written out at once).
void RowReducer::addDown(int slot, std::uint32_t weight) {
    weight = std::min(weight, Whole - 1);
    if (weight == 0) {
        return;
    }
    std::vector<std::uint32_t>& sums = sums_[static_cast<std::size_t>(slot)];
    std::uint32_t& had = had_[static_cast<std::size_t>(slot)];
    addTimes(across_.data(), static_cast<std::uint16_t>(weight), had == 0, sums.size(),
             sums.data());
    had += weight;
}

void RowReducer::flush(int slot) {
    const int row = row_ + slot;
    const std::uint32_t had = had_[static_cast<std::size_t>(slot)];
    if (had == 0 || row < 0 || row >= target_.height()) {
        return;
    }
    const std::size_t stride = static_cast<std::size_t>(target_.width()) * 4;
    std::uint8_t* out = out_.data() + static_cast<std::size_t>(row) * stride;
    const std::uint32_t* sums = sums_[static_cast<std::size_t>(slot)].data();
    if (had == Whole) {
        toBytes(sums, rounding_, stride, out);
    } else {
        toBytesScaled(sums, double{Whole} / had, rounding_, stride, out);
    }
    written(row);
}

void RowReducer::written(int row) {
    filled_[static_cast<std::size_t>(row)] = 1;
    lastFilled_ = std::max(lastFilled_, row);
}

std::vector<std::uint8_t>& RowReducer::finish(std::array<std::uint8_t, 4> tail) {
    flush(0);
    flush(1);
    const std::size_t stride = static_cast<std::size_t>(target_.width()) * 4;
    for (int row = 0; row < target_.height(); ++row) {
        std::uint8_t* out = out_.data() + static_cast<std::size_t>(row) * stride;
        if (filled_[static_cast<std::size_t>(row)]) {
            continue;
        }
        // Above the last row written a source row was skipped; below it the picture ended early.
        if (row > 0 && row < lastFilled_) {
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
