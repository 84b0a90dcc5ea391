#include "PannelloGriglia.h"

#include "CampiCodice.h"
#include "PaperSizes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>

namespace lumetra::nuovolayout {
namespace {

QDoubleSpinBox* Millimetri(const QString& nome, double minimo, double massimo, double valore) {
    auto* casella = new QDoubleSpinBox;
    casella->setObjectName(nome);
    casella->setRange(minimo, massimo);
    casella->setDecimals(1);
    casella->setSingleStep(1);
    casella->setSuffix(QStringLiteral(" mm"));
    casella->setValue(valore);
    return casella;
}

QSpinBox* Numero(const QString& nome, int valore) {
    auto* casella = new QSpinBox;
    casella->setObjectName(nome);
    casella->setRange(1, layoutwriter::MaxRowsOrColumns);
    casella->setValue(valore);
    return casella;
}

} // namespace

PannelloGriglia::PannelloGriglia(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("fraGriglia"));
    cboPagina_ = new QComboBox;
    cboPagina_->setObjectName(QStringLiteral("cboPagina"));
    for (const layoutwriter::PaperSize& formato : layoutwriter::paperSizes()) {
        cboPagina_->addItem(formato.name, formato.millimetres);
    }
    cboPagina_->addItem(QStringLiteral("Personalizzato"));
    txtLarghezza_ = Millimetri(QStringLiteral("txtLarghezza"), 10, 6000, 210);
    txtAltezza_ = Millimetri(QStringLiteral("txtAltezza"), 10, 6000, 297);
    chkOrizzontale_ = new QCheckBox(QStringLiteral("Orizzontale"));
    chkOrizzontale_->setObjectName(QStringLiteral("chkOrizzontale"));
    txtRighe_ = Numero(QStringLiteral("txtRighe"), 4);
    txtColonne_ = Numero(QStringLiteral("txtColonne"), 3);
    txtMargini_ = Millimetri(QStringLiteral("txtMargini"), 0, 500, 10);
    txtSpazio_ = Millimetri(QStringLiteral("txtSpazio"), 0, 500, 5);
    txtTitolo_ = new QLineEdit;
    txtTitolo_->setObjectName(QStringLiteral("txtTitolo"));
    txtTitolo_->setPlaceholderText(QStringLiteral("nessun titolo"));

    auto* modulo = new QFormLayout(this);
    modulo->addRow(QStringLiteral("&Pagina:"), cboPagina_);
    modulo->addRow(QStringLiteral("&Larghezza:"), txtLarghezza_);
    modulo->addRow(QStringLiteral("&Altezza:"), txtAltezza_);
    modulo->addRow(QString(), chkOrizzontale_);
    modulo->addRow(QStringLiteral("&Righe:"), txtRighe_);
    modulo->addRow(QStringLiteral("&Colonne:"), txtColonne_);
    modulo->addRow(QStringLiteral("&Margini:"), txtMargini_);
    modulo->addRow(QStringLiteral("&Spazio tra i rettangoli:"), txtSpazio_);
    modulo->addRow(QStringLiteral("&Titolo:"), txtTitolo_);
    codice_ = new CampiCodice(modulo, this);

    connect(cboPagina_, &QComboBox::currentIndexChanged, this, [this] {
        AggiornaPagina();
        emit Cambiato();
    });
    for (QDoubleSpinBox* casella : {txtLarghezza_, txtAltezza_, txtMargini_, txtSpazio_}) {
        connect(casella, &QDoubleSpinBox::valueChanged, this, &PannelloGriglia::Cambiato);
    }
    for (QSpinBox* casella : {txtRighe_, txtColonne_}) {
        connect(casella, &QSpinBox::valueChanged, this, &PannelloGriglia::Cambiato);
    }
    connect(chkOrizzontale_, &QCheckBox::toggled, this, &PannelloGriglia::Cambiato);
    connect(txtTitolo_, &QLineEdit::textChanged, this, &PannelloGriglia::Cambiato);
    connect(codice_, &CampiCodice::Cambiato, this, &PannelloGriglia::Cambiato);
    AggiornaPagina();
}

void PannelloGriglia::AggiornaPagina() {
    // A named page shows its size; the custom one lets it be typed.
    const QVariant formato = cboPagina_->currentData();
    const bool personalizzato = !formato.isValid();
    txtLarghezza_->setEnabled(personalizzato);
    txtAltezza_->setEnabled(personalizzato);
    if (!personalizzato) {
        const QSignalBlocker a(txtLarghezza_), b(txtAltezza_);
        txtLarghezza_->setValue(formato.toSizeF().width());
        txtAltezza_->setValue(formato.toSizeF().height());
    }
}

layoutwriter::GridOptions PannelloGriglia::Opzioni() const {
    layoutwriter::GridOptions o;
    const QVariant formato = cboPagina_->currentData();
    o.pageMm = formato.isValid() ? formato.toSizeF()
                                 : QSizeF(txtLarghezza_->value(), txtAltezza_->value());
    o.landscape = chkOrizzontale_->isChecked();
    o.rows = txtRighe_->value();
    o.columns = txtColonne_->value();
    o.marginMm = txtMargini_->value();
    o.spacingMm = txtSpazio_->value();
    o.title = txtTitolo_->text().trimmed();
    o.caption = codice_->Spazio();
    return o;
}

QString PannelloGriglia::NomeProposto() const {
    return QStringLiteral("griglia-%1x%2").arg(txtRighe_->value()).arg(txtColonne_->value());
}

} // namespace lumetra::nuovolayout
