#include "OdsContent.h"

#include "Table.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace lumetra::catalogue {
namespace {

// Each repeated cell costs liborcus a step: this many take it about a second.
constexpr std::uint64_t MaxRepeatedCells = std::uint64_t{1} << 28;
constexpr int MaxSpaces = 1024; // one <text:s text:c="..."/> written out

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A start or end tag, from its '<' to its '>'.
struct Tag {
    QByteArrayView name;                                               // "/text:p" for an end tag
    std::vector<std::pair<QByteArrayView, QByteArrayView>> attributes; // values in their quotes
    bool empty = false;                                                // <.../>
    bool valid = false;
};

Tag parseTag(QByteArrayView text) {
    Tag tag;
    const qsizetype end = text.size() - 1; // the '>'
    qsizetype i = text.size() > 2 && text[1] == '/' ? 2 : 1;
    while (i < end && !isSpace(text[i]) && text[i] != '/') {
        ++i;
    }
    tag.name = text.sliced(1, i - 1);
    while (true) {
        while (i < end && isSpace(text[i])) {
            ++i;
        }
        if (i >= end || text[i] == '/') {
            tag.empty = i < end;
            tag.valid = i >= end || i + 1 == end;
            return tag;
        }
        const qsizetype nameStart = i;
        while (i < end && text[i] != '=' && !isSpace(text[i])) {
            ++i;
        }
        const QByteArrayView name = text.sliced(nameStart, i - nameStart);
        while (i < end && (isSpace(text[i]) || text[i] == '=')) {
            ++i;
        }
        if (i >= end || (text[i] != '"' && text[i] != '\'')) {
            return tag;
        }
        const qsizetype close = text.indexOf(text[i], i + 1);
        if (close < 0 || close >= end) {
            return tag;
        }
        tag.attributes.emplace_back(name, text.sliced(i, close + 1 - i));
        i = close + 1;
    }
}

QByteArrayView attribute(const Tag& tag, QByteArrayView name) {
    for (const auto& [key, value] : tag.attributes) {
        if (key == name) {
            return value.sliced(1, value.size() - 2);
        }
    }
    return {};
}

// A count as liborcus reads it (a sign, then digits); any other value, a character reference
// in it say, could still read as a large one, and counts as too large.
std::uint64_t count(QByteArrayView value) {
    qsizetype i = !value.isEmpty() && (value[0] == '+' || value[0] == '-') ? 1 : 0;
    std::uint64_t n = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i) {
        n = std::min(n * 10 + static_cast<unsigned>(value[i] - '0'), MaxRepeatedCells + 1);
    }
    if (i < value.size() || value.isEmpty()) {
        return MaxRepeatedCells + 1;
    }
    return value[0] == '-' ? 0 : n;
}

class Rewriter {
public:
    explicit Rewriter(QByteArrayView xml) : xml_(xml) {}
    std::optional<QByteArray> run();

private:
    qsizetype markupEnd(qsizetype at) const;
    void rewrite(const Tag& tag, QByteArrayView text);
    void writeCell(const Tag& tag);
    void mergeParagraphs(QByteArrayView text);

    QByteArrayView xml_;
    QByteArray out_;
    qsizetype at_ = 0;
    std::uint64_t repeated_ = 0;
};

// Past the end of the markup at `at`: a comment, CDATA or declaration whole, a tag with its
// quoted values; the end of the text when it does not close.
qsizetype Rewriter::markupEnd(qsizetype at) const {
    static constexpr std::pair<QByteArrayView, QByteArrayView> Verbatim[] = {
        {"<!--", "-->"}, {"<![CDATA[", "]]>"}, {"<?", "?>"}};
    for (const auto& [open, close] : Verbatim) {
        if (xml_.sliced(at).startsWith(open)) {
            const qsizetype end = xml_.indexOf(close, at);
            return end < 0 ? xml_.size() : end + close.size();
        }
    }
    char quote = 0;
    for (qsizetype i = at + 1; i < xml_.size(); ++i) {
        if (quote != 0) {
            if (xml_[i] == quote) {
                quote = 0;
            }
        } else if (xml_[i] == '"' || xml_[i] == '\'') {
            quote = xml_[i];
        } else if (xml_[i] == '>') {
            return i + 1;
        }
    }
    return xml_.size();
}

std::optional<QByteArray> Rewriter::run() {
    out_.reserve(xml_.size());
    while (at_ < xml_.size()) {
        const qsizetype open = xml_.indexOf('<', at_);
        const qsizetype textEnd = open < 0 ? xml_.size() : open;
        out_.append(xml_.sliced(at_, textEnd - at_));
        at_ = textEnd;
        if (open >= 0) {
            const qsizetype end = markupEnd(open);
            const QByteArrayView text = xml_.sliced(open, end - open);
            at_ = end;
            const Tag tag = text.endsWith('>') ? parseTag(text) : Tag{};
            if (tag.valid) {
                rewrite(tag, text);
            } else {
                out_.append(text);
            }
        }
        if (repeated_ > MaxRepeatedCells || out_.size() > MaxUnpackedBytes) {
            return std::nullopt;
        }
    }
    return out_;
}

void Rewriter::rewrite(const Tag& tag, QByteArrayView text) {
    for (const auto& [key, value] : tag.attributes) {
        if (key == "number-columns-repeated" || key.endsWith(":number-columns-repeated")) {
            repeated_ += count(value.sliced(1, value.size() - 2));
        }
    }
    if (tag.name == "table:table-cell" || tag.name == "table:covered-table-cell") {
        writeCell(tag);
    } else if (tag.name == "/table:covered-table-cell") {
        out_.append("</table:table-cell>");
    } else if (tag.name == "text:s") {
        const QByteArrayView spaces = attribute(tag, "text:c");
        const std::uint64_t n = spaces.isEmpty() ? 1 : count(spaces);
        out_.append(QByteArray(static_cast<qsizetype>(std::min<std::uint64_t>(n, MaxSpaces)), ' '));
    } else if (tag.name == "text:tab" || tag.name == "text:line-break") {
        out_.append(tag.name == "text:tab" ? '\t' : '\n');
    } else if (tag.name == "/text:s" || tag.name == "/text:tab" || tag.name == "/text:line-break") {
        // written out at the start tag
    } else if (tag.name == "/text:p") {
        mergeParagraphs(text);
    } else {
        out_.append(text);
    }
}

void Rewriter::writeCell(const Tag& tag) {
    out_.append("<table:table-cell");
    for (const auto& [key, value] : tag.attributes) {
        if (key == "table:formula") {
            continue;
        }
        out_.append(' ').append(key).append('=');
        const QByteArrayView type = value.sliced(1, value.size() - 2);
        if (key == "office:value-type" && (type == "currency" || type == "percentage")) {
            out_.append("\"float\"");
        } else if (key == "office:value-type" && (type == "boolean" || type == "time")) {
            out_.append("\"string\"");
        } else {
            out_.append(value);
        }
    }
    out_.append(tag.empty ? "/>" : ">");
}

// A paragraph's end: the paragraphs right after it join it, a line each.
void Rewriter::mergeParagraphs(QByteArrayView text) {
    while (true) {
        qsizetype next = at_;
        while (next < xml_.size() && isSpace(xml_[next])) {
            ++next;
        }
        if (!xml_.sliced(next).startsWith("<text:p")) {
            out_.append(text);
            return;
        }
        const qsizetype end = markupEnd(next);
        const Tag tag = parseTag(xml_.sliced(next, end - next));
        if (!tag.valid || tag.name != "text:p") {
            out_.append(text);
            return;
        }
        out_.append('\n');
        at_ = end;
        if (!tag.empty) {
            return;
        }
    }
}

} // namespace

std::optional<QByteArray> odsContentForOrcus(QByteArrayView xml) {
    return Rewriter(xml).run();
}

} // namespace lumetra::catalogue
