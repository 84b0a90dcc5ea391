#pragma once
// A recording fake of the publishing application's object model.
//
// It holds one layout (pages of shapes), opens it as a document, and models pages and shapes
// well enough for the composition: Pages.Add copies page 1's shapes in order, deleting a page or
// a shape renumbers its collection, measurement texts ("0,7 cm") become points, and a text frame
// is Overflowing while its text and the frame's margins are wider than the frame (a fixed width
// per character, MargineInterno on each side). Every call is logged (RegistroChiamate) and any
// call can be made to fail.

#include "PublisherApi.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace lumetra::fake {

// The call log: one text line per call, in order, and failures on request (a Publisher::Error
// thrown at a call whose line matches a pattern).
class RegistroChiamate {
public:
    // The first call whose line matches the regular expression modello throws
    // Publisher::Error(numero, descrizione). Each rule fires once.
    void FallisciSu(const QString& modello, std::int32_t numero,
                    const QString& descrizione = QString());

    // Records a line; throws when a rule says so (the line is recorded with " => Errore(n)").
    void Registra(const QString& riga);

    // The lines matching a regular expression.
    QStringList Righe(const QString& modello) const;
    // The lines without the plain navigation from object to sub-object (Document.Pages,
    // Page(n).Shapes, Shape.TextFrame, TextFrame.TextRange, TextRange.Font, ...).
    QStringList Operazioni() const;
    int Conta(const QString& modello) const { return static_cast<int>(Righe(modello).size()); }

private:
    struct Regola {
        QRegularExpression modello;
        std::int32_t numero;
        bool attiva;
        QString descrizione;
    };
    QStringList righe_;
    std::vector<Regola> regole_;
};

// How values appear in the log: numbers as the shortest text, strings in double quotes,
// booleans as True/False.
QString Valore(double numero);
QString Valore(const QString& testo);
QString Valore(bool valore);

// Left and right inner margin of a text frame, in points (0.04 in).
inline constexpr double MargineInterno = 2.88;

// One shape of the layout, or of the document as it stands.
struct FormaFinta {
    int tipo = Publisher::msoAutoShape;
    int tipoAutoForma = Publisher::msoShapeRectangle;
    double sinistra = 0;
    double alto = 0;
    double larghezza = 0;
    double altezza = 0;
    // Pictures: the file given to AddPicture. Text boxes: text, fit, alignment, font, fill.
    QString immagine = {};
    QString testo = {};
    int adattamento = Publisher::pbTextAutoFitNone;
    int allineamento = Publisher::pbParagraphAlignmentLeft;
    QString font = QStringLiteral("Times New Roman");
    bool grassetto = false;
    bool corsivo = false;
    std::optional<std::int32_t> riempimento = {};
};

using PaginaFinta = std::vector<FormaFinta>;

// A rectangle (auto shape, rectangle) at a position in points.
FormaFinta Rettangolo(double sinistra, double alto, double larghezza, double altezza);

class PublisherFinto {
public:
    PublisherFinto();
    ~PublisherFinto();

    // The layout that Open gives (page 1 first).
    void ImpostaLayout(std::vector<PaginaFinta> pagine);
    // Width of one character in points, for Overflowing (default 6).
    void ImpostaLarghezzaCarattere(double punti);
    // A frame whose text never fits unless it is sized to fit (AutoFitText 0 always overflows):
    // an engine that never reports a fit while a caption box is being narrowed.
    void ImpostaTraboccaSenzaAdattamento(bool trabocca);

    RegistroChiamate& Registro();
    const RegistroChiamate& Registro() const;

    // Creates a new application object each time; logs CreateObject("Publisher.Application").
    Publisher::ApplicationFactory Fabbrica();

    // The document as it stands (also after the composition has let everything go).
    int NumeroPagine() const;
    std::vector<FormaFinta> Forme(int pagina) const; // from 1

    // What happened to the application and the document.
    bool ApplicazioneRilasciata() const; // no reference left to an application or its window
    bool DocumentoRilasciato() const;

    struct Nucleo;

private:
    std::shared_ptr<Nucleo> nucleo_;
};

} // namespace lumetra::fake
