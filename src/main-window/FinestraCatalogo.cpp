#include "FinestraCatalogo.h"

#include "Application.h"
#include "Error.h"
#include "PriceList.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>

namespace lumetra::mainwindow {

using composition::ImpostazioniBarre;
using composition::TipoBarre;

namespace {

const QString ModelloPredefinito = QStringLiteral("{codice}");

QLineEdit* creaCampo(const QString& nome, const QString& testo, QWidget* parent) {
    auto* campo = new QLineEdit(testo, parent);
    campo->setObjectName(nome);
    return campo;
}

QPushButton* creaPulsante(const QString& nome, const QString& testo, QWidget* parent) {
    auto* pulsante = new QPushButton(testo, parent);
    pulsante->setObjectName(nome);
    pulsante->setAutoDefault(false);
    return pulsante;
}

// An editable list of columns: a name the list does not have (yet) can be typed and is kept.
QComboBox* creaColonne(const QString& nome, const QString& suggerimento, QWidget* parent) {
    auto* elenco = new QComboBox(parent);
    elenco->setObjectName(nome);
    elenco->setEditable(true);
    elenco->setInsertPolicy(QComboBox::NoInsert);
    elenco->lineEdit()->setPlaceholderText(suggerimento);
    elenco->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    elenco->setMinimumContentsLength(14);
    return elenco;
}

QComboBox* creaScelte(const QString& nome, const std::vector<std::pair<QString, int>>& voci,
                      QWidget* parent) {
    auto* elenco = new QComboBox(parent);
    elenco->setObjectName(nome);
    for (const auto& [testo, codice] : voci) {
        elenco->addItem(testo, codice);
    }
    return elenco;
}

// Shows `testo`: the entry of that name when the list has one, else the text as typed.
void scegliTesto(QComboBox* elenco, const QString& testo) {
    const int indice = elenco->findText(testo, Qt::MatchFixedString);
    if (indice >= 0) {
        elenco->setCurrentIndex(indice);
    }
    elenco->setEditText(indice >= 0 ? elenco->itemText(indice) : testo);
}

QString TestoCampi(const QStringList& colonne) {
    QStringList campi{ModelloPredefinito};
    for (const QString& colonna : colonne) {
        campi.append(QLatin1Char('{') + colonna + QLatin1Char('}'));
    }
    return QStringLiteral("Campi: %1. I caratteri \\n vanno a capo.")
        .arg(campi.join(QStringLiteral(" ")));
}

std::optional<catalogue::PriceList> leggiListino(const QString& file, const QString& chiave,
                                                 QString& errore) {
    try {
        return catalogue::PriceList::read(file, chiave);
    } catch (const runtime::Error& e) {
        errore = e.Description();
    }
    return std::nullopt;
}

} // namespace

FinestraCatalogo::FinestraCatalogo(std::shared_ptr<platform::MessageBox> messaggi,
                                   std::shared_ptr<platform::DialogHost> dialoghi, QWidget* parent)
    : QDialog(parent), messaggi_(std::move(messaggi)), dialoghi_(std::move(dialoghi)) {
    setObjectName(QStringLiteral("frmCatalogo"));
    setWindowTitle(runtime::ApplicationTitle + QStringLiteral(" - Catalogo"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(creaListino());
    layout->addWidget(creaDidascalie());
    layout->addWidget(creaBarre());
    auto* pulsanti = new QDialogButtonBox(this);
    QPushButton* chiudi =
        pulsanti->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole);
    chiudi->setObjectName(QStringLiteral("cmdChiudi"));
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(pulsanti);
    allineaEtichette();
    aggiornaBarre();
}

void FinestraCatalogo::allineaEtichette() {
    // One column of captions down the three groups.
    const QList<QFormLayout*> forme = findChildren<QFormLayout*>();
    int larghezza = 0;
    for (int giro = 0; giro < 2; ++giro) {
        for (QFormLayout* forma : forme) {
            for (int riga = 0; riga < forma->rowCount(); ++riga) {
                QLayoutItem* voce = forma->itemAt(riga, QFormLayout::LabelRole);
                QWidget* etichetta = voce != nullptr ? voce->widget() : nullptr;
                if (etichetta != nullptr && giro == 0) {
                    larghezza = std::max(larghezza, etichetta->sizeHint().width());
                } else if (etichetta != nullptr) {
                    etichetta->setMinimumWidth(larghezza);
                }
            }
        }
    }
}

QWidget* FinestraCatalogo::creaListino() {
    auto* gruppo = new QGroupBox(QStringLiteral("Listino"), this);
    auto* forma = new QFormLayout(gruppo);
    txtListino_ = creaCampo(QStringLiteral("txtListino"), QString(), gruppo);
    txtListino_->setReadOnly(true);
    txtListino_->setPlaceholderText(QStringLiteral("Nessun listino"));
    txtListino_->setMinimumWidth(260);
    cmdListino_ = creaPulsante(QStringLiteral("cmdListino"), QStringLiteral("..."), gruppo);
    cmdListino_->setToolTip(QStringLiteral("Scegli il listino (CSV, XLSX o ODS)"));
    cmdListino_->setFixedWidth(cmdListino_->sizeHint().height() * 3 / 2);
    cmdTogliListino_ =
        creaPulsante(QStringLiteral("cmdTogliListino"), QStringLiteral("Togli"), gruppo);
    cmdTogliListino_->setToolTip(QStringLiteral("Stampa senza listino"));
    auto* riga = new QHBoxLayout;
    riga->addWidget(txtListino_, 1);
    riga->addWidget(cmdListino_);
    riga->addWidget(cmdTogliListino_);
    forma->addRow(QStringLiteral("File"), riga);
    cmbChiave_ =
        creaColonne(QStringLiteral("cmbChiave"), QStringLiteral("codice, articolo o code"), gruppo);
    cmbChiave_->setToolTip(QStringLiteral("La colonna del listino che riporta il codice articolo "
                                          "(il nome dei file delle immagini)"));
    forma->addRow(QStringLiteral("Colonna del codice"), cmbChiave_);
    connect(cmdListino_, &QPushButton::clicked, this, [this] { cmdListino_Click(); });
    connect(cmdTogliListino_, &QPushButton::clicked, this, [this] { cmdTogliListino_Click(); });
    return gruppo;
}

QWidget* FinestraCatalogo::creaDidascalie() {
    auto* gruppo = new QGroupBox(QStringLiteral("Testo delle didascalie"), this);
    auto* forma = new QFormLayout(gruppo);
    const QString spiegazione =
        QStringLiteral("{codice}: il codice articolo; {COLONNA}: quella colonna del listino; "
                       "\\n: a capo");
    txtTestoEsterno_ = creaCampo(QStringLiteral("txtTestoEsterno"), ModelloPredefinito, gruppo);
    txtTestoEsterno_->setToolTip(QStringLiteral("La didascalia sopra o sotto l'immagine.\n") +
                                 spiegazione);
    forma->addRow(QStringLiteral("Esterna"), txtTestoEsterno_);
    txtTestoInterno_ = creaCampo(QStringLiteral("txtTestoInterno"), ModelloPredefinito, gruppo);
    txtTestoInterno_->setToolTip(QStringLiteral("La didascalia nell'angolo dell'immagine.\n") +
                                 spiegazione);
    forma->addRow(QStringLiteral("Interna"), txtTestoInterno_);
    lblCampi_ = new QLabel(TestoCampi({}), gruppo);
    lblCampi_->setObjectName(QStringLiteral("lblCampi"));
    lblCampi_->setWordWrap(true);
    lblCampi_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    forma->addRow(lblCampi_);
    connect(txtTestoEsterno_, &QLineEdit::textChanged, this, &FinestraCatalogo::ingombroCambiato);
    return gruppo;
}

QWidget* FinestraCatalogo::creaBarre() {
    auto* gruppo = new QGroupBox(QStringLiteral("Codice a barre"), this);
    auto* forma = new QFormLayout(gruppo);
    cmbBarre_ =
        creaScelte(QStringLiteral("cmbBarre"),
                   {{QStringLiteral("Nessuno"), static_cast<int>(TipoBarre::Nessuno)},
                    {QStringLiteral("Code 128 del codice"), static_cast<int>(TipoBarre::Code128)},
                    {QStringLiteral("EAN-13 da colonna"), static_cast<int>(TipoBarre::Ean13)}},
                   gruppo);
    cmbColonnaBarre_ = creaColonne(QStringLiteral("cmbColonnaBarre"),
                                   QStringLiteral("colonna del listino"), gruppo);
    auto* tipo = new QHBoxLayout;
    tipo->addWidget(cmbBarre_);
    tipo->addWidget(cmbColonnaBarre_, 1);
    forma->addRow(QStringLiteral("Tipo"), tipo);
    cmbPosizioneBarre_ =
        creaScelte(QStringLiteral("cmbPosizioneBarre"),
                   {{QStringLiteral("Sopra"), 1}, {QStringLiteral("Sotto"), 2}}, gruppo);
    cmbPosizioneBarre_->setCurrentIndex(1);
    txtAltezzaBarre_ =
        creaCampo(QStringLiteral("txtAltezzaBarre"), ImpostazioniBarre().altezza, gruppo);
    txtAltezzaBarre_->setMaxLength(4);
    txtAltezzaBarre_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    txtAltezzaBarre_->setFixedWidth(
        txtAltezzaBarre_->fontMetrics().horizontalAdvance(QStringLiteral("00,00")) + 16);
    auto* posto = new QHBoxLayout;
    posto->addWidget(cmbPosizioneBarre_);
    posto->addSpacing(12);
    posto->addWidget(new QLabel(QStringLiteral("Altezza cm"), gruppo));
    posto->addWidget(txtAltezzaBarre_);
    posto->addStretch(1);
    forma->addRow(QStringLiteral("Posizione"), posto);
    connect(cmbBarre_, &QComboBox::currentIndexChanged, this, [this] {
        aggiornaBarre();
        emit ingombroCambiato();
    });
    connect(cmbPosizioneBarre_, &QComboBox::currentIndexChanged, this,
            &FinestraCatalogo::ingombroCambiato);
    connect(txtAltezzaBarre_, &QLineEdit::textChanged, this, &FinestraCatalogo::ingombroCambiato);
    return gruppo;
}

void FinestraCatalogo::aggiornaBarre() {
    const auto tipo = static_cast<TipoBarre>(cmbBarre_->currentData().toInt());
    cmbColonnaBarre_->setEnabled(tipo == TipoBarre::Ean13);
    cmbPosizioneBarre_->setEnabled(tipo != TipoBarre::Nessuno);
    txtAltezzaBarre_->setEnabled(tipo != TipoBarre::Nessuno);
}

QString FinestraCatalogo::Listino() const {
    return txtListino_->text();
}
QString FinestraCatalogo::Chiave() const {
    return cmbChiave_->currentText().trimmed();
}
QString FinestraCatalogo::ModelloEsterno() const {
    return txtTestoEsterno_->text();
}
QString FinestraCatalogo::ModelloInterno() const {
    return txtTestoInterno_->text();
}

ImpostazioniBarre FinestraCatalogo::Barre() const {
    ImpostazioniBarre barre;
    barre.tipo = static_cast<TipoBarre>(cmbBarre_->currentData().toInt());
    if (barre.tipo == TipoBarre::Ean13) {
        barre.colonna = cmbColonnaBarre_->currentText().trimmed();
    }
    barre.posizione = cmbPosizioneBarre_->currentData().toInt();
    barre.altezza = txtAltezzaBarre_->text();
    return barre;
}

QString FinestraCatalogo::Imposta(const QString& listino, const QString& chiave,
                                  const QString& esterno, const QString& interno,
                                  const ImpostazioniBarre& barre) {
    txtTestoEsterno_->setText(esterno);
    txtTestoInterno_->setText(interno);
    cmbBarre_->setCurrentIndex(std::max(0, cmbBarre_->findData(static_cast<int>(barre.tipo))));
    cmbPosizioneBarre_->setCurrentIndex(barre.posizione == 1 ? 0 : 1);
    txtAltezzaBarre_->setText(barre.altezza);
    mostraColonne({}, chiave);
    scegliTesto(cmbColonnaBarre_, barre.colonna);
    txtListino_->setText(listino);
    return listino.isEmpty() ? QString() : caricaColonne(listino);
}

void FinestraCatalogo::cmdListino_Click() {
    platform::DialogHost::OpenRequest richiesta;
    richiesta.title = QStringLiteral("Scegli il listino");
    richiesta.filter = QStringLiteral("Listini (*.csv *.txt *.xlsx *.ods)");
    richiesta.fileName = Listino();
    richiesta.mustExist = true;
    const std::optional<QString> scelto = dialoghi_->showOpen(richiesta);
    if (!scelto || scelto->isEmpty()) {
        return;
    }
    const QString errore = caricaColonne(*scelto);
    if (!errore.isEmpty()) {
        messaggi_->MsgBox(errore, runtime::vbExclamation, runtime::ApplicationTitle);
        return;
    }
    txtListino_->setText(*scelto);
}

void FinestraCatalogo::cmdTogliListino_Click() {
    txtListino_->clear();
    mostraColonne({}, {});
}

QString FinestraCatalogo::caricaColonne(const QString& listino) {
    // The key shown first; one the new list lacks gives way to the list's own code column.
    QString errore;
    std::optional<catalogue::PriceList> lista = leggiListino(listino, Chiave(), errore);
    if (!lista && !Chiave().isEmpty()) {
        QString secondo;
        lista = leggiListino(listino, {}, secondo);
    }
    if (!lista) {
        return errore;
    }
    mostraColonne(lista->columns(), lista->keyColumn());
    return {};
}

void FinestraCatalogo::mostraColonne(const QStringList& colonne, const QString& chiave) {
    const QString barre = cmbColonnaBarre_->currentText();
    for (QComboBox* elenco : {cmbChiave_, cmbColonnaBarre_}) {
        elenco->clear();
        elenco->addItems(colonne);
    }
    scegliTesto(cmbChiave_, chiave);
    scegliTesto(cmbColonnaBarre_, barre);
    lblCampi_->setText(TestoCampi(colonne));
}

} // namespace lumetra::mainwindow
