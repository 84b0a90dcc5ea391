#include "ContestoFinestra.h"

#include "FinestraControllo.h"

#include "FileListModel.h"
#include "FileNames.h"
#include "FinestraCatalogo.h"
#include "MessageBox.h"
#include "MousePointer.h"
#include "frmLumetra.h"
#include "modGenerale.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

#include <cmath>

namespace lumetra::mainwindow {

namespace {

int codiceScelto(const QComboBox* combo) {
    return combo->currentIndex() < 0 ? 0 : combo->currentData().toInt();
}

// The window keeps painting while a job runs on its thread, and takes no input meanwhile.
void mostraSubito(QWidget* widget) {
    widget->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

QString ContestoFinestra::TestoLayout() const {
    return f_.txtLayout_->text();
}
QString ContestoFinestra::TestoIndirizzo() const {
    return f_.txtIndirizzo_->text();
}
int ContestoFinestra::NumeroSelezionati() const {
    return f_.lvwSelezionatiModel_->Count();
}
QString ContestoFinestra::TestoSelezionato(int indice) const {
    return f_.lvwSelezionatiModel_->Text(indice - 1);
}
int ContestoFinestra::CodiceArticoloEsterno() const {
    return codiceScelto(f_.cmbCodiceArticoloEsterno_);
}
int ContestoFinestra::Adattamento() const {
    return codiceScelto(f_.cmbAdattamento_);
}
QString ContestoFinestra::TestoListino() const {
    return f_.frmCatalogo_->Listino();
}
QString ContestoFinestra::ColonnaChiave() const {
    return f_.frmCatalogo_->Chiave();
}
QString ContestoFinestra::ModelloTestoEsterno() const {
    return f_.frmCatalogo_->ModelloEsterno();
}
QString ContestoFinestra::ModelloTestoInterno() const {
    return f_.frmCatalogo_->ModelloInterno();
}
composition::ImpostazioniBarre ContestoFinestra::Barre() const {
    return f_.frmCatalogo_->Barre();
}
composition::RispostaControllo
ContestoFinestra::ControlloPrimaDellaStampa(const composition::Controllo& controllo) {
    // No finding, no question: the job goes on as it always did.
    if (!controllo.HaRilievi()) {
        return composition::RispostaControllo::Prosegui;
    }
    return FinestraControllo::Chiedi(controllo, &f_);
}
int ContestoFinestra::CodiceArticoloInterno() const {
    return codiceScelto(f_.cmbCodiceArticoloInterno_);
}
QString ContestoFinestra::TestoAltezzaCodiceArticolo() const {
    return f_.txtAltezzaCodiceArticolo_->text();
}
QString ContestoFinestra::NomeFont() const {
    return f_.dlgFont_->FontName;
}
bool ContestoFinestra::FontGrassetto() const {
    return f_.dlgFont_->FontBold;
}
bool ContestoFinestra::FontCorsivo() const {
    return f_.dlgFont_->FontItalic;
}
QString ContestoFinestra::TestoCopie() const {
    return f_.txtCopie_->text();
}

void ContestoFinestra::ImpostaInformazioni(const QString& testo) {
    f_.lblInformazioni_->setText(runtime::shownName(testo));
    mostraSubito(f_.lblInformazioni_);
}

void ContestoFinestra::ImpostaMinimoProgresso(float minimo) {
    f_.prgBar_->setMinimum(static_cast<int>(std::lround(minimo)));
}
void ContestoFinestra::ImpostaMassimoProgresso(float massimo) {
    f_.prgBar_->setMaximum(static_cast<int>(std::lround(massimo)));
}
float ContestoFinestra::MassimoProgresso() const {
    return static_cast<float>(f_.prgBar_->maximum());
}
void ContestoFinestra::ImpostaValoreProgresso(float valore) {
    f_.prgBar_->setValue(static_cast<int>(std::lround(valore)));
    mostraSubito(f_.prgBar_);
}
void ContestoFinestra::ImpostaProgressoVisibile(bool visibile) {
    f_.prgBar_->setVisible(visibile);
}

void ContestoFinestra::ImmagineDanneggiata(const QString& nome, const QString& motivo) {
    danneggiate_.append(QStringLiteral("'%1': %2").arg(runtime::shownName(nome), motivo));
}

void ContestoFinestra::MostraImmaginiDanneggiate() {
    if (danneggiate_.isEmpty()) {
        return;
    }
    const QString messaggio =
        (danneggiate_.size() == 1
             ? QStringLiteral("Un'immagine inserita è danneggiata: è stata inserita la parte "
                              "leggibile.\n\n")
             : QStringLiteral("Alcune immagini inserite sono danneggiate: è stata inserita la "
                              "parte leggibile.\n\n")) +
        danneggiate_.join(QLatin1Char('\n'));
    danneggiate_.clear();
    MsgBox(messaggio, runtime::vbExclamation, runtime::ApplicationTitle);
}

int ContestoFinestra::MsgBox(const QString& messaggio, int stile, const QString& titolo) {
    // Names in the message that are not UTF-8 are shown as the characters they most likely are.
    return f_.servizi_.messageBox->MsgBox(runtime::shownName(messaggio), stile, titolo);
}

std::shared_ptr<Publisher::Application> ContestoFinestra::CreaApplicazione() {
    if (!f_.servizi_.creaPublisher) {
        throw Publisher::Error(429, QStringLiteral("Il motore di composizione non è disponibile"));
    }
    return f_.servizi_.creaPublisher();
}

void ContestoFinestra::RimuoviSelezionato(int indice) {
    f_.lvwSelezionatiModel_->Remove(indice - 1);
}
int ContestoFinestra::StatoAnteprima() const {
    switch (f_.chkAnteprima_->checkState()) {
    case Qt::Checked:
        return runtime::vbChecked;
    case Qt::PartiallyChecked:
        return runtime::vbGrayed;
    default:
        return runtime::vbUnchecked;
    }
}
void ContestoFinestra::SpostaStampati() {
    f_.SpostaStampati();
}
bool ContestoFinestra::FileExists(const QString& percorso) const {
    return modGenerale::objFileSystem->FileExists(percorso);
}
void ContestoFinestra::ImpostaPuntatore(int puntatore) {
    platform::Screen::SetMousePointer(puntatore);
}

} // namespace lumetra::mainwindow
