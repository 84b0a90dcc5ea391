#include "FinestraControllo.h"

#include "Application.h"
#include "FileNames.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <map>

namespace lumetra::mainwindow {

using composition::Controllo;
using composition::Rilievo;
using composition::RispostaControllo;
using composition::TipoRilievo;

namespace {

QTreeWidget* ElencoRilievi(const Controllo& controllo, QWidget* parent) {
    auto* elenco = new QTreeWidget(parent);
    elenco->setObjectName(QStringLiteral("trvRilievi"));
    elenco->setHeaderHidden(true);
    elenco->setRootIsDecorated(true);
    elenco->setWordWrap(true);
    std::map<TipoRilievo, std::vector<const Rilievo*>> perTipo;
    for (const Rilievo& rilievo : controllo.rilievi) {
        perTipo[rilievo.tipo].push_back(&rilievo);
    }
    for (const auto& [tipo, rilievi] : perTipo) {
        auto* gruppo = new QTreeWidgetItem(
            elenco, {QStringLiteral("%1 (%2)").arg(TitoloTipo(tipo)).arg(rilievi.size())});
        QFont grassetto = gruppo->font(0);
        grassetto.setBold(true);
        gruppo->setFont(0, grassetto);
        for (const Rilievo* rilievo : rilievi) {
            const QString testo =
                QStringLiteral("'%1': %2").arg(runtime::shownName(rilievo->file), rilievo->testo);
            auto* voce = new QTreeWidgetItem(gruppo, {testo});
            voce->setToolTip(0, testo);
        }
        gruppo->setExpanded(true);
    }
    return elenco;
}

} // namespace

FinestraControllo::FinestraControllo(const Controllo& controllo, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmControllo"));
    setWindowTitle(runtime::ApplicationTitle + QStringLiteral(" - Controllo prima della stampa"));
    setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(this);
    auto* intestazione =
        new QLabel(controllo.rilievi.size() == 1
                       ? QStringLiteral("Il controllo prima della stampa ha trovato un problema:")
                       : QStringLiteral("Il controllo prima della stampa ha trovato %1 problemi:")
                             .arg(controllo.rilievi.size()),
                   this);
    layout->addWidget(intestazione);
    layout->addWidget(ElencoRilievi(controllo, this), 1);
    auto* riepilogo = new QLabel(controllo.riepilogo.Testo(), this);
    riepilogo->setObjectName(QStringLiteral("lblRiepilogo"));
    riepilogo->setWordWrap(true);
    layout->addWidget(riepilogo);
    if (controllo.HaDanneggiate()) {
        chkSaltaDanneggiate_ = new QCheckBox(
            QStringLiteral("Non stampare le immagini danneggiate (le immagini che seguono "
                           "prendono il loro posto)"),
            this);
        chkSaltaDanneggiate_->setObjectName(QStringLiteral("chkSaltaDanneggiate"));
        chkSaltaDanneggiate_->setChecked(true);
        layout->addWidget(chkSaltaDanneggiate_);
    }
    auto* pulsanti = new QDialogButtonBox(this);
    auto* prosegui = pulsanti->addButton(QStringLiteral("Prosegui"), QDialogButtonBox::AcceptRole);
    prosegui->setObjectName(QStringLiteral("cmdProsegui"));
    prosegui->setDefault(true);
    auto* annulla = pulsanti->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    annulla->setObjectName(QStringLiteral("cmdAnnulla"));
    connect(pulsanti, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(pulsanti);
    resize(640, 420);
}

RispostaControllo FinestraControllo::Chiedi(const Controllo& controllo, QWidget* parent) {
    FinestraControllo finestra(controllo, parent);
    if (finestra.exec() != QDialog::Accepted) {
        return RispostaControllo::Annulla;
    }
    if (finestra.chkSaltaDanneggiate_ && finestra.chkSaltaDanneggiate_->isChecked()) {
        return RispostaControllo::SaltaDanneggiate;
    }
    return RispostaControllo::Prosegui;
}

} // namespace lumetra::mainwindow
