#include "CampiCodice.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>

namespace lumetra::nuovolayout {

CampiCodice::CampiCodice(QFormLayout* modulo, QObject* parent) : QObject(parent) {
    txtSpazioCodice_ = new QDoubleSpinBox;
    txtSpazioCodice_->setObjectName(QStringLiteral("txtSpazioCodice"));
    txtSpazioCodice_->setRange(0, 50);
    txtSpazioCodice_->setDecimals(2);
    txtSpazioCodice_->setSingleStep(0.1);
    txtSpazioCodice_->setValue(0);
    txtSpazioCodice_->setToolTip(QStringLiteral("L'altezza del codice articolo (e del codice a "
                                                "barre) sopra o sotto ogni immagine: 0 per "
                                                "nessuno."));
    cboPosizioneCodice_ = new QComboBox;
    cboPosizioneCodice_->setObjectName(QStringLiteral("cboPosizioneCodice"));
    cboPosizioneCodice_->addItem(QStringLiteral("Sotto"),
                                 static_cast<int>(layoutwriter::CaptionSide::Below));
    cboPosizioneCodice_->addItem(QStringLiteral("Sopra"),
                                 static_cast<int>(layoutwriter::CaptionSide::Above));
    cboPosizioneCodice_->setEnabled(false);
    modulo->addRow(QStringLiteral("Spazio per il c&odice (cm):"), txtSpazioCodice_);
    modulo->addRow(QStringLiteral("Posi&zione del codice:"), cboPosizioneCodice_);

    connect(txtSpazioCodice_, &QDoubleSpinBox::valueChanged, this, [this](double valore) {
        cboPosizioneCodice_->setEnabled(valore > 0);
        emit Cambiato();
    });
    connect(cboPosizioneCodice_, &QComboBox::currentIndexChanged, this, &CampiCodice::Cambiato);
}

layoutwriter::CaptionRoom CampiCodice::Spazio() const {
    layoutwriter::CaptionRoom spazio;
    spazio.heightMm = txtSpazioCodice_->value() * 10;
    spazio.side =
        static_cast<layoutwriter::CaptionSide>(cboPosizioneCodice_->currentData().toInt());
    return spazio;
}

} // namespace lumetra::nuovolayout
