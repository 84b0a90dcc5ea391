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
    bool terminato = false;
    bool visibile = false;
    int applicazioniVive = 0;
    int documentiVivi = 0;

    void Registra(const QString& riga) { registro.Registra(riga); }

    int IndicePagina(const PaginaModello* pagina) const {
        for (size_t i = 0; i < pagine.size(); ++i) {
            if (pagine[i].get() == pagina)
                return static_cast<int>(i) + 1;
        }
        return 0;
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

QString Testo(const Variant& v) {
    return v.IsNumber() ? fake::Valore(v.Number()) : fake::Valore(v.Text());
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

QString Testo(const QString& v) {
    return fake::Valore(v);
}
QString Testo(bool v) {
    return fake::Valore(v);
}
QString Testo(double v) {
    return fake::Valore(v);
}
QString Testo(std::int32_t v) {
    return QString::number(v);
}

// "nome(a, b, ...)" with each argument as the log shows values.
template <typename... T> QString Chiamata(const char* nome, const T&... argomenti) {
    const QStringList testi{Testo(argomenti)...};
    return QLatin1String(nome) + QLatin1Char('(') + testi.join(QStringLiteral(", ")) +
           QLatin1Char(')');
}

// Sub-objects of a shape share its data.
class ParteDiForma {
public:
    ParteDiForma(NucleoPtr nucleo, FormaPtr forma, const char* nome)
        : n_(std::move(nucleo)), f_(std::move(forma)), nome_(QString::fromLatin1(nome)) {}

protected:
    // Logs "<Nome>(p,s).<membro><resto>" and checks that the shape still exists.
    void Registra(const char* membro, const QString& resto = QString()) const {
        n_->Registra(nome_ + n_->Posizione(*f_) + QLatin1Char('.') + QLatin1String(membro) + resto);
        if (f_->eliminata)
            Eliminato();
    }
    // A property read ("membro -> valore") or written ("membro = valore").
    template <typename T> T Leggi(const char* membro, const T& valore) const {
        Registra(membro, QStringLiteral(" -> ") + Testo(valore));
        return valore;
    }
    template <typename T> void Scrivi(const char* membro, T& campo, const T& valore) const {
        Registra(membro, QStringLiteral(" = ") + Testo(valore));
        campo = valore;
    }
    // A sub-object of the same shape ("membro" logged).
    template <typename Parte> std::shared_ptr<Parte> Sotto(const char* membro) const {
        Registra(membro);
        return std::make_shared<Parte>(n_, f_);
    }
    FormaFinta& D() const { return f_->dati; }

    NucleoPtr n_;
    FormaPtr f_;
    QString nome_;
};

class FontFinto : public Publisher::Font, ParteDiForma {
public:
    FontFinto(NucleoPtr n, FormaPtr f) : ParteDiForma(std::move(n), std::move(f), "Font") {}
    QString Name() const override { return Leggi("Name", D().font); }
    void SetName(const QString& nome) override { Scrivi("Name", D().font, nome); }
    bool Bold() const override { return Leggi("Bold", D().grassetto); }
    void SetBold(bool b) override { Scrivi("Bold", D().grassetto, b); }
    bool Italic() const override { return Leggi("Italic", D().corsivo); }
    void SetItalic(bool i) override { Scrivi("Italic", D().corsivo, i); }
};

class ParagrafoFinto : public Publisher::ParagraphFormat, ParteDiForma {
public:
    ParagrafoFinto(NucleoPtr n, FormaPtr f)
        : ParteDiForma(std::move(n), std::move(f), "ParagraphFormat") {}
    int Alignment() const override { return Leggi("Alignment", D().allineamento); }
    void SetAlignment(int a) override { Scrivi("Alignment", D().allineamento, a); }
};

class TestoFinto : public Publisher::TextRange, ParteDiForma {
public:
    TestoFinto(NucleoPtr n, FormaPtr f) : ParteDiForma(std::move(n), std::move(f), "TextRange") {}
    QString Text() const override { return Leggi("Text", D().testo); }
    void SetText(const QString& t) override { Scrivi("Text", D().testo, t); }
    std::shared_ptr<Publisher::ParagraphFormat> ParagraphFormat() override {
        return Sotto<ParagrafoFinto>("ParagraphFormat");
    }
    std::shared_ptr<Publisher::Font> Font() override { return Sotto<FontFinto>("Font"); }
};

class CorniceFinta : public Publisher::TextFrame, ParteDiForma {
public:
    CorniceFinta(NucleoPtr n, FormaPtr f) : ParteDiForma(std::move(n), std::move(f), "TextFrame") {}
    int AutoFitText() const override { return Leggi("AutoFitText", D().adattamento); }
    void SetAutoFitText(int modo) override { Scrivi("AutoFitText", D().adattamento, modo); }
    bool Overflowing() const override {
        const bool trabocca =
            (n_->traboccaSenzaAdattamento && D().adattamento == Publisher::pbTextAutoFitNone) ||
            static_cast<double>(D().testo.size()) * n_->larghezzaCarattere + 2 * MargineInterno >
                D().larghezza;
        return Leggi("Overflowing", trabocca);
    }
    std::shared_ptr<Publisher::TextRange> TextRange() override {
        return Sotto<TestoFinto>("TextRange");
    }
};

class ColoreFinto : public Publisher::ColorFormat, ParteDiForma {
public:
    ColoreFinto(NucleoPtr n, FormaPtr f)
        : ParteDiForma(std::move(n), std::move(f), "ColorFormat") {}
    std::int32_t RGB() const override { return Leggi("RGB", D().riempimento.value_or(0xFFFFFF)); }
    void SetRGB(std::int32_t rgb) override {
        Registra("RGB", QStringLiteral(" = ") + Testo(rgb));
        D().riempimento = rgb;
    }
};

class RiempimentoFinto : public Publisher::FillFormat, ParteDiForma {
public:
    RiempimentoFinto(NucleoPtr n, FormaPtr f) : ParteDiForma(std::move(n), std::move(f), "Fill") {}
    std::shared_ptr<Publisher::ColorFormat> ForeColor() override {
        return Sotto<ColoreFinto>("ForeColor");
    }
};

class FormaFintaOggetto : public Publisher::Shape, ParteDiForma {
public:
    FormaFintaOggetto(NucleoPtr n, FormaPtr f)
        : ParteDiForma(std::move(n), std::move(f), "Shape") {}
    int Type() const override { return Leggi("Type", D().tipo); }
    int AutoShapeType() const override { return Leggi("AutoShapeType", D().tipoAutoForma); }
    Variant Left() const override { return Variant(Leggi("Left", D().sinistra)); }
    void SetLeft(const Variant& v) override { Sposta("Left", v, D().sinistra); }
    Variant Top() const override { return Variant(Leggi("Top", D().alto)); }
    void SetTop(const Variant& v) override { Sposta("Top", v, D().alto); }
    Variant Width() const override { return Variant(Leggi("Width", D().larghezza)); }
    void SetWidth(const Variant& v) override { Sposta("Width", v, D().larghezza); }
    Variant Height() const override { return Variant(Leggi("Height", D().altezza)); }
    void SetHeight(const Variant& v) override { Sposta("Height", v, D().altezza); }
    void Delete() override {
        Registra("Delete");
        if (const auto pagina = f_->pagina.lock()) {
            auto& forme = pagina->forme;
            forme.erase(std::remove(forme.begin(), forme.end(), f_), forme.end());
        }
        f_->eliminata = true;
    }
    std::shared_ptr<Publisher::FillFormat> Fill() override {
        return Sotto<RiempimentoFinto>("Fill");
    }
    std::shared_ptr<Publisher::TextFrame> TextFrame() override {
        Registra("TextFrame");
        if (D().tipo != Publisher::msoTextBox)
            throw Error(-2147467259, QStringLiteral("La forma non contiene testo"));
        return std::make_shared<CorniceFinta>(n_, f_);
    }

private:
    void Sposta(const char* membro, const Variant& v, double& valore) {
        Registra(membro, QStringLiteral(" = ") + Testo(v));
        valore = Punti(v);
    }
};

class FormeFinte : public Publisher::Shapes {
public:
    FormeFinte(NucleoPtr n, std::shared_ptr<PaginaModello> p)
        : n_(std::move(n)), p_(std::move(p)) {}
    int Count() const override {
        const int numero = static_cast<int>(p_->forme.size());
        Registra(QStringLiteral("Count -> %1").arg(numero));
        return numero;
    }
    std::shared_ptr<Publisher::Shape> Item(int indice) override {
        Registra(Chiamata("Item", indice));
        if (indice < 1 || indice > static_cast<int>(p_->forme.size()))
            FuoriIntervallo();
        return std::make_shared<FormaFintaOggetto>(n_, p_->forme[static_cast<size_t>(indice - 1)]);
    }
    std::shared_ptr<Publisher::Shape> AddPicture(const QString& file, int collega, int salva,
                                                 const Variant& sinistra, const Variant& alto,
                                                 const Variant& larghezza,
                                                 const Variant& altezza) override {
        Registra(Chiamata("AddPicture", file, collega, salva, sinistra, alto, larghezza, altezza));
        FormaFinta dati;
        dati.tipo = Publisher::msoPicture;
        dati.tipoAutoForma = -2;
        dati.immagine = file;
        return Aggiungi(dati, sinistra, alto, larghezza, altezza);
    }
    std::shared_ptr<Publisher::Shape> AddTextbox(int orientamento, const Variant& sinistra,
                                                 const Variant& alto, const Variant& larghezza,
                                                 const Variant& altezza) override {
        Registra(Chiamata("AddTextbox", orientamento, sinistra, alto, larghezza, altezza));
        FormaFinta dati;
        dati.tipo = Publisher::msoTextBox;
        return Aggiungi(dati, sinistra, alto, larghezza, altezza);
    }

private:
    void Registra(const QString& resto) const {
        const int pagina = n_->IndicePagina(p_.get());
        n_->Registra(QStringLiteral("Shapes(%1).").arg(pagina) + resto);
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
        return std::make_shared<FormaFintaOggetto>(n_, Nucleo::Aggiungi(dati, p_));
    }

    NucleoPtr n_;
    std::shared_ptr<PaginaModello> p_;
};

class PaginaFintaOggetto : public Publisher::Page {
public:
    PaginaFintaOggetto(NucleoPtr n, std::shared_ptr<PaginaModello> p)
        : n_(std::move(n)), p_(std::move(p)) {}
    std::shared_ptr<Publisher::Shapes> Shapes() override {
        Registra(QStringLiteral("Shapes"));
        return std::make_shared<FormeFinte>(n_, p_);
    }
    void Delete() override {
        Registra(QStringLiteral("Delete"));
        auto& pagine = n_->pagine;
        pagine.erase(std::remove(pagine.begin(), pagine.end(), p_), pagine.end());
    }

private:
    void Registra(const QString& membro) const {
        const int pagina = n_->IndicePagina(p_.get());
        n_->Registra(QStringLiteral("Page(%1).").arg(pagina) + membro);
        if (pagina == 0)
            Eliminato();
    }
    NucleoPtr n_;
    std::shared_ptr<PaginaModello> p_;
};

class PagineFinte : public Publisher::Pages {
public:
    explicit PagineFinte(NucleoPtr n) : n_(std::move(n)) {}
    int Count() const override {
        const int numero = static_cast<int>(n_->pagine.size());
        n_->Registra(QStringLiteral("Pages.Count -> %1").arg(numero));
        return numero;
    }
    std::shared_ptr<Publisher::Page> Item(int indice) override {
        n_->Registra(Chiamata("Pages.Item", indice));
        if (indice < 1 || indice > static_cast<int>(n_->pagine.size()))
            FuoriIntervallo();
        return std::make_shared<PaginaFintaOggetto>(n_,
                                                    n_->pagine[static_cast<size_t>(indice - 1)]);
    }
    std::shared_ptr<Publisher::Page> Add(int numero, int dopo, int duplica) override {
        n_->Registra(Chiamata("Pages.Add", numero, dopo, duplica));
        auto& pagine = n_->pagine;
        if (numero < 1 || dopo < 0 || dopo > static_cast<int>(pagine.size()))
            throw Error(5, QStringLiteral("Argomento o chiamata di routine non valida"));
        std::shared_ptr<PaginaModello> ultima;
        for (int k = 0; k < numero; ++k) {
            auto pagina = std::make_shared<PaginaModello>();
            if (duplica != 0 && !pagine.empty()) {
                for (const auto& forma : pagine.front()->forme)
                    Nucleo::Aggiungi(forma->dati, pagina);
            }
            pagine.insert(pagine.begin() + dopo + k, pagina);
            ultima = pagina;
        }
        return std::make_shared<PaginaFintaOggetto>(n_, ultima);
    }

private:
    NucleoPtr n_;
};

class DocumentoFinto : public Publisher::Document {
public:
    explicit DocumentoFinto(NucleoPtr n) : n_(std::move(n)) { ++n_->documentiVivi; }
    ~DocumentoFinto() override { --n_->documentiVivi; }
    std::shared_ptr<Publisher::Pages> Pages() override {
        n_->Registra(QStringLiteral("Document.Pages"));
        return std::make_shared<PagineFinte>(n_);
    }
    void PrintOut(int da, int a, const QString& file, int copie, bool fascicola) override {
        n_->Registra(Chiamata("Document.PrintOut", da, a, file, copie, fascicola));
    }
    std::vector<Publisher::PictureWarning> PictureWarnings() override {
        n_->Registra(QStringLiteral("Document.PictureWarnings"));
        return {};
    }
    void Close() override { n_->Registra(QStringLiteral("Document.Close")); }

private:
    NucleoPtr n_;
};

class FinestraFinta : public Publisher::Window {
public:
    explicit FinestraFinta(NucleoPtr n) : n_(std::move(n)) {}
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

class ApplicazioneFinta : public Publisher::Application {
public:
    explicit ApplicazioneFinta(NucleoPtr n) : n_(std::move(n)) { ++n_->applicazioniVive; }
    ~ApplicazioneFinta() override { --n_->applicazioniVive; }
    std::shared_ptr<Publisher::Document> Open(const QString& file, bool soloLettura, bool recenti,
                                              int salva) override {
        n_->Registra(Chiamata("Application.Open", file, soloLettura, recenti, salva));
        if (n_->layout.empty())
            throw Error(-2147467259, QStringLiteral("Impossibile aprire il file"));
        n_->pagine.clear();
        for (const PaginaFinta& origine : n_->layout) {
            n_->pagine.push_back(std::make_shared<PaginaModello>());
            for (const FormaFinta& dati : origine)
                Nucleo::Aggiungi(dati, n_->pagine.back());
        }
        auto documento = std::make_shared<DocumentoFinto>(n_);
        documento_ = documento;
        return documento;
    }
    std::shared_ptr<Publisher::Document> ActiveDocument() override {
        n_->Registra(QStringLiteral("Application.ActiveDocument"));
        if (auto documento = documento_.lock())
            return documento;
        throw Error(91, QStringLiteral("Nessun documento aperto"));
    }
    std::shared_ptr<Publisher::Window> ActiveWindow() override {
        n_->Registra(QStringLiteral("Application.ActiveWindow"));
        return std::make_shared<FinestraFinta>(n_);
    }
    void Quit() override {
        n_->Registra(QStringLiteral("Application.Quit"));
        n_->terminato = true;
    }

private:
    NucleoPtr n_;
    std::weak_ptr<DocumentoFinto> documento_;
};

} // namespace

void RegistroChiamate::FallisciSu(const QString& modello, std::int32_t numero, int occorrenza,
                                  const QString& descrizione) {
    regole_.push_back(
        {QRegularExpression(modello), numero, occorrenza,
         descrizione.isEmpty() ? QStringLiteral("Errore %1 simulato").arg(numero) : descrizione});
}

void RegistroChiamate::Registra(const QString& riga) {
    const Regola* scattata = nullptr;
    for (Regola& regola : regole_) {
        if (regola.mancanti <= 0 || !regola.modello.match(riga).hasMatch())
            continue;
        if (--regola.mancanti == 0 && !scattata)
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
    static const QRegularExpression navigazione(QStringLiteral(
        "\\.(Pages|Shapes|TextFrame|TextRange|ParagraphFormat|Font|Fill|ForeColor)$"));
    QStringList scelte;
    for (const QString& riga : righe_) {
        if (!navigazione.match(riga).hasMatch())
            scelte.append(riga);
    }
    return scelte;
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
    FormaFinta forma;
    forma.sinistra = sinistra;
    forma.alto = alto;
    forma.larghezza = larghezza;
    forma.altezza = altezza;
    return forma;
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
bool PublisherFinto::Terminato() const {
    return nucleo_->terminato;
}
bool PublisherFinto::FinestraVisibile() const {
    return nucleo_->visibile;
}

} // namespace lumetra::fake
