#include "BackendMotore.h"

#include "LetturaPdf.h"
#include "PercorsoFile.h"
#include "PubBuilder.h"
#include "TestImages.h"

#include <QDir>
#include <QFile>

namespace lumetra::composition::test {
namespace {

constexpr int Dpi = 144;

// Shows nothing, and says it shows: the engine treats the document as being on screen.
class VistaFinta : public engine::DocumentView {
public:
    bool isShowing() const override { return aperta_; }
    void close() override { aperta_ = false; }

private:
    bool aperta_ = true;
};

} // namespace

BackendMotore::BackendMotore() {
    QDir(dir_.path()).mkdir(QStringLiteral("foto"));
}

QString BackendMotore::CreaLayout(const LayoutProva& layout) {
    layoutwriter::PubBuilder builder;
    builder.pageSize(layout.larghezza, layout.altezza);
    for (const auto& forme : layout.pagine) {
        layoutwriter::PubPage& pagina = builder.addPage();
        for (const FormaProva& f : forme) {
            const Riquadro& r = f.riquadro;
            layoutwriter::PubItem item;
            switch (f.tipo) {
            case TipoForma::Rettangolo:
                item = layoutwriter::PubItem::rectangle(r.sinistra, r.alto, r.larghezza, r.altezza);
                break;
            case TipoForma::RettangoloArrotondato:
                item = layoutwriter::PubItem::roundedRectangle(r.sinistra, r.alto, r.larghezza,
                                                               r.altezza);
                break;
            case TipoForma::Ovale:
                item = layoutwriter::PubItem::oval(r.sinistra, r.alto, r.larghezza, r.altezza);
                break;
            case TipoForma::CasellaTesto:
                item = layoutwriter::PubItem::textBox(r.sinistra, r.alto, r.larghezza, r.altezza,
                                                      f.testo);
                item.style.fill.reset();
                item.style.line.reset();
                break;
            }
            if (f.tipo != TipoForma::CasellaTesto)
                item.style.fill = ColoreForma.rgb();
            pagina.add(item);
        }
    }
    const QString percorso = dir_.filePath(QStringLiteral("layout.pub"));
    if (!builder.save(percorso))
        throw std::runtime_error("layout non scritto");
    return percorso;
}

QString BackendMotore::CreaLayoutIllegibile() {
    const QString percorso = dir_.filePath(QStringLiteral("danneggiato.pub"));
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(4096, '\x5a')) != 4096)
        throw std::runtime_error("layout danneggiato non scritto");
    return percorso;
}

QString BackendMotore::Cartella() {
    return dir_.filePath(QStringLiteral("foto"));
}

void BackendMotore::CreaImmagine(const QString& nome, QColor colore) {
    const QString percorso = PercorsoFile(Cartella(), nome);
    if (nome.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        testimages::writePng(percorso, QSize(200, 200), colore);
    else
        testimages::writeJpeg(percorso, QSize(200, 200), colore, 95);
}

void BackendMotore::CreaImmagineIllegibile(const QString& nome) {
    testimages::writeDamagedJpeg(PercorsoFile(Cartella(), nome));
}

Publisher::ApplicationFactory BackendMotore::Fabbrica() {
    engine::EngineOptions opzioni;
    opzioni.pdfFile = Pdf();
    opzioni.openView = [](std::shared_ptr<engine::EngineApplication>,
                          std::shared_ptr<engine::EngineDocument>) {
        return std::make_shared<VistaFinta>();
    };
    auto crea = engine::fabbricaMotore(opzioni);
    return [this, crea]() -> std::shared_ptr<Publisher::Application> {
        auto applicazione = crea();
        ultima_ = std::dynamic_pointer_cast<engine::EngineApplication>(applicazione);
        return applicazione;
    };
}

int BackendMotore::Stampe() {
    return QFile::exists(Pdf()) ? 1 : 0;
}

int BackendMotore::NumeroPagine() {
    return PagineDelPdf(Pdf());
}

const QImage& BackendMotore::Pagina(int pagina) {
    auto it = pagine_.find(pagina);
    if (it == pagine_.end())
        it = pagine_.emplace(pagina, PaginaDelPdf(Pdf(), pagina, Dpi)).first;
    return it->second;
}

QColor BackendMotore::ColoreIn(int pagina, double x, double y) {
    const QImage& immagine = Pagina(pagina);
    const QPoint punto(static_cast<int>(x * Dpi / 72.0), static_cast<int>(y * Dpi / 72.0));
    if (!immagine.valid(punto))
        return QColor(Qt::transparent);
    return immagine.pixelColor(punto);
}

std::vector<TestoLetto> BackendMotore::Testi(int pagina) {
    std::vector<TestoLetto> testi;
    for (const ParolaPdf& p : ParoleDelPdf(Pdf(), pagina))
        testi.push_back({p.testo, {p.xMin, p.yMin, p.xMax - p.xMin, p.yMax - p.yMin}});
    return testi;
}

bool BackendMotore::Terminato() {
    return ultima_ && ultima_->hasQuit();
}

bool BackendMotore::FinestraMostrata() {
    return ultima_ && ultima_->isViewShowing();
}

} // namespace lumetra::composition::test
