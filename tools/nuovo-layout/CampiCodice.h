#pragma once
// The room for the article code that both panels offer: its height in centimetres (0: none) and
// whether it is kept below or above each rectangle.

#include "CaptionRoom.h"

#include <QObject>

class QComboBox;
class QDoubleSpinBox;
class QFormLayout;

namespace lumetra::nuovolayout {

class CampiCodice : public QObject {
    Q_OBJECT
public:
    // Adds its two rows at the end of `modulo`.
    CampiCodice(QFormLayout* modulo, QObject* parent);

    layoutwriter::CaptionRoom Spazio() const;

signals:
    void Cambiato();

private:
    QDoubleSpinBox* txtSpazioCodice_;
    QComboBox* cboPosizioneCodice_;
};

} // namespace lumetra::nuovolayout
