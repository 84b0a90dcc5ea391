#pragma once
// Writes Publisher 2002-format layouts (*.pub): pages, page size, rectangles, text boxes with
// text, ovals, rounded rectangles, groups and PNG pictures, master pages. libmspub (and so
// LibreOffice) and the engine's layout reader read them back.
//
//   lumetra::pub::PubBuilder b;
//   b.pageSize(595.3, 841.9);                       // points
//   auto& p = b.addPage();
//   p.addRectangle(50, 60, 200, 150);               // left, top, width, height in points
//   p.addTextBox(50, 20, 200, 30, "testo");
//   p.addGroup({PubItem::rectangle(300, 60, 100, 80), PubItem::oval(300, 150, 100, 80)});
//   p.addPicture(300, 300, 120, 90, pngBytes);
//   b.write(path, Replace::Never);                  // or b.save(path), b.bytes()
//
// Shapes are stored in the order added: that is their collection (z-)order.

#include "AtomicFile.h"

#include <QByteArray>
#include <QRgb>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace lumetra::pub {

// Layout files are written as every file of the program is.
using runtime::FileWriteResult;
using runtime::Replace;
using runtime::writeFileAtomically;

// How a shape is drawn. Colours are RGB; no fill or no outline with std::nullopt.
struct PubStyle {
    std::optional<QRgb> fill = qRgb(255, 255, 255);
    std::optional<QRgb> line = qRgb(0, 0, 0);
    double lineWidth = 0.75; // points
};

// One shape to write: what the object model calls its Left, Top, Width, Height (points) and
// its rotation in degrees (clockwise).
struct PubItem {
    enum class Kind { Rectangle, RoundedRectangle, Oval, TextBox, Picture, Group };

    Kind kind = Kind::Rectangle;
    double left = 0, top = 0, width = 0, height = 0;
    double rotation = 0;
    PubStyle style;
    QString text;                 // text boxes: paragraphs separated by '\n'
    QByteArray png;               // pictures
    std::vector<PubItem> members; // groups

    static PubItem rectangle(double l, double t, double w, double h);
    static PubItem roundedRectangle(double l, double t, double w, double h);
    static PubItem oval(double l, double t, double w, double h);
    static PubItem textBox(double l, double t, double w, double h, const QString& text);
    static PubItem picture(double l, double t, double w, double h, const QByteArray& png);
    static PubItem group(std::vector<PubItem> members);

    PubItem& rotated(double degrees) {
        rotation = degrees;
        return *this;
    }
    PubItem& styled(const PubStyle& s) {
        style = s;
        return *this;
    }
};

class PubPage {
public:
    // Each returns the new shape's position in the page's collection, counted from 1.
    int add(PubItem item);
    int addRectangle(double l, double t, double w, double h) {
        return add(PubItem::rectangle(l, t, w, h));
    }
    int addRoundedRectangle(double l, double t, double w, double h) {
        return add(PubItem::roundedRectangle(l, t, w, h));
    }
    int addOval(double l, double t, double w, double h) { return add(PubItem::oval(l, t, w, h)); }
    int addTextBox(double l, double t, double w, double h, const QString& text) {
        return add(PubItem::textBox(l, t, w, h, text));
    }
    int addPicture(double l, double t, double w, double h, const QByteArray& png) {
        return add(PubItem::picture(l, t, w, h, png));
    }
    int addGroup(std::vector<PubItem> members) { return add(PubItem::group(std::move(members))); }

    // Applies a master page (one made by PubBuilder::addMasterPage).
    void setMaster(const PubPage& master) { masterNumber_ = master.number_; }
    // Lists the page's shapes in the page chunk in reverse (drawing order stays as added).
    void setShapeListReversed(bool reversed) { reversed_ = reversed; }

    const std::vector<PubItem>& items() const { return items_; }

private:
    friend class PubBuilder;
    friend class PubFileWriter;
    std::vector<PubItem> items_;
    QString masterName_; // non-empty: a master page
    int number_ = 0;     // position among all pages and masters
    int masterNumber_ = -1;
    bool reversed_ = false;
};

class PubBuilder {
public:
    PubBuilder();
    ~PubBuilder();
    PubBuilder(const PubBuilder&) = delete;
    PubBuilder& operator=(const PubBuilder&) = delete;

    // Page size in points (default A4 portrait).
    void pageSize(double width, double height);
    // A new document page, after the others.
    PubPage& addPage();
    // A new master page named `name`; the file lists masters before the pages.
    PubPage& addMasterPage(const QString& name);

    // Why the document cannot be written (Italian), or the empty text: sizes and positions must
    // be finite, the page at most 241 inches a side (Publisher's limit), shapes within reach of it.
    QString problem() const;

    QByteArray bytes() const;
    // Writes the file atomically (see AtomicFile.h); a document with a problem() is not written.
    FileWriteResult write(const QString& path, Replace replace) const;
    // Writes the file, replacing one already there; false when it cannot be written.
    bool save(const QString& path) const { return write(path, Replace::Allowed).written(); }

private:
    friend class PubFileWriter;
    double width_ = 595.3;
    double height_ = 841.9;
    std::vector<std::unique_ptr<PubPage>> pages_; // in creation order
};

} // namespace lumetra::pub
