#include "FinestraNuovoLayout.h"

#include "AnteprimaLayout.h"
#include "GridLayout.h"
#include "Measures.h"
#include "PannelloEtichette.h"
#include "PannelloGriglia.h"
#include "SalvaLayout.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace lumetra::nuovolayout {

FinestraNuovoLayout::FinestraNuovoLayout(layoutwriter::LabelCatalogue catalogo, QWidget* parent)
    : QWidget(parent), cartella_(QDir::homePath()) {
    setObjectName(QStringLiteral("frmNuovoLayout"));
    setWindowTitle(QStringLiteral("Lumetra - Nuovo layout"));
    resize(900, 640);

    tabTipo_ = new QTabWidget;
    tabTipo_->setObjectName(QStringLiteral("tabTipo"));
    griglia_ = new PannelloGriglia;
    etichette_ = new PannelloEtichette(std::move(catalogo));
    tabTipo_->addTab(griglia_, QStringLiteral("&Griglia per catalogo"));
    tabTipo_->addTab(etichette_, QStringLiteral("&Foglio di etichette"));
    anteprima_ = new AnteprimaLayout;
    lblStato_ = new QLabel;
    lblStato_->setObjectName(QStringLiteral("lblStato"));
    lblStato_->setWordWrap(true);
    cmdSalva_ = new QPushButton(QStringLiteral("&Salva..."));
    cmdSalva_->setObjectName(QStringLiteral("cmdSalva"));
    cmdSalva_->setDefault(true);
    auto* cmdChiudi = new QPushButton(QStringLiteral("&Chiudi"));
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));

    auto* sinistra = new QVBoxLayout;
    sinistra->addWidget(tabTipo_, 1);
    sinistra->addWidget(lblStato_);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch(1);
    pulsanti->addWidget(cmdSalva_);
    pulsanti->addWidget(cmdChiudi);
    sinistra->addLayout(pulsanti);
    auto* tutto = new QHBoxLayout(this);
    tutto->addLayout(sinistra, 0);
    tutto->addWidget(anteprima_, 1);

    connect(tabTipo_, &QTabWidget::currentChanged, this, &FinestraNuovoLayout::Aggiorna);
    connect(griglia_, &PannelloGriglia::Cambiato, this, &FinestraNuovoLayout::Aggiorna);
    connect(etichette_, &PannelloEtichette::Cambiato, this, &FinestraNuovoLayout::Aggiorna);
    connect(cmdSalva_, &QPushButton::clicked, this, &FinestraNuovoLayout::Salva);
    connect(cmdChiudi, &QPushButton::clicked, this, &QWidget::close);
    Aggiorna();
}

void FinestraNuovoLayout::Aggiorna() {
    using layoutwriter::formatMm;
    using layoutwriter::pointsToMm;
    std::optional<layoutwriter::LayoutPlan> piano;
    QString stato;
    if (tabTipo_->currentWidget() == griglia_) {
        layoutwriter::GridResult griglia = layoutwriter::planGrid(griglia_->Opzioni());
        piano = std::move(griglia.plan);
        stato = griglia.error;
    } else if (const layoutwriter::LabelSheet* foglio = etichette_->Foglio()) {
        layoutwriter::PlanResult etichette = foglio->plan(etichette_->SpazioCodice());
        piano = std::move(etichette.plan);
        stato = etichette.error;
    } else {
        stato = etichette_->Problema().isEmpty()
                    ? QStringLiteral("Scegliere un foglio di etichette.")
                    : etichette_->Problema();
    }
    if (piano) {
        const layoutwriter::LayoutPlan& p = *piano;
        const QSizeF primo = p.rectangles.empty() ? QSizeF() : p.rectangles.front().size();
        stato = QStringLiteral("Pagina %1 x %2 mm, %3 rettangoli di %4 x %5 mm.")
                    .arg(formatMm(pointsToMm(p.pageWidth)), formatMm(pointsToMm(p.pageHeight)))
                    .arg(p.rectangles.size())
                    .arg(formatMm(pointsToMm(primo.width())), formatMm(pointsToMm(primo.height())));
        anteprima_->MostraPiano(p);
    } else {
        anteprima_->MostraErrore(stato);
    }
    lblStato_->setText(stato);
    cmdSalva_->setEnabled(piano.has_value());
}

void FinestraNuovoLayout::Salva() {
    const std::optional<layoutwriter::LayoutPlan>& piano = anteprima_->Piano();
    if (!piano) {
        return;
    }
    const QString nome = tabTipo_->currentWidget() == griglia_ ? griglia_->NomeProposto()
                                                               : etichette_->NomeProposto();
    const QString scritto = SalvaLayout(this, *piano, cartella_, nome);
    if (scritto.isEmpty()) {
        return;
    }
    ultimoFile_ = scritto;
    cartella_ = QFileInfo(scritto).absolutePath();
    lblStato_->setText(
        QStringLiteral("Layout salvato in '%1'.").arg(QDir::toNativeSeparators(scritto)));
}

} // namespace lumetra::nuovolayout
