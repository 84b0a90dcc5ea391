#include "CodiceArticolo.h"

#include "FileNames.h"

namespace lumetra::composition {
namespace {

inline constexpr std::int32_t Bianco = 0xFFFFFF; // RGB(255, 255, 255)

constexpr int Nessuno = 0;
constexpr int Sopra = 1;
constexpr int Sinistra = 1;

// The caption box: horizontal, as wide as the picture, as high as the typed code height for
// each line of its text.
std::shared_ptr<Publisher::Shape> AggiungiRiquadro(Publisher::Shapes& forme,
                                                   const Publisher::Variant& sinistra,
                                                   const Publisher::Variant& alto,
                                                   const Publisher::Variant& larghezza, int righe,
                                                   const ContestoComposizione& contesto) {
    const Publisher::Variant altezza(contesto.TestoAltezzaCodiceArticolo() + QStringLiteral(" cm"));
    auto riquadro = forme.AddTextbox(Publisher::pbTextOrientationHorizontal, sinistra, alto,
                                     larghezza, altezza);
    if (righe > 1) {
        riquadro->SetHeight(Publisher::Variant(riquadro->Height().Number() * righe));
    }
    return riquadro;
}

// Sets the font and gives it, for reading the size its text is set in.
std::shared_ptr<Publisher::Font> ImpostaFont(Publisher::TextRange& testo,
                                             const ContestoComposizione& contesto) {
    auto font = testo.Font();
    font->SetName(contesto.NomeFont());
    font->SetBold(contesto.FontGrassetto());
    font->SetItalic(contesto.FontCorsivo());
    return font;
}

// Gives the height set.
double RipetiAltezza(Publisher::Shape& riquadro) {
    const Publisher::Variant altezza = riquadro.Height();
    riquadro.SetHeight(altezza);
    return altezza.Number();
}

void AggiungiCodiceEsterno(Publisher::Shapes& forme, Publisher::Shape& immagine,
                           const QString& codice, int righe, const ContestoComposizione& contesto,
                           std::vector<DidascaliaAggiunta>& aggiunte) {
    const int posizione = contesto.CodiceArticoloEsterno();
    if (posizione == Nessuno || righe == 0) {
        return;
    }
    const Publisher::Variant sinistra = immagine.Left();
    Publisher::Variant alto = immagine.Top();
    if (posizione != Sopra) {
        alto = Publisher::Variant(alto.Number() + immagine.Height().Number());
    }
    const Publisher::Variant larghezza = immagine.Width();
    const auto riquadro = AggiungiRiquadro(forme, sinistra, alto, larghezza, righe, contesto);
    double altoFinale = alto.Number();
    if (posizione == Sopra) {
        const double altoRiquadro = riquadro->Top().Number();
        altoFinale = altoRiquadro - riquadro->Height().Number();
        riquadro->SetTop(altoFinale);
    }
    const auto cornice = riquadro->TextFrame();
    cornice->SetAutoFitText(Publisher::pbTextAutoFitBestFit);
    const auto testo = cornice->TextRange();
    testo->SetText(codice);
    testo->ParagraphFormat()->SetAlignment(Publisher::pbParagraphAlignmentCenter);
    const auto font = ImpostaFont(*testo, contesto);
    const double altezza = RipetiAltezza(*riquadro);
    aggiunte.push_back(
        {QRectF(sinistra.Number(), altoFinale, larghezza.Number(), altezza), font->Size()});
}

// Narrows a box that holds its text to the width of that text, one point at a time, keeping
// its left edge (daDestra false) or its right edge (daDestra true), and gives the width reached.
// The picture's width bounds the widening, so a frame that never reports a fit cannot hold the
// loop.
double RestringiAlTesto(Publisher::Shape& riquadro, Publisher::TextFrame& cornice, bool daDestra,
                        double larghezzaMassima) {
    if (daDestra) {
        riquadro.SetLeft(riquadro.Left().Number() + riquadro.Width().Number());
    }
    riquadro.SetWidth(1);
    riquadro.Fill()->ForeColor()->SetRGB(Bianco);
    cornice.SetAutoFitText(Publisher::pbTextAutoFitNone);
    RipetiAltezza(riquadro);
    double larghezza = 0;
    do {
        if (daDestra) {
            riquadro.SetLeft(riquadro.Left().Number() - 1);
        }
        larghezza = riquadro.Width().Number() + 1;
        riquadro.SetWidth(larghezza);
    } while (cornice.Overflowing() && larghezza < larghezzaMassima);
    cornice.SetAutoFitText(Publisher::pbTextAutoFitBestFit);
    return larghezza;
}

void AggiungiCodiceInterno(Publisher::Shapes& forme, Publisher::Shape& immagine,
                           const QString& codice, int righe, const ContestoComposizione& contesto,
                           std::vector<DidascaliaAggiunta>& aggiunte) {
    const int posizione = contesto.CodiceArticoloInterno();
    if (posizione == Nessuno || righe == 0) {
        return;
    }
    const Publisher::Variant sinistra = immagine.Left();
    const Publisher::Variant alto = immagine.Top();
    const Publisher::Variant larghezza = immagine.Width();
    const auto riquadro = AggiungiRiquadro(forme, sinistra, alto, larghezza, righe, contesto);
    const auto cornice = riquadro->TextFrame();
    cornice->SetAutoFitText(Publisher::pbTextAutoFitBestFit);
    RipetiAltezza(*riquadro);
    const auto testo = cornice->TextRange();
    testo->SetText(codice);
    const bool aSinistra = posizione == Sinistra;
    testo->ParagraphFormat()->SetAlignment(aSinistra ? Publisher::pbParagraphAlignmentLeft
                                                     : Publisher::pbParagraphAlignmentRight);
    // The box as narrowed: from its right end, each step moved the left edge one point back.
    QRectF posto(sinistra.Number(), alto.Number(), larghezza.Number(), 0);
    if (!cornice->Overflowing()) {
        const double stretta = RestringiAlTesto(*riquadro, *cornice, !aSinistra, posto.width());
        if (!aSinistra) {
            posto.moveLeft(posto.right() + 1 - stretta);
        }
        posto.setWidth(stretta);
    }
    const auto font = ImpostaFont(*testo, contesto);
    posto.setHeight(RipetiAltezza(*riquadro));
    aggiunte.push_back({posto, font->Size()});
}

} // namespace

QString CodiceArticolo(const QString& nomeFile) {
    const qsizetype punto = nomeFile.lastIndexOf(QLatin1Char('.'));
    return punto < 0 ? nomeFile : nomeFile.left(punto);
}

QString CodiceDaDidascalia(const QString& nomeFile) {
    // A name that is not UTF-8 (Latin-1 from an old share) is captioned as the characters its
    // bytes most likely are, never as replacement marks.
    return runtime::shownName(CodiceArticolo(nomeFile));
}

std::vector<DidascaliaAggiunta> AggiungiCodiciArticolo(Publisher::Shapes& forme,
                                                       Publisher::Shape& immagine,
                                                       const TestiImmagine& testi,
                                                       const ContestoComposizione& contesto) {
    std::vector<DidascaliaAggiunta> aggiunte;
    AggiungiCodiceEsterno(forme, immagine, testi.esterno, testi.righeEsterno, contesto, aggiunte);
    AggiungiCodiceInterno(forme, immagine, testi.interno, testi.righeInterno, contesto, aggiunte);
    return aggiunte;
}

} // namespace lumetra::composition
