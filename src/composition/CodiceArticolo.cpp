#include "CodiceArticolo.h"

#include "FileNames.h"

namespace lumetra::composition {
namespace {

inline constexpr std::int32_t Bianco = 0xFFFFFF; // RGB(255, 255, 255)

constexpr int Nessuno = 0;
constexpr int Sopra = 1;
constexpr int Sinistra = 1;

// The caption box: horizontal, as wide as the picture, as high as the typed code height.
std::shared_ptr<Publisher::Shape> AggiungiRiquadro(Publisher::Shapes& forme,
                                                   const Publisher::Variant& sinistra,
                                                   const Publisher::Variant& alto,
                                                   const Publisher::Variant& larghezza,
                                                   const ContestoComposizione& contesto) {
    const Publisher::Variant altezza(contesto.TestoAltezzaCodiceArticolo() + QStringLiteral(" cm"));
    return forme.AddTextbox(Publisher::pbTextOrientationHorizontal, sinistra, alto, larghezza,
                            altezza);
}

void ImpostaFont(Publisher::TextRange& testo, const ContestoComposizione& contesto) {
    const auto font = testo.Font();
    font->SetName(contesto.NomeFont());
    font->SetBold(contesto.FontGrassetto());
    font->SetItalic(contesto.FontCorsivo());
}

void RipetiAltezza(Publisher::Shape& riquadro) {
    riquadro.SetHeight(riquadro.Height());
}

void AggiungiCodiceEsterno(Publisher::Shapes& forme, Publisher::Shape& immagine,
                           const QString& codice, const ContestoComposizione& contesto) {
    const int posizione = contesto.CodiceArticoloEsterno();
    if (posizione == Nessuno)
        return;
    const Publisher::Variant sinistra = immagine.Left();
    Publisher::Variant alto = immagine.Top();
    if (posizione != Sopra)
        alto = Publisher::Variant(alto.Number() + immagine.Height().Number());
    const Publisher::Variant larghezza = immagine.Width();
    const auto riquadro = AggiungiRiquadro(forme, sinistra, alto, larghezza, contesto);
    if (posizione == Sopra) {
        const double altoRiquadro = riquadro->Top().Number();
        riquadro->SetTop(altoRiquadro - riquadro->Height().Number());
    }
    const auto cornice = riquadro->TextFrame();
    cornice->SetAutoFitText(Publisher::pbTextAutoFitBestFit);
    const auto testo = cornice->TextRange();
    testo->SetText(codice);
    testo->ParagraphFormat()->SetAlignment(Publisher::pbParagraphAlignmentCenter);
    ImpostaFont(*testo, contesto);
    RipetiAltezza(*riquadro);
}

// Narrows a box that holds its text to the width of that text, one point at a time, keeping
// its left edge (daDestra false) or its right edge (daDestra true). The picture's width bounds
// the widening, so a frame that never reports a fit cannot hold the loop.
void RestringiAlTesto(Publisher::Shape& riquadro, Publisher::TextFrame& cornice, bool daDestra,
                      double larghezzaMassima) {
    if (daDestra)
        riquadro.SetLeft(riquadro.Left().Number() + riquadro.Width().Number());
    riquadro.SetWidth(1);
    riquadro.Fill()->ForeColor()->SetRGB(Bianco);
    cornice.SetAutoFitText(Publisher::pbTextAutoFitNone);
    RipetiAltezza(riquadro);
    double larghezza = 0;
    do {
        if (daDestra)
            riquadro.SetLeft(riquadro.Left().Number() - 1);
        larghezza = riquadro.Width().Number() + 1;
        riquadro.SetWidth(larghezza);
    } while (cornice.Overflowing() && larghezza < larghezzaMassima);
    cornice.SetAutoFitText(Publisher::pbTextAutoFitBestFit);
}

void AggiungiCodiceInterno(Publisher::Shapes& forme, Publisher::Shape& immagine,
                           const QString& codice, const ContestoComposizione& contesto) {
    const int posizione = contesto.CodiceArticoloInterno();
    if (posizione == Nessuno)
        return;
    const Publisher::Variant sinistra = immagine.Left();
    const Publisher::Variant alto = immagine.Top();
    const Publisher::Variant larghezza = immagine.Width();
    const auto riquadro = AggiungiRiquadro(forme, sinistra, alto, larghezza, contesto);
    const auto cornice = riquadro->TextFrame();
    cornice->SetAutoFitText(Publisher::pbTextAutoFitBestFit);
    RipetiAltezza(*riquadro);
    const auto testo = cornice->TextRange();
    testo->SetText(codice);
    const bool aSinistra = posizione == Sinistra;
    testo->ParagraphFormat()->SetAlignment(aSinistra ? Publisher::pbParagraphAlignmentLeft
                                                     : Publisher::pbParagraphAlignmentRight);
    if (!cornice->Overflowing())
        RestringiAlTesto(*riquadro, *cornice, !aSinistra, larghezza.Number());
    ImpostaFont(*testo, contesto);
    RipetiAltezza(*riquadro);
}

} // namespace

QString CodiceArticolo(const QString& nomeFile) {
    const qsizetype punto = nomeFile.lastIndexOf(QLatin1Char('.'));
    return punto < 0 ? nomeFile : nomeFile.left(punto);
}

void AggiungiCodiciArticolo(Publisher::Shapes& forme, Publisher::Shape& immagine,
                            const QString& nomeFile, const ContestoComposizione& contesto) {
    // A name that is not UTF-8 (Latin-1 from an old share) is captioned as the characters its
    // bytes most likely are, never as replacement marks.
    const QString codice = runtime::shownName(CodiceArticolo(nomeFile));
    AggiungiCodiceEsterno(forme, immagine, codice, contesto);
    AggiungiCodiceInterno(forme, immagine, codice, contesto);
}

} // namespace lumetra::composition
