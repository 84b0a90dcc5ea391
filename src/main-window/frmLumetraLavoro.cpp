// A job saved at the user's request and opened again: every setting of the window and of its
// catalogue, the folder and the queue in order.

#include "ContestoFinestra.h"
#include "Error.h"
#include "FileListModel.h"
#include "FileNames.h"
#include "FinestraCatalogo.h"
#include "LavoroSalvato.h"
#include "MousePointer.h"
#include "UpDown.h"
#include "frmLumetra.h"
#include "modGenerale.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSet>

#include <algorithm>

namespace lumetra::mainwindow {

using composition::LavoroSalvato;

namespace {

const QString FiltroLavori = QStringLiteral("Lavori di Lumetra (*.lumetra)");
const QString EstensioneLavori = QStringLiteral("lumetra");
// Names listed in the message about a queue that lost files; the rest are counted.
constexpr qsizetype NomiElencati = 15;

QString Nativo(const QString& percorso) {
    return runtime::shownName(QDir::toNativeSeparators(percorso));
}

QString ElencoMancanti(const QStringList& mancanti) {
    QStringList righe = mancanti.mid(0, NomiElencati);
    for (QString& riga : righe) {
        riga = QStringLiteral("    ") + runtime::shownName(riga);
    }
    if (mancanti.size() > NomiElencati) {
        righe.append(QStringLiteral("    ... e altri %1").arg(mancanti.size() - NomiElencati));
    }
    return (mancanti.size() == 1
                ? QStringLiteral("un file della coda non è più nella cartella ed è stato lasciato "
                                 "fuori:\n")
                : QStringLiteral("%1 file della coda non sono più nella cartella e sono stati "
                                 "lasciati fuori:\n")
                      .arg(mancanti.size())) +
           righe.join(QLatin1Char('\n'));
}

// The job last saved or opened; else one named after the layout, beside it.
QString NomeProposto(const QString& ultimo, const QString& layout) {
    if (!ultimo.isEmpty() || layout.isEmpty()) {
        return ultimo;
    }
    const QFileInfo info(layout);
    return info.dir().filePath(info.completeBaseName() + QLatin1Char('.') + EstensioneLavori);
}

} // namespace

LavoroSalvato frmLumetra::StatoLavoro() {
    return composition::LavoroDi(ContestoFinestra(*this));
}

QStringList frmLumetra::ImpostaLavoro(const LavoroSalvato& lavoro) {
    QStringList problemi;
    const auto scegli = [](QComboBox* elenco, int codice) {
        elenco->setCurrentIndex(std::max(0, elenco->findData(codice)));
    };
    txtLayout_->setText(lavoro.layout);
    if (!lavoro.layout.isEmpty() && !modGenerale::objFileSystem->FileExists(lavoro.layout)) {
        problemi.append(QStringLiteral("il layout '%1' non esiste.").arg(Nativo(lavoro.layout)));
    }
    scegli(cmbCodiceArticoloEsterno_, lavoro.codiceEsterno);
    scegli(cmbCodiceArticoloInterno_, lavoro.codiceInterno);
    txtAltezzaCodiceArticolo_->setText(lavoro.altezza);
    dlgFont_->FontName = lavoro.nomeFont;
    dlgFont_->FontBold = lavoro.grassetto;
    dlgFont_->FontItalic = lavoro.corsivo;
    bool numero = false;
    const int copie = lavoro.copie.trimmed().toInt(&numero);
    updwnCopie_->setValue(numero ? std::clamp(copie, updwnCopie_->Min(), updwnCopie_->Max()) : 1);
    scegli(cmbAdattamento_, lavoro.adattamento);
    const QString listino = frmCatalogo_->Imposta(
        lavoro.listino, lavoro.chiave, lavoro.modelloEsterno, lavoro.modelloInterno, lavoro.barre);
    if (!listino.isEmpty()) {
        problemi.append(listino);
    }
    txtIndirizzo_->setText(lavoro.cartella);
    CaricaCartella(lavoro.cartella);
    if (!lavoro.cartella.isEmpty() && !modGenerale::objFileSystem->FolderExists(lavoro.cartella)) {
        problemi.append(
            QStringLiteral("la cartella '%1' non esiste.").arg(Nativo(lavoro.cartella)));
    }
    const QStringList mancanti = RipristinaCoda(lavoro.coda);
    if (!mancanti.isEmpty()) {
        problemi.append(ElencoMancanti(mancanti));
    }
    return problemi;
}

QStringList frmLumetra::RipristinaCoda(const QStringList& coda) {
    QHash<QString, int> righe;
    for (int riga = 0; riga < lvwFileModel_->Count(); ++riga) {
        righe.insert(lvwFileModel_->Text(riga), riga);
    }
    QStringList presenti;
    QStringList mancanti;
    QSet<QString> visti;
    for (const QString& nome : coda) {
        if (visti.contains(nome)) {
            continue;
        }
        visti.insert(nome);
        const auto riga = righe.constFind(nome);
        if (riga == righe.cend()) {
            mancanti.append(nome);
            continue;
        }
        lvwFileModel_->SetChecked(*riga, true);
        presenti.append(nome);
    }
    lvwFileModel_->TakeMarkedReversed();
    lvwSelezionatiModel_->AddAll(presenti);
    return mancanti;
}

void frmLumetra::cmdSalvaLavoro_Click() {
    platform::DialogHost::OpenRequest richiesta;
    richiesta.title = QStringLiteral("Salva lavoro");
    richiesta.filter = FiltroLavori;
    richiesta.defaultSuffix = EstensioneLavori;
    richiesta.fileName = NomeProposto(fileLavoro_, txtLayout_->text());
    richiesta.save = true;
    const std::optional<QString> scelto = servizi_.dialogHost->showOpen(richiesta);
    if (!scelto || scelto->isEmpty()) {
        return;
    }
    QString file = *scelto;
    if (QFileInfo(file).suffix().isEmpty()) {
        file += QLatin1Char('.') + EstensioneLavori;
    }
    const LavoroSalvato lavoro = StatoLavoro();
    runtime::FileWriteResult esito =
        composition::SalvaLavoro(file, lavoro, runtime::Replace::Never);
    if (esito.status == runtime::FileWriteResult::Status::Exists) {
        const int risposta = servizi_.messageBox->MsgBox(
            QStringLiteral("Il file '%1' esiste già.\nSostituirlo con questo lavoro?")
                .arg(Nativo(file)),
            runtime::vbOKCancel | runtime::vbQuestion, runtime::ApplicationTitle);
        if (risposta != runtime::vbOK) {
            return;
        }
        esito = composition::SalvaLavoro(file, lavoro, runtime::Replace::Allowed);
    }
    if (!esito.written()) {
        servizi_.messageBox->MsgBox(esito.message, runtime::vbExclamation,
                                    runtime::ApplicationTitle);
        return;
    }
    fileLavoro_ = file;
    ImpostaStato(QStringLiteral("Lavoro salvato in '%1'").arg(Nativo(file)));
}

void frmLumetra::cmdApriLavoro_Click() {
    platform::DialogHost::OpenRequest richiesta;
    richiesta.title = QStringLiteral("Apri lavoro");
    richiesta.filter = FiltroLavori;
    richiesta.defaultSuffix = EstensioneLavori;
    richiesta.fileName = fileLavoro_;
    richiesta.mustExist = true;
    const std::optional<QString> scelto = servizi_.dialogHost->showOpen(richiesta);
    if (!scelto || scelto->isEmpty()) {
        return;
    }
    LavoroSalvato lavoro;
    try {
        lavoro = composition::ApriLavoro(*scelto);
    } catch (const runtime::Error& e) {
        servizi_.messageBox->MsgBox(e.Description(), runtime::vbExclamation,
                                    runtime::ApplicationTitle);
        return;
    }
    QStringList problemi;
    {
        platform::BusyPointer busy;
        problemi = ImpostaLavoro(lavoro);
    }
    fileLavoro_ = *scelto;
    ImpostaStato(QStringLiteral("Lavoro aperto: '%1'").arg(Nativo(*scelto)));
    if (!problemi.isEmpty()) {
        servizi_.messageBox->MsgBox(
            QStringLiteral("Il lavoro '%1' è stato aperto, ma:\n\n- %2")
                .arg(QFileInfo(*scelto).fileName(), problemi.join(QStringLiteral("\n- "))),
            runtime::vbExclamation, runtime::ApplicationTitle);
    }
}

} // namespace lumetra::mainwindow
