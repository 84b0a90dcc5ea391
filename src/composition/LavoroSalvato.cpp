#include "LavoroSalvato.h"

#include "Error.h"
#include "ErrorNumbers.h"
#include "InputFile.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace lumetra::composition {
namespace {

const QString Formato = QStringLiteral("lumetra-lavoro");
constexpr int Versione = 1;
constexpr qint64 MassimoByte = qint64{16} * 1024 * 1024;

const QStringList Esterni = {QStringLiteral("nessuno"), QStringLiteral("sopra"),
                             QStringLiteral("sotto")};
const QStringList Interni = {QStringLiteral("nessuno"), QStringLiteral("sinistra"),
                             QStringLiteral("destra")};
const QStringList Adattamenti = {QStringLiteral("deforma"), QStringLiteral("adatta"),
                                 QStringLiteral("riempi")};

// Relative to the job's folder when it lies inside it, whole otherwise.
QString Relativo(const QDir& cartella, const QString& percorso) {
    if (percorso.isEmpty()) {
        return {};
    }
    const QString assoluto = QDir::cleanPath(cartella.absoluteFilePath(percorso));
    const QString relativo = cartella.relativeFilePath(assoluto);
    return relativo.startsWith(QLatin1String("..")) ? assoluto : relativo;
}

QString Assoluto(const QDir& cartella, const QString& percorso) {
    return percorso.isEmpty() ? QString() : QDir::cleanPath(cartella.absoluteFilePath(percorso));
}

QString Voce(const QStringList& voci, int indice) {
    return voci.value(indice, voci.first());
}

int Indice(const QStringList& voci, const QJsonValue& valore) {
    return std::max(0, static_cast<int>(voci.indexOf(valore.toString())));
}

QJsonObject ComeJson(const LavoroSalvato& l, const QDir& cartella) {
    QJsonObject barre{{QStringLiteral("tipo"), TestoTipoBarre(l.barre)},
                      {QStringLiteral("posizione"), Voce(Esterni, l.barre.posizione)},
                      {QStringLiteral("altezza"), l.barre.altezza}};
    return {{QStringLiteral("formato"), Formato},
            {QStringLiteral("versione"), Versione},
            {QStringLiteral("layout"), Relativo(cartella, l.layout)},
            {QStringLiteral("cartella"), Relativo(cartella, l.cartella)},
            {QStringLiteral("coda"), QJsonArray::fromStringList(l.coda)},
            {QStringLiteral("codiceEsterno"), Voce(Esterni, l.codiceEsterno)},
            {QStringLiteral("codiceInterno"), Voce(Interni, l.codiceInterno)},
            {QStringLiteral("altezzaCodice"), l.altezza},
            {QStringLiteral("font"), QJsonObject{{QStringLiteral("nome"), l.nomeFont},
                                                 {QStringLiteral("grassetto"), l.grassetto},
                                                 {QStringLiteral("corsivo"), l.corsivo}}},
            {QStringLiteral("copie"), l.copie},
            {QStringLiteral("adattamento"), Voce(Adattamenti, l.adattamento)},
            {QStringLiteral("listino"), Relativo(cartella, l.listino)},
            {QStringLiteral("chiave"), l.chiave},
            {QStringLiteral("testoEsterno"), l.modelloEsterno},
            {QStringLiteral("testoInterno"), l.modelloInterno},
            {QStringLiteral("barre"), barre}};
}

runtime::Error Rifiuto(const QString& file, const QString& motivo) {
    return runtime::Error(
        runtime::ErrLavoroNonValido,
        QStringLiteral("Lavoro '%1': %2").arg(QFileInfo(file).fileName(), motivo));
}

// The job object of a file, or an empty object when it holds none.
QJsonObject LeggiOggetto(const QString& file) {
    const std::optional<QByteArray> byte = runtime::readInputFile(file, MassimoByte);
    if (!byte || byte->size() > MassimoByte) {
        return {};
    }
    const QJsonObject oggetto = QJsonDocument::fromJson(*byte).object();
    return oggetto.value(QStringLiteral("formato")).toString() == Formato ? oggetto : QJsonObject();
}

bool StessoFile(const QString& a, const QString& b) {
    return !a.isEmpty() && !b.isEmpty() &&
           QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

} // namespace

LavoroSalvato LavoroDi(const ContestoComposizione& contesto) {
    LavoroSalvato lavoro;
    lavoro.layout = contesto.TestoLayout();
    lavoro.cartella = contesto.TestoIndirizzo();
    for (int i = 1; i <= contesto.NumeroSelezionati(); ++i) {
        lavoro.coda.append(contesto.TestoSelezionato(i));
    }
    lavoro.codiceEsterno = contesto.CodiceArticoloEsterno();
    lavoro.codiceInterno = contesto.CodiceArticoloInterno();
    lavoro.altezza = contesto.TestoAltezzaCodiceArticolo();
    lavoro.nomeFont = contesto.NomeFont();
    lavoro.grassetto = contesto.FontGrassetto();
    lavoro.corsivo = contesto.FontCorsivo();
    lavoro.copie = contesto.TestoCopie();
    lavoro.adattamento = contesto.Adattamento();
    lavoro.listino = contesto.TestoListino();
    lavoro.chiave = contesto.ColonnaChiave();
    lavoro.modelloEsterno = contesto.ModelloTestoEsterno();
    lavoro.modelloInterno = contesto.ModelloTestoInterno();
    lavoro.barre = contesto.Barre();
    return lavoro;
}

runtime::FileWriteResult SalvaLavoro(const QString& file, const LavoroSalvato& lavoro,
                                     runtime::Replace sostituisci) {
    using Status = runtime::FileWriteResult::Status;
    const QFileInfo info(file);
    const bool esiste = info.exists() || info.isSymLink();
    if (StessoFile(file, lavoro.layout) || StessoFile(file, lavoro.listino) ||
        (esiste && sostituisci == runtime::Replace::Allowed && !info.isSymLink() &&
         LeggiOggetto(file).isEmpty())) {
        return {Status::NotAFile,
                QStringLiteral("Il file '%1' non è un lavoro salvato: non viene sostituito")
                    .arg(QDir::toNativeSeparators(file))};
    }
    const QDir cartella = info.absoluteDir();
    const QByteArray byte = QJsonDocument(ComeJson(lavoro, cartella)).toJson();
    return runtime::writeFileAtomically(file, byte, sostituisci);
}

LavoroSalvato ApriLavoro(const QString& file) {
    const runtime::InputFileCheck controllo = runtime::checkInputFile(file);
    if (controllo.problem != 0) {
        throw Rifiuto(file, controllo.problem == runtime::ErrFileNonTrovato
                                ? QStringLiteral("il file non esiste")
                                : QStringLiteral("il file non si può leggere"));
    }
    const QJsonObject o = LeggiOggetto(file);
    if (o.isEmpty()) {
        throw Rifiuto(file, QStringLiteral("il file non è un lavoro di Lumetra"));
    }
    if (o.value(QStringLiteral("versione")).toInt() > Versione) {
        throw Rifiuto(file, QStringLiteral("salvato da una versione più recente di Lumetra"));
    }
    const QDir cartella = QFileInfo(file).absoluteDir();
    LavoroSalvato l;
    const auto testo = [&o](const char* chiave, const QString& predefinito) {
        return o.value(QLatin1String(chiave)).toString(predefinito);
    };
    l.layout = Assoluto(cartella, testo("layout", {}));
    l.cartella = Assoluto(cartella, testo("cartella", {}));
    l.coda = o.value(QStringLiteral("coda")).toVariant().toStringList();
    l.codiceEsterno = Indice(Esterni, o.value(QStringLiteral("codiceEsterno")));
    l.codiceInterno = Indice(Interni, o.value(QStringLiteral("codiceInterno")));
    l.altezza = testo("altezzaCodice", l.altezza);
    const QJsonObject font = o.value(QStringLiteral("font")).toObject();
    l.nomeFont = font.value(QStringLiteral("nome")).toString(l.nomeFont);
    l.grassetto = font.value(QStringLiteral("grassetto")).toBool();
    l.corsivo = font.value(QStringLiteral("corsivo")).toBool();
    l.copie = testo("copie", l.copie);
    l.adattamento = Indice(Adattamenti, o.value(QStringLiteral("adattamento")));
    l.listino = Assoluto(cartella, testo("listino", {}));
    l.chiave = testo("chiave", {});
    l.modelloEsterno = testo("testoEsterno", l.modelloEsterno);
    l.modelloInterno = testo("testoInterno", l.modelloInterno);
    const QJsonObject barre = o.value(QStringLiteral("barre")).toObject();
    if (!LeggiTipoBarre(barre.value(QStringLiteral("tipo")).toString(), l.barre)) {
        throw Rifiuto(file, QStringLiteral("codice a barre '%1' sconosciuto")
                                .arg(barre.value(QStringLiteral("tipo")).toString()));
    }
    l.barre.posizione = Indice(Esterni, barre.value(QStringLiteral("posizione"))) == 1 ? 1 : 2;
    l.barre.altezza = barre.value(QStringLiteral("altezza")).toString(l.barre.altezza);
    return l;
}

} // namespace lumetra::composition
