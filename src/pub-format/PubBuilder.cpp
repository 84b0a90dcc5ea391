#include "PubBuilder.h"

#include "Length.h"

#include "CompoundFileWriter.h"
#include "PubStreams.h"

#include <cmath>
#include <functional>
#include <stdexcept>

namespace lumetra::pub {

PubItem PubItem::rectangle(double l, double t, double w, double h) {
    PubItem item;
    item.kind = Kind::Rectangle;
    item.left = l;
    item.top = t;
    item.width = w;
    item.height = h;
    return item;
}

PubItem PubItem::roundedRectangle(double l, double t, double w, double h) {
    PubItem item = rectangle(l, t, w, h);
    item.kind = Kind::RoundedRectangle;
    return item;
}

PubItem PubItem::oval(double l, double t, double w, double h) {
    PubItem item = rectangle(l, t, w, h);
    item.kind = Kind::Oval;
    return item;
}

PubItem PubItem::textBox(double l, double t, double w, double h, const QString& text) {
    PubItem item = rectangle(l, t, w, h);
    item.kind = Kind::TextBox;
    item.text = text;
    item.style.fill.reset();
    item.style.line.reset();
    return item;
}

PubItem PubItem::picture(double l, double t, double w, double h, const QByteArray& png) {
    PubItem item = rectangle(l, t, w, h);
    item.kind = Kind::Picture;
    item.png = png;
    item.style.fill.reset();
    item.style.line.reset();
    return item;
}

PubItem PubItem::group(std::vector<PubItem> members) {
    PubItem item;
    item.kind = Kind::Group;
    item.members = std::move(members);
    item.style.fill.reset();
    item.style.line.reset();
    return item;
}

int PubPage::add(PubItem item) {
    items_.push_back(std::move(item));
    return static_cast<int>(items_.size());
}

PubBuilder::PubBuilder() = default;
PubBuilder::~PubBuilder() = default;

void PubBuilder::pageSize(double width, double height) {
    width_ = width;
    height_ = height;
}

PubPage& PubBuilder::addPage() {
    pages_.push_back(std::make_unique<PubPage>());
    pages_.back()->number_ = static_cast<int>(pages_.size()) - 1;
    return *pages_.back();
}

PubPage& PubBuilder::addMasterPage(const QString& name) {
    PubPage& page = addPage();
    page.masterName_ = name.isEmpty() ? QStringLiteral("A") : name;
    return page;
}

QByteArray PubBuilder::bytes() const {
    const PubFileWriter writer(*this);
    CompoundFileWriter file;
    file.addStream(QStringLiteral("Contents"), writer.contents());
    file.addStream(QStringLiteral("Escher/EscherStm"), writer.escher());
    const QByteArray delay = writer.escherDelay();
    if (!delay.isEmpty()) {
        file.addStream(QStringLiteral("Escher/EscherDelayStm"), delay);
    }
    file.addStream(QStringLiteral("Quill/QuillSub/CONTENTS"), writer.quill());
    return file.build();
}

QString PubBuilder::problem() const {
    // Publisher's largest page; stored positions count from the page centre in 32-bit EMU,
    // which leaves room for shapes far off the page as well.
    constexpr double MaxPage = 241 * runtime::PointsPerInch;
    constexpr double Reach = 4 * MaxPage;
    const auto finite = [](std::initializer_list<double> values) {
        for (const double v : values) {
            if (!std::isfinite(v)) {
                return false;
            }
        }
        return true;
    };
    if (!finite({width_, height_}) || width_ <= 0 || height_ <= 0 || width_ > MaxPage ||
        height_ > MaxPage) {
        return QStringLiteral("Le dimensioni della pagina devono essere comprese tra 0 e 241 "
                              "pollici (6121,4 mm).");
    }
    std::function<bool(const PubItem&)> fits = [&](const PubItem& item) {
        if (item.kind == PubItem::Kind::Group) {
            for (const PubItem& member : item.members) {
                if (!fits(member)) {
                    return false;
                }
            }
            return true;
        }
        return finite({item.left, item.top, item.width, item.height, item.rotation,
                       item.style.lineWidth}) &&
               item.width >= 0 && item.height >= 0 && std::abs(item.left) <= Reach &&
               std::abs(item.top) <= Reach && item.left + item.width <= Reach &&
               item.top + item.height <= Reach && std::abs(item.rotation) <= 3600 &&
               item.style.lineWidth >= 0 && item.style.lineWidth <= 1000;
    };
    for (const auto& page : pages_) {
        for (const PubItem& item : page->items()) {
            if (!fits(item)) {
                return QStringLiteral("Una forma del layout ha posizione o dimensioni non valide.");
            }
        }
    }
    return {};
}

FileWriteResult PubBuilder::write(const QString& path, Replace replace) const {
    const QString why = problem();
    if (!why.isEmpty()) {
        FileWriteResult refused;
        refused.message = why;
        return refused;
    }
    QByteArray data;
    try {
        data = bytes();
    } catch (const std::length_error&) {
        FileWriteResult refused;
        refused.message = QStringLiteral("Il layout è troppo grande per essere scritto.");
        return refused;
    }
    return writeFileAtomically(path, data, replace);
}

} // namespace lumetra::pub
