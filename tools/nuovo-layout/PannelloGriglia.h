#pragma once
// The choices of a catalogue grid: page, orientation, rows, columns, margins, spacing, title,
// room for the article code.

#include "GridLayout.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;

namespace lumetra::nuovolayout {

class CampiCodice;

class PannelloGriglia : public QWidget {
    Q_OBJECT
public:
    explicit PannelloGriglia(QWidget* parent = nullptr);

    layoutwriter::GridOptions Opzioni() const;
    // "griglia-4x3": the name proposed for the file.
    QString NomeProposto() const;

signals:
    void Cambiato();

private:
    void AggiornaPagina();

    QComboBox* cboPagina_;
    QDoubleSpinBox* txtLarghezza_;
    QDoubleSpinBox* txtAltezza_;
    QCheckBox* chkOrizzontale_;
    QSpinBox* txtRighe_;
    QSpinBox* txtColonne_;
    QDoubleSpinBox* txtMargini_;
    QDoubleSpinBox* txtSpazio_;
    QLineEdit* txtTitolo_;
    CampiCodice* codice_;
};

} // namespace lumetra::nuovolayout
