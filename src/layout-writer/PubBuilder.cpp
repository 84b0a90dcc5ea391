#include "PubBuilder.h"

#include "CompoundFileWriter.h"
#include "PubStreams.h"

#include <QFile>

namespace lumetra::pubtest {

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

bool PubBuilder::save(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const QByteArray data = bytes();
    return file.write(data) == data.size() && file.flush();
}

} // namespace lumetra::pubtest
