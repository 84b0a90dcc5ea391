#pragma once
// The automation object model of the publishing application, as the composition drives it.
//
// Small abstract classes with the object model's own names. The composition talks to a document
// engine only through these; the built-in engine (publisher-engine/) implements them, and tests use
// a recording fake. Objects are shared: the composition "releases" an object by dropping its
// pointer, and an implementation keeps whatever it needs alive on its own.
//
// Every failing operation throws Publisher::Error, which carries the error number the composition
// tells apart (70: access to the file refused; -2130771955: the layout is open elsewhere) and an
// Italian description.

#include "Error.h"
#include "ErrorNumbers.h"

#include <QRectF>
#include <QString>

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace Publisher {

// The error every operation throws, and the numbers the composition reacts to.
using Error = lumetra::runtime::Error;
using lumetra::runtime::ErrLayoutGiaAperto;
using lumetra::runtime::ErrPermessoNegato;

// A position or size as the object model passes it: a number of points, or a measurement text
// such as "0,7 cm" (cm, mm, in, pt; decimal comma or point). Values read back are always numbers.
class Variant {
public:
    Variant(double points) : value_(points) {}
    Variant(int points) : value_(static_cast<double>(points)) {}
    Variant(QString text) : value_(std::move(text)) {}
    Variant(const char* text) : value_(QString::fromUtf8(text)) {}

    bool IsNumber() const { return std::holds_alternative<double>(value_); }
    double Number() const { return IsNumber() ? std::get<double>(value_) : 0.0; }
    QString Text() const { return IsNumber() ? QString() : std::get<QString>(value_); }
    bool operator==(const Variant&) const = default;

private:
    std::variant<double, QString> value_;
};

// Shape::Type values.
inline constexpr int msoAutoShape = 1;
inline constexpr int msoFreeform = 5;
inline constexpr int msoGroup = 6;
inline constexpr int msoLine = 9;
inline constexpr int msoPicture = 13;
inline constexpr int msoTextEffect = 15;
inline constexpr int msoTextBox = 17;
inline constexpr int msoTable = 19;
// Shape::AutoShapeType values (msoShapeMixed: a shape that is no auto shape).
inline constexpr int msoShapeMixed = -2;
inline constexpr int msoShapeRectangle = 1;
inline constexpr int msoShapeRoundedRectangle = 5;
inline constexpr int msoShapeOval = 9;
inline constexpr int msoShapeNotPrimitive = 138;
// TextFrame::AutoFitText values.
inline constexpr int pbTextAutoFitNone = 0;
inline constexpr int pbTextAutoFitBestFit = 2;
// ParagraphFormat::Alignment values.
inline constexpr int pbParagraphAlignmentLeft = 0;
inline constexpr int pbParagraphAlignmentCenter = 1;
inline constexpr int pbParagraphAlignmentRight = 2;
// Shapes::AddTextbox orientation.
inline constexpr int pbTextOrientationHorizontal = 1;

class Font {
public:
    virtual ~Font() = default;
    virtual QString Name() const = 0;
    virtual void SetName(const QString& name) = 0;
    virtual bool Bold() const = 0;
    virtual void SetBold(bool bold) = 0;
    virtual bool Italic() const = 0;
    virtual void SetItalic(bool italic) = 0;
    // The size in points the text is set in (after best fit); 0 from an engine that cannot tell.
    virtual double Size() const { return 0; }
};

class ParagraphFormat {
public:
    virtual ~ParagraphFormat() = default;
    virtual int Alignment() const = 0;
    virtual void SetAlignment(int alignment) = 0;
};

class TextRange {
public:
    virtual ~TextRange() = default;
    virtual QString Text() const = 0;
    virtual void SetText(const QString& text) = 0;
    virtual std::shared_ptr<Publisher::ParagraphFormat> ParagraphFormat() = 0;
    virtual std::shared_ptr<Publisher::Font> Font() = 0;
};

class TextFrame {
public:
    virtual ~TextFrame() = default;
    virtual int AutoFitText() const = 0;
    virtual void SetAutoFitText(int mode) = 0;
    virtual bool Overflowing() const = 0;
    virtual std::shared_ptr<Publisher::TextRange> TextRange() = 0;
};

// A fill's colour: RGB as 0x00BBGGRR (red in the lowest byte).
class ColorFormat {
public:
    virtual ~ColorFormat() = default;
    virtual std::int32_t RGB() const = 0;
    virtual void SetRGB(std::int32_t rgb) = 0;
};

class FillFormat {
public:
    virtual ~FillFormat() = default;
    virtual std::shared_ptr<ColorFormat> ForeColor() = 0;
};

// PictureFormat::Fit values: how a picture fills its box.
inline constexpr int lmPictureFitStretch = 0; // "Deforma": the whole box, proportions not kept
inline constexpr int lmPictureFitContain = 1; // "Adatta": the whole picture, centred, white around
inline constexpr int lmPictureFitCover = 2;   // "Riempi": the whole box, centred, cut at the edges

// A placed picture: its own size, how it fills its box, what it gives on paper.
class PictureFormat {
public:
    virtual ~PictureFormat() = default;
    virtual int Fit() const = 0;
    virtual void SetFit(int fit) = 0;
    // The picture's own size: pixels, or for a drawing its size in points.
    virtual double OriginalWidth() const = 0;
    virtual double OriginalHeight() const = 0;
    // Pixels per inch across and down in its box, after fitting; 0 for a drawing, which has no
    // resolution of its own.
    virtual double HorizontalResolution() const = 0;
    virtual double VerticalResolution() const = 0;
    // Reads the picture to its end (at less than its printed size) and gives what is wrong with
    // it, in Italian; empty when it is complete. May be called for several pictures at once, on
    // several threads.
    virtual QString Damage() = 0;
};

class Shape {
public:
    virtual ~Shape() = default;
    virtual int Type() const = 0;
    virtual int AutoShapeType() const = 0;
    virtual Variant Left() const = 0;
    virtual void SetLeft(const Variant& value) = 0;
    virtual Variant Top() const = 0;
    virtual void SetTop(const Variant& value) = 0;
    virtual Variant Width() const = 0;
    virtual void SetWidth(const Variant& value) = 0;
    virtual Variant Height() const = 0;
    virtual void SetHeight(const Variant& value) = 0;
    virtual void Delete() = 0;
    virtual std::shared_ptr<FillFormat> Fill() = 0;
    virtual std::shared_ptr<Publisher::TextFrame> TextFrame() = 0;
    // Pictures only; null from an engine that tells nothing of its pictures.
    virtual std::shared_ptr<Publisher::PictureFormat> PictureFormat() { return nullptr; }
};

class Shapes {
public:
    virtual ~Shapes() = default;
    virtual int Count() const = 0;
    virtual std::shared_ptr<Shape> Item(int index) = 0; // from 1
    virtual std::shared_ptr<Shape> AddPicture(const QString& fileName, int linkToFile,
                                              int saveWithDocument, const Variant& left,
                                              const Variant& top, const Variant& width,
                                              const Variant& height) = 0;
    virtual std::shared_ptr<Shape> AddTextbox(int orientation, const Variant& left,
                                              const Variant& top, const Variant& width,
                                              const Variant& height) = 0;
};

class Page {
public:
    virtual ~Page() = default;
    virtual std::shared_ptr<Publisher::Shapes> Shapes() = 0;
    virtual void Delete() = 0;
};

class Pages {
public:
    virtual ~Pages() = default;
    virtual int Count() const = 0;
    virtual std::shared_ptr<Page> Item(int index) = 0; // from 1
    virtual std::shared_ptr<Page> Add(int count, int after, int duplicateObjectsOnPage) = 0;
};

// A placed picture whose file is damaged (a photo cut short: what it holds is drawn), or, with
// NotDrawn, one that could not be drawn at all when the document was printed.
struct PictureWarning {
    QString FileName;      // as given to AddPicture
    QString Description;   // Italian: what is wrong with it
    bool NotDrawn = false; // its box is left empty
};

class PageSetup {
public:
    virtual ~PageSetup() = default;
    virtual double PageWidth() const = 0; // points
    virtual double PageHeight() const = 0;
};

// What the check before printing found at a place of the composed document, for showing beside
// and over the pages on screen (never printed or saved).
struct CheckNote {
    int Page = 0;         // from 1
    QRectF Box;           // points on that page; empty: the note concerns the whole page or the job
    QString Kind;         // "danneggiata", "risoluzione", ...
    QString Text;         // Italian, naming the file
    QString Heading = {}; // Italian: the group it is listed under ("Immagini deformate", ...)
};

class Document {
public:
    virtual ~Document() = default;
    virtual std::shared_ptr<Publisher::Pages> Pages() = 0;
    // from/to -1: every page; printToFile "": the printer. A picture that cannot be drawn fails
    // it with ErrImmagineNonValida, nothing printed or written, and is listed by
    // PictureWarnings as NotDrawn; a PrintOut after that leaves its box empty (a picture that
    // newly fails fails it again).
    virtual void PrintOut(int from, int to, const QString& printToFile, int copies,
                          bool collate) = 0;
    // PrintOut in two steps, so that the pages can be looked at between painting and sending:
    // PrepareOutput paints what PrintOut would print or write and holds it, failing as PrintOut
    // does for a picture that cannot be drawn; CommitOutput then prints it or puts the file in
    // place, DiscardOutput drops it. True when the pages were painted: PictureWarnings then
    // tells the damage every picture showed. An engine that cannot paint ahead only remembers
    // the request and gives false; CommitOutput is then its PrintOut.
    virtual bool PrepareOutput(int from, int to, const QString& printToFile, int copies,
                               bool collate) {
        prepared_ = PreparedRequest{from, to, printToFile, copies, collate};
        return false;
    }
    // Throws ErrOggettoNonValido when no output was prepared; one commit an output.
    virtual void CommitOutput() {
        if (!prepared_) {
            throw Error(lumetra::runtime::ErrOggettoNonValido,
                        QStringLiteral("Nessuna stampa preparata"));
        }
        const PreparedRequest r = *std::exchange(prepared_, std::nullopt);
        PrintOut(r.from, r.to, r.printToFile, r.copies, r.collate);
    }
    virtual void DiscardOutput() { prepared_.reset(); }
    virtual void Close() = 0; // never saves
    // The pictures of the document found damaged so far: when they were added and, after
    // PrintOut or PrepareOutput, when they were drawn, and those that could not be drawn; one
    // entry a file. An
    // engine that tells nothing of the kind gives none.
    virtual std::vector<PictureWarning> PictureWarnings() { return {}; }
    // Null from an engine that cannot tell its page size.
    virtual std::shared_ptr<Publisher::PageSetup> PageSetup() { return nullptr; }
    // The check's notes and the job's summary, shown with the document's window.
    // NOLINTNEXTLINE(performance-unnecessary-value-param): a sink, overrides keep the notes
    virtual void SetCheckNotes(std::vector<CheckNote> notes, const QString& summary) {
        (void)notes;
        (void)summary;
    }

private:
    struct PreparedRequest {
        int from = -1;
        int to = -1;
        QString printToFile;
        int copies = 1;
        bool collate = true;
    };
    std::optional<PreparedRequest> prepared_; // the default PrepareOutput's request
};

class Window {
public:
    virtual ~Window() = default;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool visible) = 0;
};

class Application {
public:
    virtual ~Application() = default;
    virtual std::shared_ptr<Document> Open(const QString& fileName, bool readOnly,
                                           bool addToRecentFiles, int saveChanges) = 0;
    virtual std::shared_ptr<Document> ActiveDocument() = 0;
    virtual std::shared_ptr<Window> ActiveWindow() = 0;
    virtual void Quit() = 0;
};

// Creates the application object ("Publisher.Application"); throws Publisher::Error when no
// application can be created.
using ApplicationFactory = std::function<std::shared_ptr<Application>()>;

} // namespace Publisher
