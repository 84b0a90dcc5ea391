#pragma once
// The job's catalogue settings, in a small window of their own ("Catalogo..."): the price list
// and its key column, the two captions' text models and the barcode. Its controls hold the
// settings the print job reads, whether the window is shown or not; closing it keeps them. The
// list is read only for its columns, when it is chosen.

#include "DialogHost.h"
#include "ImpostazioniCatalogo.h"
#include "MessageBox.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lumetra::mainwindow {

class FinestraCatalogo : public QDialog {
    Q_OBJECT
public:
    FinestraCatalogo(std::shared_ptr<platform::MessageBox> messaggi,
                     std::shared_ptr<platform::DialogHost> dialoghi, QWidget* parent);

    QString Listino() const;
    QString Chiave() const; // empty: the first column named like an article code
    QString ModelloEsterno() const;
    QString ModelloInterno() const;
    composition::ImpostazioniBarre Barre() const;

    // Sets every control, the list's columns read again. Gives the list's Italian message when it
    // cannot be read; every setting stays as given all the same.
    QString Imposta(const QString& listino, const QString& chiave, const QString& esterno,
                    const QString& interno, const composition::ImpostazioniBarre& barre);

    // The "..." button: chooses a list and reads its columns. A list that cannot be read is
    // named in a message and changes nothing.
    void cmdListino_Click();
    void cmdTogliListino_Click();

signals:
    // The external caption's model or the barcode changed (the room they take on the page).
    void ingombroCambiato();

private:
    QWidget* creaListino();
    QWidget* creaDidascalie();
    QWidget* creaBarre();
    void allineaEtichette();
    // Reads the list's columns; on success they fill the column lists and the key shown becomes
    // the one the list is read by. Gives the Italian message of a failure.
    QString caricaColonne(const QString& listino);
    void mostraColonne(const QStringList& colonne, const QString& chiave);
    void aggiornaBarre();

    std::shared_ptr<platform::MessageBox> messaggi_;
    std::shared_ptr<platform::DialogHost> dialoghi_;

    QLineEdit* txtListino_ = nullptr;
    QPushButton* cmdListino_ = nullptr;
    QPushButton* cmdTogliListino_ = nullptr;
    QComboBox* cmbChiave_ = nullptr;
    QLineEdit* txtTestoEsterno_ = nullptr;
    QLineEdit* txtTestoInterno_ = nullptr;
    QLabel* lblCampi_ = nullptr;
    QComboBox* cmbBarre_ = nullptr;
    QComboBox* cmbColonnaBarre_ = nullptr;
    QComboBox* cmbPosizioneBarre_ = nullptr;
    QLineEdit* txtAltezzaBarre_ = nullptr;
};

} // namespace lumetra::mainwindow
