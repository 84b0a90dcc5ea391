#include "PublisherFinto.h"

#include "Length.h"

#include <algorithm>

namespace lumetra::fake {

using Publisher::Error;
using Publisher::Variant;

namespace {

struct PaginaModello;

struct FormaModello {
    FormaFinta dati;
    std::weak_ptr<PaginaModello> pagina;
    bool eliminata = false;
};

struct PaginaModello {
    std::vector<std::shared_ptr<FormaModello>> forme;
};

} // namespace

struct PublisherFinto::Nucleo {
    RegistroChiamate registro;
    std::vector<PaginaFinta> layout;
    double larghezzaCarattere = 6;
    bool traboccaSenzaAdattamento = false;
    std::vector<std::shared_ptr<PaginaModello>> pagine;
    std::weak_ptr<Publisher::Document> documento; // the one Open gave, while it is held
    bool visibile = false;
    int applicazioniVive = 0;
    int documentiVivi = 0;

    void Registra(const QString& riga) { registro.Registra(riga); }

    // From 1; 0 for a deleted page.
    int IndicePagina(const PaginaModello* pagina) const {
        const auto it = std::find_if(pagine.begin(), pagine.end(),
                                     [&](const auto& p) { return p.get() == pagina; });
        return it == pagine.end() ? 0 : static_cast<int>(it - pagine.begin()) + 1;
    }

    // "(pagina,forma)" as the collections stand now, "(eliminata)" for a deleted shape.
    QString Posizione(const FormaModello& forma) const {
        const auto pagina = forma.pagina.lock();
        if (forma.eliminata || !pagina)
            return QStringLiteral("(eliminata)");
        const auto it = std::find_if(pagina->forme.begin(), pagina->forme.end(),
                                     [&](const auto& f) { return f.get() == &forma; });
        return QStringLiteral("(%1,%2)")
            .arg(IndicePagina(pagina.get()))
            .arg(it - pagina->forme.begin() + 1);
    }

    // A new shape at the end of a page.
    static std::shared_ptr<FormaModello> Aggiungi(const FormaFinta& dati,
                                                  const std::shared_ptr<PaginaModello>& pagina) {
        auto forma = std::make_shared<FormaModello>();
        forma->dati = dati;
        forma->pagina = pagina;
        pagina->forme.push_back(forma);
        return forma;
    }
};

namespace {

using Nucleo = PublisherFinto::Nucleo;
using NucleoPtr = std::shared_ptr<Nucleo>;
using FormaPtr = std::shared_ptr<FormaModello>;

[[noreturn]] void Eliminato() {
    throw Error(-2147418113, QStringLiteral("L'oggetto è stato eliminato"));
}
[[noreturn]] void FuoriIntervallo() {
    throw Error(9, QStringLiteral("Indice non compreso nell'intervallo"));
}

// How an argument appears in the log.
QString Testo(const Variant& v) {
    return v.IsNumber() ? fake::Valore(v.Number()) : fake::Valore(v.Text());
}
QString Testo(std::int32_t v) {
    return QString::number(v);
}
template <typename T> QString Testo(const T& v) {
    return fake::Valore(v);
}

// A position or size in points: a number, or a measurement text ("0,7 cm").
double Punti(const Variant& v) {
    if (v.IsNumber())
        return v.Number();
    const auto lunghezza = runtime::parseLength(v.Text(), runtime::Unit::Point);
    if (!lunghezza)
        throw Error(5, QStringLiteral("Argomento o chiamata di routine non valida"));
    return lunghezza->points();
}

// "nome(a, b, ...)" with each argument as the log shows values.
template <typename... T> QString Chiamata(const char* nome, const T&... argomenti) {
    const QStringList testi{Testo(argomenti)...};
    return QLatin1String(nome) + QLatin1Char('(') + testi.join(QStringLiteral(", ")) +
           QLatin1Char(')');
}

// A shape and the objects under it (text frame, text range, paragraph format, font, fill, fill
// colour) are one fake object over the shape's data: each call is logged under the object it
// belongs to, "<Object>(page,shape).<member>", and fails once the shape is deleted.
class FormaOggetto : public Publisher::Shape,
                     public Publisher::TextFrame,
                     public Publisher::TextRange,
                     public Publisher::ParagraphFormat,
                     public Publisher::Font,
                     public Publisher::FillFormat,
                     public Publisher::ColorFormat {
public:
    FormaOggetto(NucleoPtr n, FormaPtr f) : n_(std::move(n)), f_(std::move(f)) {}

    int Type() const override { return Leggi("Shape", "Type", D().tipo); }
    int AutoShapeType() const override {
        return Leggi("Shape", "AutoShapeType", D().tipoAutoForma);
    }
    Variant Left() const override { return Variant(Leggi("Shape", "Left", D().sinistra)); }
    void SetLeft(const Variant& v) override { Sposta("Left", v, D().sinistra); }
    Variant Top() const override { return Variant(Leggi("Shape", "Top", D().alto)); }
    void SetTop(const Variant& v) override { Sposta("Top", v, D().alto); }
    Variant Width() const override { return Variant(Leggi("Shape", "Width", D().larghezza)); }
    void SetWidth(const Variant& v) override { Sposta("Width", v, D().larghezza); }
    Variant Height() const override { return Variant(Leggi("Shape", "Height", D().altezza)); }
    void SetHeight(const Variant& v) override { Sposta("Height", v, D().altezza); }
    void Delete() override {
        Registra("Shape", "Delete");
        if (const auto pagina = f_->pagina.lock()) {
            auto& forme = pagina->forme;
            forme.erase(std::remove(forme.begin(), forme.end(), f_), forme.end());
        }
        f_->eliminata = true;
    }
    std::shared_ptr<Publisher::FillFormat> Fill() override { return Sotto("Shape", "Fill"); }
    std::shared_ptr<Publisher::TextFrame> TextFrame() override {
        Registra("Shape", "TextFrame");
        if (D().tipo != Publisher::msoTextBox)
            throw Error(-2147467259, QStringLiteral("La forma non contiene testo"));
        return std::make_shared<FormaOggetto>(n_, f_);
    }

    int AutoFitText() const override { return Leggi("TextFrame", "AutoFitText", D().adattamento); }
    void SetAutoFitText(int modo) override {
        Scrivi("TextFrame", "AutoFitText", D().adattamento, modo);
    }
    bool Overflowing() const override {
        const bool trabocca =
            (n_->traboccaSenzaAdattamento && D().adattamento == Publisher::pbTextAutoFitNone) ||
            static_cast<double>(D().testo.size()) * n_->larghezzaCarattere + 2 * MargineInterno >
                D().larghezza;
        return Leggi("TextFrame", "Overflowing", trabocca);
    }
    std::shared_ptr<Publisher::TextRange> TextRange() override {
        return Sotto("TextFrame", "TextRange");
    }

    QString Text() const override { return Leggi("TextRange", "Text", D().testo); }
    void SetText(const QString& t) override { Scrivi("TextRange", "Text", D().testo, t); }
    std::shared_ptr<Publisher::ParagraphFormat> ParagraphFormat() override {
        return Sotto("TextRange", "ParagraphFormat");
    }
    std::shared_ptr<Publisher::Font> Font() override { return Sotto("TextRange", "Font"); }

    int Alignment() const override {
        return Leggi("ParagraphFormat", "Alignment", D().allineamento);
    }
    void SetAlignment(int a) override {
        Scrivi("ParagraphFormat", "Alignment", D().allineamento, a);
    }

    QString Name() const override { return Leggi("Font", "Name", D().font); }
    void SetName(const QString& nome) override { Scrivi("Font", "Name", D().font, nome); }
    bool Bold() const override { return Leggi("Font", "Bold", D().grassetto); }
    void SetBold(bool b) override { Scrivi("Font", "Bold", D().grassetto, b); }
    bool Italic() const override { return Leggi("Font", "Italic", D().corsivo); }
    void SetItalic(bool i) override { Scrivi("Font", "Italic", D().corsivo, i); }

    std::shared_ptr<Publisher::ColorFormat> ForeColor() override {
        return Sotto("Fill", "ForeColor");
    }
    std::int32_t RGB() const override {
        return Leggi("ColorFormat", "RGB", D().riempimento.value_or(0xFFFFFF));
    }
    void SetRGB(std::int32_t rgb) override { Scrivi("ColorFormat", "RGB", D().riempimento, rgb); }

private:
    // Logs "<oggetto>(p,s).<membro><resto>" and checks that the shape still exists.
    void Registra(const char* oggetto, const char* membro, const QString& resto = {}) const {
        n_->Registra(QLatin1String(oggetto) + n_->Posizione(*f_) + QLatin1Char('.') +
                     QLatin1String(membro) + resto);
        if (f_->eliminata)
            Eliminato();
    }
    // A property read ("membro -> valore") or written ("membro = valore").
    template <typename T> T Leggi(const char* oggetto, const char* membro, const T& valore) const {
        Registra(oggetto, membro, QStringLiteral(" -> ") + Testo(valore));
        return valore;
    }
    template <typename C, typename T>
    void Scrivi(const char* oggetto, const char* membro, C& campo, const T& valore) const {
        Registra(oggetto, membro, QStringLiteral(" = ") + Testo(valore));
        campo = valore;
    }
    void Sposta(const char* membro, const Variant& v, double& valore) {
        Registra("Shape", membro, QStringLiteral(" = ") + Testo(v));
        valore = Punti(v);
    }
    // The object under this one ("membro" logged): the same shape.
    std::shared_ptr<FormaOggetto> Sotto(const char* oggetto, const char* membro) const {
        Registra(oggetto, membro);
        return std::make_shared<FormaOggetto>(n_, f_);
    }
    FormaFinta& D() const { return f_->dati; }

    NucleoPtr n_;
    FormaPtr f_;
};

// A page and its shape collection, logged as "Page(n)." and "Shapes(n)." with the page's
// number as the document stands; a deleted page fails.
class PaginaOggetto : public Publisher::Page, public Publisher::Shapes {
public:
    PaginaOggetto(NucleoPtr n, std::shared_ptr<PaginaModello> p)
        : n_(std::move(n)), p_(std::move(p)) {}

    std::shared_ptr<Publisher::Shapes> Shapes() override {
        Registra("Page", QStringLiteral("Shapes"));
        return std::make_shared<PaginaOggetto>(n_, p_);
    }
    void Delete() override {
        Registra("Page", QStringLiteral("Delete"));
        auto& pagine = n_->pagine;
        pagine.erase(std::remove(pagine.begin(), pagine.end(), p_), pagine.end());
    }

    int Count() const override {
        const int numero = static_cast<int>(p_->forme.size());
        Registra("Shapes", QStringLiteral("Count -> %1").arg(numero));
        return numero;
    }
    std::shared_ptr<Publisher::Shape> Item(int indice) override {
        Registra("Shapes", Chiamata("Item", indice));
        if (indice < 1 || indice > static_cast<int>(p_->forme.size()))
            FuoriIntervallo();
        return std::make_shared<FormaOggetto>(n_, p_->forme[static_cast<size_t>(indice - 1)]);
    }
    std::shared_ptr<Publisher::Shape> AddPicture(const QString& file, int collega, int salva,
                                                 const Variant& sinistra, const Variant& alto,
                                                 const Variant& larghezza,
                                                 const Variant& altezza) override {
        Registra("Shapes",
                 Chiamata("AddPicture", file, collega, salva, sinistra, alto, larghezza, altezza));
        return Aggiungi({.tipo = Publisher::msoPicture, .tipoAutoForma = -2, .immagine = file},
                        sinistra, alto, larghezza, altezza);
    }
    std::shared_ptr<Publisher::Shape> AddTextbox(int orientamento, const Variant& sinistra,
                                                 const Variant& alto, const Variant& larghezza,
                                                 const Variant& altezza) override {
        Registra("Shapes",
                 Chiamata("AddTextbox", orientamento, sinistra, alto, larghezza, altezza));
        return Aggiungi({.tipo = Publisher::msoTextBox}, sinistra, alto, larghezza, altezza);
    }

private:
    void Registra(const char* oggetto, const QString& resto) const {
        const int pagina = n_->IndicePagina(p_.get());
        n_->Registra(QStringLiteral("%1(%2).").arg(QLatin1String(oggetto)).arg(pagina) + resto);
        if (pagina == 0)
            Eliminato();
    }
    std::shared_ptr<Publisher::Shape> Aggiungi(FormaFinta dati, const Variant& sinistra,
                                               const Variant& alto, const Variant& larghezza,
                                               const Variant& altezza) {
        dati.sinistra = Punti(sinistra);
        dati.alto = Punti(alto);
        dati.larghezza = Punti(larghezza);
        dati.altezza = Punti(altezza);
        return std::make_shared<FormaOggetto>(n_, Nucleo::Aggiungi(dati, p_));
    }

    NucleoPtr n_;
    std::shared_ptr<PaginaModello> p_;
};

// The document and its page collection; alive while any of them is held.
class DocumentoFinto : public Publisher::Document, public Publisher::Pages {
public:
    explicit DocumentoFinto(NucleoPtr n) : n_(std::move(n)) { ++n_->documentiVivi; }
    ~DocumentoFinto() override { --n_->documentiVivi; }

    std::shared_ptr<Publisher::Pages> Pages() override {
        n_->Registra(QStringLiteral("Document.Pages"));
        return std::make_shared<DocumentoFinto>(n_);
    }
    void PrintOut(int da, int a, const QString& file, int copie, bool fascicola) override {
        n_->Registra(Chiamata("Document.PrintOut", da, a, file, copie, fascicola));
    }
    // Pictures that cannot be drawn are the engine's (ComposizioneMotoreTest): none here.
    std::vector<Publisher::PictureWarning> PictureWarnings() override {
        n_->Registra(QStringLiteral("Document.PictureWarnings"));
        return {};
    }
    void Close() override { n_->Registra(QStringLiteral("Document.Close")); }

    int Count() const override {
        const int numero = static_cast<int>(n_->pagine.size());
        n_->Registra(QStringLiteral("Pages.Count -> %1").arg(numero));
        return numero;
    }
    std::shared_ptr<Publisher::Page> Item(int indice) override {
        n_->Registra(Chiamata("Pages.Item", indice));
        if (indice < 1 || indice > static_cast<int>(n_->pagine.size()))
            FuoriIntervallo();
        return std::make_shared<PaginaOggetto>(n_, n_->pagine[static_cast<size_t>(indice - 1)]);
    }
    // Each new page holds copies of page 1's shapes, in order, when asked to.
    std::shared_ptr<Publisher::Page> Add(int numero, int dopo, int duplica) override {
        n_->Registra(Chiamata("Pages.Add", numero, dopo, duplica));
        auto& pagine = n_->pagine;
        std::shared_ptr<PaginaModello> ultima;
        for (int k = 0; k < numero; ++k) {
            ultima = std::make_shared<PaginaModello>();
            for (const auto& forma : pagine.front()->forme) {
                if (duplica != 0)
                    Nucleo::Aggiungi(forma->dati, ultima);
            }
            pagine.insert(pagine.begin() + dopo + k, ultima);
        }
        return std::make_shared<PaginaOggetto>(n_, ultima);
    }

private:
    NucleoPtr n_;
};

// The application and its window; alive while any of them is held.
class ApplicazioneFinta : public Publisher::Application, public Publisher::Window {
public:
    explicit ApplicazioneFinta(NucleoPtr n) : n_(std::move(n)) { ++n_->applicazioniVive; }
    ~ApplicazioneFinta() override { --n_->applicazioniVive; }

    std::shared_ptr<Publisher::Document> Open(const QString& file, bool soloLettura, bool recenti,
                                              int salva) override {
        n_->Registra(Chiamata("Application.Open", file, soloLettura, recenti, salva));
        n_->pagine.clear();
        for (const PaginaFinta& origine : n_->layout) {
            n_->pagine.push_back(std::make_shared<PaginaModello>());
            for (const FormaFinta& dati : origine)
                Nucleo::Aggiungi(dati, n_->pagine.back());
        }
        auto documento = std::make_shared<DocumentoFinto>(n_);
        n_->documento = documento;
        return documento;
    }
    std::shared_ptr<Publisher::Document> ActiveDocument() override {
        n_->Registra(QStringLiteral("Application.ActiveDocument"));
        if (auto documento = n_->documento.lock())
            return documento;
        throw Error(91, QStringLiteral("Nessun documento aperto"));
    }
    std::shared_ptr<Publisher::Window> ActiveWindow() override {
        n_->Registra(QStringLiteral("Application.ActiveWindow"));
        return std::make_shared<ApplicazioneFinta>(n_);
    }
    void Quit() override { n_->Registra(QStringLiteral("Application.Quit")); }

    bool Visible() const override {
        n_->Registra(QStringLiteral("Window.Visible -> ") + fake::Valore(n_->visibile));
        return n_->visibile;
    }
    void SetVisible(bool v) override {
        n_->Registra(QStringLiteral("Window.Visible = ") + fake::Valore(v));
        n_->visibile = v;
    }

private:
    NucleoPtr n_;
};

} // namespace

void RegistroChiamate::FallisciSu(const QString& modello, std::int32_t numero,
                                  const QString& descrizione) {
    regole_.push_back(
        {QRegularExpression(modello), numero, true,
         descrizione.isEmpty() ? QStringLiteral("Errore %1 simulato").arg(numero) : descrizione});
}

void RegistroChiamate::Registra(const QString& riga) {
    const Regola* scattata = nullptr;
    for (Regola& regola : regole_) {
        if (!regola.attiva || !regola.modello.match(riga).hasMatch())
            continue;
        regola.attiva = false;
        if (!scattata)
            scattata = &regola;
    }
    if (scattata) {
        righe_.append(riga + QStringLiteral(" => Errore(%1)").arg(scattata->numero));
        throw Publisher::Error(scattata->numero, scattata->descrizione);
    }
    righe_.append(riga);
}

QStringList RegistroChiamate::Righe(const QString& modello) const {
    const QRegularExpression re(modello);
    QStringList scelte;
    for (const QString& riga : righe_) {
        if (re.match(riga).hasMatch())
            scelte.append(riga);
    }
    return scelte;
}

QStringList RegistroChiamate::Operazioni() const {
    return Righe(QStringLiteral(
        "^(?!.*\\.(Pages|Shapes|TextFrame|TextRange|ParagraphFormat|Font|Fill|ForeColor)$)"));
}

QString Valore(double numero) {
    return QString::number(numero, 'g', 12);
}
QString Valore(const QString& testo) {
    return QLatin1Char('"') + testo + QLatin1Char('"');
}
QString Valore(bool valore) {
    return valore ? QStringLiteral("True") : QStringLiteral("False");
}

FormaFinta Rettangolo(double sinistra, double alto, double larghezza, double altezza) {
    return {.sinistra = sinistra, .alto = alto, .larghezza = larghezza, .altezza = altezza};
}

PublisherFinto::PublisherFinto() : nucleo_(std::make_shared<Nucleo>()) {}
PublisherFinto::~PublisherFinto() = default;

void PublisherFinto::ImpostaLayout(std::vector<PaginaFinta> pagine) {
    nucleo_->layout = std::move(pagine);
}

void PublisherFinto::ImpostaLarghezzaCarattere(double punti) {
    nucleo_->larghezzaCarattere = punti;
}

void PublisherFinto::ImpostaTraboccaSenzaAdattamento(bool trabocca) {
    nucleo_->traboccaSenzaAdattamento = trabocca;
}

RegistroChiamate& PublisherFinto::Registro() {
    return nucleo_->registro;
}
const RegistroChiamate& PublisherFinto::Registro() const {
    return nucleo_->registro;
}

Publisher::ApplicationFactory PublisherFinto::Fabbrica() {
    return [nucleo = nucleo_]() -> std::shared_ptr<Publisher::Application> {
        nucleo->Registra(QStringLiteral("CreateObject(\"Publisher.Application\")"));
        return std::make_shared<ApplicazioneFinta>(nucleo);
    };
}

int PublisherFinto::NumeroPagine() const {
    return static_cast<int>(nucleo_->pagine.size());
}

std::vector<FormaFinta> PublisherFinto::Forme(int pagina) const {
    std::vector<FormaFinta> forme;
    if (pagina < 1 || pagina > NumeroPagine())
        return forme;
    for (const auto& forma : nucleo_->pagine[static_cast<size_t>(pagina - 1)]->forme)
        forme.push_back(forma->dati);
    return forme;
}

bool PublisherFinto::ApplicazioneRilasciata() const {
    return nucleo_->applicazioniVive == 0;
}
bool PublisherFinto::DocumentoRilasciato() const {
    return nucleo_->documentiVivi == 0;
}

} // namespace lumetra::fake
