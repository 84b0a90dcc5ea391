#include "NaturalOrder.h"

namespace lumetra::mainwindow {

namespace {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The run of digits starting at `at`: where its significant digits start and where it ends.
struct Number {
    qsizetype significant;
    qsizetype end;
};

Number numberAt(const QString& text, qsizetype at) {
    qsizetype significant = at;
    while (significant < text.size() && text[significant] == QLatin1Char('0')) {
        ++significant;
    }
    qsizetype end = significant;
    while (end < text.size() && isDigit(text[end])) {
        ++end;
    }
    return {significant, end};
}

int sign(qsizetype value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

} // namespace

int ConfrontoNaturale(const QString& a, const QString& b) {
    qsizetype i = 0;
    qsizetype j = 0;
    int zeros = 0; // the first difference in leading zeros, for equal values
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            const Number x = numberAt(a, i);
            const Number y = numberAt(b, j);
            const qsizetype lengthX = x.end - x.significant;
            const qsizetype lengthY = y.end - y.significant;
            if (lengthX != lengthY) {
                return sign(lengthX - lengthY);
            }
            const int digits = QStringView(a)
                                   .sliced(x.significant, lengthX)
                                   .compare(QStringView(b).sliced(y.significant, lengthY));
            if (digits != 0) {
                return digits;
            }
            if (zeros == 0) {
                zeros = sign((x.significant - i) - (y.significant - j));
            }
            i = x.end;
            j = y.end;
            continue;
        }
        const char32_t x = a[i].toCaseFolded().unicode();
        const char32_t y = b[j].toCaseFolded().unicode();
        if (x != y) {
            return x < y ? -1 : 1;
        }
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size()) {
        return i < a.size() ? 1 : -1;
    }
    if (zeros != 0) {
        return zeros;
    }
    return a.compare(b);
}

} // namespace lumetra::mainwindow
