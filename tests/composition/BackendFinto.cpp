#include "BackendFinto.h"

#include "PercorsoFile.h"

#include <QRegularExpression>

namespace lumetra::composition::test {

QString BackendFinto::CreaLayout(const LayoutProva& layout) {
    std::vector<fake::PaginaFinta> pagine;
    for (const auto& origine : layout.pagine) {
        fake::PaginaFinta pagina;
        for (const FormaProva& f : origine) {
            fake::FormaFinta forma = fake::Rettangolo(f.riquadro.sinistra, f.riquadro.alto,
                                                      f.riquadro.larghezza, f.riquadro.altezza);
            switch (f.tipo) {
            case TipoForma::Rettangolo:
                break;
            case TipoForma::RettangoloArrotondato:
                forma.tipoAutoForma = Publisher::msoShapeRoundedRectangle;
                break;
            case TipoForma::Ovale:
                forma.tipoAutoForma = Publisher::msoShapeOval;
                break;
            case TipoForma::CasellaTesto:
                forma.tipo = Publisher::msoTextBox;
                forma.testo = f.testo;
                break;
            }
            pagina.push_back(forma);
        }
        pagine.push_back(pagina);
    }
    finto_.ImpostaLayout(std::move(pagine));
    return QStringLiteral("/layout/catalogo.pub");
}

QString BackendFinto::CreaLayoutIllegibile() {
    const QString percorso = QStringLiteral("/layout/danneggiato.pub");
    finto_.Registro().FallisciSu(QStringLiteral("^Application\\.Open\\(\"") +
                                     QRegularExpression::escape(percorso),
                                 -2147467259, 1, QStringLiteral("Formato del file non valido"));
    return percorso;
}

void BackendFinto::CreaImmagine(const QString& nome, QColor colore) {
    colori_.insert(PercorsoFile(Cartella(), nome), colore);
}

void BackendFinto::CreaImmagineIllegibile(const QString& nome) {
    finto_.Registro().FallisciSu(QStringLiteral("\\.AddPicture\\(\"") +
                                     QRegularExpression::escape(PercorsoFile(Cartella(), nome)) +
                                     QLatin1Char('"'),
                                 -2147024809, 1, QStringLiteral("Immagine non valida"));
}

int BackendFinto::Stampe() {
    return finto_.Registro().Conta(QStringLiteral("^Document\\.PrintOut\\([^)]*\\)$"));
}

int BackendFinto::NumeroPagine() {
    return finto_.NumeroPagine();
}

QColor BackendFinto::ColoreIn(int pagina, double x, double y) {
    const auto forme = finto_.Forme(pagina);
    for (auto it = forme.rbegin(); it != forme.rend(); ++it) {
        const fake::FormaFinta& f = *it;
        if (x < f.sinistra || x > f.sinistra + f.larghezza || y < f.alto || y > f.alto + f.altezza)
            continue;
        if (f.tipo == Publisher::msoPicture)
            return colori_.value(f.immagine, Qt::black);
        if (f.tipo == Publisher::msoTextBox) {
            if (f.riempimento)
                return QColor(*f.riempimento & 0xFF, (*f.riempimento >> 8) & 0xFF,
                              (*f.riempimento >> 16) & 0xFF);
            continue;
        }
        return ColoreForma;
    }
    return Qt::white;
}

// A text box's words as a reader of the printed page would find them: one line, as wide as the
// fake's character width says, placed by the paragraph's alignment inside the frame's margins.
std::vector<TestoLetto> BackendFinto::Testi(int pagina) {
    std::vector<TestoLetto> testi;
    const double k = finto_.LarghezzaCarattere();
    for (const fake::FormaFinta& f : finto_.Forme(pagina)) {
        if (f.tipo != Publisher::msoTextBox || f.testo.isEmpty())
            continue;
        const double larghezza = static_cast<double>(f.testo.size()) * k;
        double sinistra = f.sinistra + fake::MargineInterno;
        if (f.allineamento == Publisher::pbParagraphAlignmentCenter)
            sinistra = f.sinistra + (f.larghezza - larghezza) / 2;
        else if (f.allineamento == Publisher::pbParagraphAlignmentRight)
            sinistra = f.sinistra + f.larghezza - fake::MargineInterno - larghezza;
        testi.push_back({f.testo, {sinistra, f.alto, larghezza, f.altezza}});
    }
    return testi;
}

} // namespace lumetra::composition::test
