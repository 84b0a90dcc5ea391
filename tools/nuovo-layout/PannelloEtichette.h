#pragma once
// The choice of a label sheet from the template database, with a search field, and the room
// for the article code inside each label.

#include "LabelCatalogue.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;

namespace lumetra::nuovolayout {

class CampiCodice;

class PannelloEtichette : public QWidget {
    Q_OBJECT
public:
    explicit PannelloEtichette(layoutwriter::LabelCatalogue catalogo, QWidget* parent = nullptr);

    // The chosen sheet, or nullptr.
    const layoutwriter::LabelSheet* Foglio() const;
    // The room kept in each label for the article code.
    layoutwriter::CaptionRoom SpazioCodice() const;
    // Why no sheet can be chosen (the database is missing), or the empty text.
    QString Problema() const { return catalogo_.problem(); }
    // "Avery-L7163": the name proposed for the file.
    QString NomeProposto() const;

signals:
    void Cambiato();

private:
    void Filtra();

    layoutwriter::LabelCatalogue catalogo_;
    QLineEdit* txtCerca_;
    QListWidget* lstFogli_;
    QLabel* lblFoglio_;
    CampiCodice* codice_;
};

} // namespace lumetra::nuovolayout
