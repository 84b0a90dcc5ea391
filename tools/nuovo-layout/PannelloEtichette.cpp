#include "PannelloEtichette.h"

#include "CampiCodice.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace lumetra::nuovolayout {
namespace {

constexpr int IndiceFoglio = Qt::UserRole;

} // namespace

PannelloEtichette::PannelloEtichette(layoutwriter::LabelCatalogue catalogo, QWidget* parent)
    : QWidget(parent), catalogo_(std::move(catalogo)) {
    setObjectName(QStringLiteral("fraEtichette"));
    txtCerca_ = new QLineEdit;
    txtCerca_->setObjectName(QStringLiteral("txtCerca"));
    txtCerca_->setPlaceholderText(QStringLiteral("Cerca: marca, codice, formato (es. avery a4)"));
    txtCerca_->setClearButtonEnabled(true);
    lstFogli_ = new QListWidget;
    lstFogli_->setObjectName(QStringLiteral("lstFogli"));
    lstFogli_->setUniformItemSizes(true);
    lblFoglio_ = new QLabel;
    lblFoglio_->setObjectName(QStringLiteral("lblFoglio"));
    lblFoglio_->setWordWrap(true);
    auto* nota =
        new QLabel(QStringLiteral("Le etichette rotonde e i CD/DVD diventano il quadrato che le "
                                  "contiene; con lo spazio per il codice, il quadrato inscritto."));
    nota->setWordWrap(true);

    auto* colonna = new QVBoxLayout(this);
    colonna->addWidget(txtCerca_);
    colonna->addWidget(lstFogli_, 1);
    colonna->addWidget(lblFoglio_);
    colonna->addWidget(nota);
    auto* modulo = new QFormLayout;
    colonna->addLayout(modulo);
    codice_ = new CampiCodice(modulo, this);
    connect(codice_, &CampiCodice::Cambiato, this, &PannelloEtichette::Cambiato);

    if (catalogo_.isEmpty()) {
        txtCerca_->setEnabled(false);
        lstFogli_->setEnabled(false);
        lblFoglio_->setText(catalogo_.problem());
        return;
    }
    connect(txtCerca_, &QLineEdit::textChanged, this, &PannelloEtichette::Filtra);
    connect(lstFogli_, &QListWidget::currentRowChanged, this, [this] {
        const layoutwriter::LabelSheet* foglio = Foglio();
        lblFoglio_->setText(foglio ? foglio->summary() : QString());
        emit Cambiato();
    });
    Filtra();
}

void PannelloEtichette::Filtra() {
    const QString scelto = Foglio() ? Foglio()->name() : QString();
    const QSignalBlocker blocco(lstFogli_);
    lstFogli_->clear();
    const auto& tutti = catalogo_.sheets();
    int corrente = -1;
    for (const layoutwriter::LabelSheet* foglio : catalogo_.matching(txtCerca_->text())) {
        QString testo = foglio->name();
        if (!foglio->description.isEmpty()) {
            testo += QStringLiteral(" - ") + foglio->description;
        }
        auto* voce = new QListWidgetItem(testo, lstFogli_);
        voce->setData(IndiceFoglio, static_cast<int>(foglio - tutti.data()));
        if (foglio->name() == scelto) {
            corrente = lstFogli_->count() - 1;
        }
    }
    lstFogli_->setCurrentRow(corrente >= 0 ? corrente : (lstFogli_->count() > 0 ? 0 : -1));
    const layoutwriter::LabelSheet* foglio = Foglio();
    lblFoglio_->setText(foglio ? foglio->summary()
                               : QStringLiteral("Nessun foglio corrisponde alla ricerca."));
    emit Cambiato();
}

const layoutwriter::LabelSheet* PannelloEtichette::Foglio() const {
    const QListWidgetItem* voce = lstFogli_->currentItem();
    if (!voce) {
        return nullptr;
    }
    const int indice = voce->data(IndiceFoglio).toInt();
    const auto& tutti = catalogo_.sheets();
    return indice >= 0 && indice < static_cast<int>(tutti.size()) ? &tutti[std::size_t(indice)]
                                                                  : nullptr;
}

layoutwriter::CaptionRoom PannelloEtichette::SpazioCodice() const {
    return codice_->Spazio();
}

QString PannelloEtichette::NomeProposto() const {
    const layoutwriter::LabelSheet* foglio = Foglio();
    if (!foglio) {
        return QStringLiteral("etichette");
    }
    QString nome = foglio->name();
    nome.replace(QLatin1Char(' '), QLatin1Char('-'));
    nome.replace(QLatin1Char('/'), QLatin1Char('-'));
    return nome;
}

} // namespace lumetra::nuovolayout
