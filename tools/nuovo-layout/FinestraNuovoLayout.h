#pragma once
// The window of lumetra-nuovo-layout: the choices of a catalogue grid or of a label sheet on
// the left, the live drawing of the page on the right, and the save button.

#include "LabelCatalogue.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTabWidget;

namespace lumetra::nuovolayout {

class AnteprimaLayout;
class PannelloEtichette;
class PannelloGriglia;

class FinestraNuovoLayout : public QWidget {
    Q_OBJECT
public:
    explicit FinestraNuovoLayout(layoutwriter::LabelCatalogue catalogo, QWidget* parent = nullptr);

    // The last file written, or the empty text.
    const QString& UltimoFile() const { return ultimoFile_; }

private:
    void Aggiorna();
    void Salva();

    QTabWidget* tabTipo_;
    PannelloGriglia* griglia_;
    PannelloEtichette* etichette_;
    AnteprimaLayout* anteprima_;
    QLabel* lblStato_;
    QPushButton* cmdSalva_;
    QString cartella_;
    QString ultimoFile_;
};

} // namespace lumetra::nuovolayout
