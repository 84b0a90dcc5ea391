#include "frmLumetra.h"

#include "ContestoFinestra.h"
#include "FileListModel.h"
#include "FileListView.h"
#include "FinestraCatalogo.h"
#include "LineControl.h"
#include "ListPane.h"
#include "LumetraIcon.h"
#include "UpDown.h"
#include "modGenerale.h"
#include "objMinMaxInfo.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSessionManager>
#include <QSplitter>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace lumetra::mainwindow {

namespace {

// The job column: its buttons right of the settings, where the window grew for them.
constexpr double JobColumnLeft = 9375;
constexpr double JobColumnWidth = 1335;
// Client area at design, in twips: the design's height, its width with the job column.
constexpr double DesignClientWidth = JobColumnLeft + JobColumnWidth + 120;
constexpr double DesignClientHeight = 5580;
// The splitter's border around its panes and its bars, in twips.
constexpr double SplitterBorder = 30;
constexpr double SplitterBar = 90;

QLabel* creaEtichetta(const QString& name, const QString& caption, Qt::Alignment alignment,
                      QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

QLineEdit* creaCampo(const QString& name, const QString& text, bool readOnly, QWidget* parent) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(name);
    field->setReadOnly(readOnly);
    if (readOnly) {
        // Read-only fields take the system's grey-text colour as background, as the design asks.
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Disabled, QPalette::Text));
        field->setPalette(palette);
    }
    return field;
}

QPushButton* creaPulsante(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QComboBox* creaElenco(const QString& name, const QStringList& entries, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(false);
    for (int code = 0; code < entries.size(); ++code) {
        combo->addItem(entries[code], code);
    }
    combo->setCurrentIndex(-1); // no selection until the window loads
    return combo;
}

} // namespace

frmLumetra::frmLumetra(Servizi servizi, QWidget* parent)
    : QWidget(parent), servizi_(std::move(servizi)), scala_(platform::TwipsScale::ofScreen()) {
    setObjectName(QStringLiteral("frmLumetra"));
    setWindowTitle(QStringLiteral("Lumetra"));
    setWindowIcon(LumetraIcon());
    if (!servizi_.messageBox) {
        servizi_.messageBox = std::make_shared<platform::QtMessageBox>(this);
    }
    if (!servizi_.dialogHost) {
        servizi_.dialogHost = std::make_shared<platform::QtDialogHost>(this);
    }
    if (!servizi_.creaFileSystem) {
        servizi_.creaFileSystem = [] { return std::make_shared<platform::LocalFileSystem>(); };
    }
    // The design's geometry is in twips for an 8-point dialog font of Arial's widths.
    QFont designFont = font();
    designFont.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                            QStringLiteral("Arial"), designFont.family()});
    designFont.setPointSizeF(8);
    setFont(designFont);

    creaControlli();
    clientDiProgetto_ =
        QSize(scala_.toPixelsX(DesignClientWidth), scala_.toPixelsY(DesignClientHeight));
    resize(clientDiProgetto_);
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
        sessioneInChiusura_ = true;
        close();
    });
    Form_Load();
}

frmLumetra::~frmLumetra() {
    if (!scaricata_) {
        Form_Unload();
    }
}

void frmLumetra::posiziona(QWidget* widget, double left, double top, double width, double height) {
    widget->setGeometry(scala_.toPixels(QRectF(left, top, width, height)));
}

void frmLumetra::creaControlli() {
    creaAreaImpostazioni();
    creaAreaLavoro();
    creaAreaListe();
    creaRigaStato();
    creaMenu();
    dlgFile_ = new platform::CommonDialog(servizi_.dialogHost, this);
    dlgFile_->setObjectName(QStringLiteral("dlgFile"));
    dlgFont_ = new platform::CommonDialog(servizi_.dialogHost, this);
    dlgFont_->setObjectName(QStringLiteral("dlgFont"));
    dlgFont_->FontName = QStringLiteral("Times New Roman");
    dlgFont_->FontSize = 8;
    dlgFont_->FontBold = false;
    dlgFont_->FontItalic = false;
    impostaOrdineTabulazione();
    collegaEventi();
    allargaDidascalie();
}

void frmLumetra::allargaDidascalie() {
    // Where the platform's font draws a caption wider than its design box, the box grows away from
    // its alignment edge (right-aligned labels to the left, the check box to the right), so every
    // caption stays whole and the controls it belongs to keep their place.
    for (QLabel* label : {lblLayout_, lblIndirizzo_, lblCopie_, lblCodiceArticoloEsterno_,
                          lblCodiceArticoloInterno_, lblAltezzaCodiceArticolo_}) {
        const int needed = label->sizeHint().width();
        QRect box = label->geometry();
        if (needed > box.width()) {
            box.setLeft(std::max(0, box.right() + 1 - needed));
            label->setGeometry(box);
        }
    }
    const int needed = chkAnteprima_->sizeHint().width();
    if (needed > chkAnteprima_->width()) {
        chkAnteprima_->resize(needed, chkAnteprima_->height());
    }
}

void frmLumetra::creaAreaImpostazioni() {
    const Qt::Alignment right = Qt::AlignRight;
    lblLayout_ = creaEtichetta(QStringLiteral("lblLayout"), QStringLiteral("Layout"), right, this);
    posiziona(lblLayout_, 480, 240, 735, 195);
    txtLayout_ = creaCampo(QStringLiteral("txtLayout"), QString(), true, this);
    posiziona(txtLayout_, 1320, 120, 3855, 315);
    cmdLayout_ = creaPulsante(QStringLiteral("cmdLayout"), QStringLiteral("..."), this);
    posiziona(cmdLayout_, 5175, 120, 375, 315);

    lblIndirizzo_ =
        creaEtichetta(QStringLiteral("lblIndirizzo"), QStringLiteral("Cartella"), right, this);
    posiziona(lblIndirizzo_, 480, 600, 735, 195);
    txtIndirizzo_ = creaCampo(QStringLiteral("txtIndirizzo"), QString(), true, this);
    posiziona(txtIndirizzo_, 1320, 480, 3855, 315);
    cmdIndirizzo_ = creaPulsante(QStringLiteral("cmdIndirizzo"), QStringLiteral("..."), this);
    posiziona(cmdIndirizzo_, 5175, 480, 375, 315);

    lblCopie_ =
        creaEtichetta(QStringLiteral("lblCopie"), QStringLiteral("Copie di stampa"), right, this);
    posiziona(lblCopie_, 0, 960, 1215, 195);
    txtCopie_ = creaCampo(QStringLiteral("txtCopie"), QStringLiteral("1"), true, this);
    txtCopie_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    posiziona(txtCopie_, 1320, 840, 975, 315);
    updwnCopie_ = new platform::UpDown(this);
    updwnCopie_->setObjectName(QStringLiteral("updwnCopie"));
    updwnCopie_->setRange(1, 10);
    updwnCopie_->setIncrement(1);
    updwnCopie_->setValue(1);
    updwnCopie_->setBuddy(txtCopie_);
    posiziona(updwnCopie_, 2280, 840, 240, 315);
    // How pictures fill their rectangles: in the free space between the copies and the page
    // display, so that every other control keeps its place and the window its smallest size.
    cmbAdattamento_ = creaElenco(
        QStringLiteral("cmbAdattamento"),
        {QStringLiteral("Deforma"), QStringLiteral("Adatta"), QStringLiteral("Riempi")}, this);
    cmbAdattamento_->setToolTip(
        QStringLiteral("Come le immagini riempiono i rettangoli del layout:\n"
                       "Deforma: tutto il rettangolo, senza mantenere le proporzioni\n"
                       "Adatta: tutta l'immagine, proporzioni mantenute, bianco intorno\n"
                       "Riempi: tutto il rettangolo, proporzioni mantenute, bordi tagliati"));
    cmbAdattamento_->setAccessibleName(QStringLiteral("Adattamento delle immagini"));
    posiziona(cmbAdattamento_, 2640, 840, 1200, 315);
    chkAnteprima_ = new QCheckBox(QStringLiteral("Visualizza pagine"), this);
    chkAnteprima_->setObjectName(QStringLiteral("chkAnteprima"));
    chkAnteprima_->setChecked(false);
    posiziona(chkAnteprima_, 3960, 900, 1575, 195);

    lblCodiceArticoloEsterno_ =
        creaEtichetta(QStringLiteral("lblCodiceArticoloEsterno"),
                      QStringLiteral("Codice articolo esterno"), right, this);
    posiziona(lblCodiceArticoloEsterno_, 6000, 240, 1695, 195);
    cmbCodiceArticoloEsterno_ = creaElenco(
        QStringLiteral("cmbCodiceArticoloEsterno"),
        {QStringLiteral("Nessuno"), QStringLiteral("Sopra"), QStringLiteral("Sotto")}, this);
    posiziona(cmbCodiceArticoloEsterno_, 7800, 120, 1455, 315);
    lblCodiceArticoloInterno_ =
        creaEtichetta(QStringLiteral("lblCodiceArticoloInterno"),
                      QStringLiteral("Codice articolo interno"), right, this);
    posiziona(lblCodiceArticoloInterno_, 5880, 600, 1815, 195);
    cmbCodiceArticoloInterno_ = creaElenco(
        QStringLiteral("cmbCodiceArticoloInterno"),
        {QStringLiteral("Nessuno"), QStringLiteral("Sinistra"), QStringLiteral("Destra")}, this);
    posiziona(cmbCodiceArticoloInterno_, 7800, 480, 1455, 315);
    lblAltezzaCodiceArticolo_ =
        creaEtichetta(QStringLiteral("lblAltezzaCodiceArticolo"),
                      QStringLiteral("Altezza codice articolo cm"), right, this);
    posiziona(lblAltezzaCodiceArticolo_, 5760, 960, 1935, 195);
    txtAltezzaCodiceArticolo_ =
        creaCampo(QStringLiteral("txtAltezzaCodiceArticolo"), QStringLiteral("0,7"), false, this);
    txtAltezzaCodiceArticolo_->setMaxLength(3);
    txtAltezzaCodiceArticolo_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    posiziona(txtAltezzaCodiceArticolo_, 7800, 840, 1095, 315);
    cmdFont_ = creaPulsante(QStringLiteral("cmdFont"), QStringLiteral("..."), this);
    posiziona(cmdFont_, 8880, 840, 375, 315);
}

void frmLumetra::creaAreaLavoro() {
    cmdCatalogo_ = creaPulsante(QStringLiteral("cmdCatalogo"), QStringLiteral("Catalogo..."), this);
    cmdCatalogo_->setToolTip(QStringLiteral("Listino, testo delle didascalie e codice a barre"));
    posiziona(cmdCatalogo_, JobColumnLeft, 120, JobColumnWidth, 315);
    frmCatalogo_ = new FinestraCatalogo(servizi_.messageBox, servizi_.dialogHost, this);
    cmdSalvaLavoro_ =
        creaPulsante(QStringLiteral("cmdSalvaLavoro"), QStringLiteral("Salva lavoro..."), this);
    cmdSalvaLavoro_->setToolTip(
        QStringLiteral("Salva layout, cartella, coda e impostazioni in un file .lumetra"));
    posiziona(cmdSalvaLavoro_, JobColumnLeft, 480, JobColumnWidth, 315);
    cmdApriLavoro_ =
        creaPulsante(QStringLiteral("cmdApriLavoro"), QStringLiteral("Apri lavoro..."), this);
    cmdApriLavoro_->setToolTip(QStringLiteral("Riprende un lavoro salvato"));
    posiziona(cmdApriLavoro_, JobColumnLeft, 840, JobColumnWidth, 315);
}

void frmLumetra::creaAreaListe() {
    SSSplitterFile_ = new QSplitter(Qt::Horizontal, this);
    SSSplitterFile_->setObjectName(QStringLiteral("SSSplitterFile"));
    SSSplitterFile_->setChildrenCollapsible(false);
    SSSplitterFile_->setHandleWidth(scala_.toPixelsX(SplitterBar));
    const int border = scala_.toPixelsX(SplitterBorder);
    SSSplitterFile_->setContentsMargins(border, border, border, border);
    SSSplitterFile_->setFocusPolicy(Qt::NoFocus);
    posiziona(SSSplitterFile_, 0, 1200, 8295, 3375);

    const auto creaPannello = [this](const QString& name, const QString& paneName) {
        auto* pane = new ListPane(SSSplitterFile_);
        pane->setObjectName(name);
        pane->setProperty("pane", paneName);
        pane->setFocusPolicy(Qt::NoFocus);
        SSSplitterFile_->addWidget(pane);
        return pane;
    };
    const auto creaLista = [](const QString& name, bool checkable, bool multi, QWidget* parent,
                              FileListModel*& model) {
        model = new FileListModel(checkable, parent);
        model->setObjectName(name + QStringLiteral("Model"));
        auto* view = new FileListView(model, multi, parent);
        view->setObjectName(name);
        return view;
    };
    const Qt::Alignment centre = Qt::AlignHCenter;

    picFile_ = creaPannello(QStringLiteral("picFile"), QStringLiteral("Pane A"));
    lblFile_ = creaEtichetta(QStringLiteral("lblFile"), QStringLiteral("File nella cartella"),
                             centre, picFile_);
    posiziona(lblFile_, 0, 0, 2175, 255);
    lvwFile_ = creaLista(QStringLiteral("lvwFile"), true, true, picFile_, lvwFileModel_);
    posiziona(lvwFile_, 0, 240, 2160, 2475);
    cmdMarca_ = creaPulsante(QStringLiteral("cmdMarca"), QStringLiteral("Marca"), picFile_);
    posiziona(cmdMarca_, 120, 2880, 1095, 375);
    cmdSeleziona_ =
        creaPulsante(QStringLiteral("cmdSeleziona"), QStringLiteral("Seleziona >>"), picFile_);
    posiziona(cmdSeleziona_, 1320, 2880, 1095, 375);

    picSelezionati_ = creaPannello(QStringLiteral("picSelezionati"), QStringLiteral("Pane B"));
    lblSelezionati_ = creaEtichetta(QStringLiteral("lblSelezionati"),
                                    QStringLiteral("File da stampare"), centre, picSelezionati_);
    posiziona(lblSelezionati_, 0, 0, 2535, 255);
    lvwSelezionati_ = creaLista(QStringLiteral("lvwSelezionati"), true, true, picSelezionati_,
                                lvwSelezionatiModel_);
    posiziona(lvwSelezionati_, 0, 240, 2610, 2475);
    cmdRimuovi_ =
        creaPulsante(QStringLiteral("cmdRimuovi"), QStringLiteral("<< Rimuovi"), picSelezionati_);
    posiziona(cmdRimuovi_, 120, 2880, 1095, 375);
    cmdStampa_ =
        creaPulsante(QStringLiteral("cmdStampa"), QStringLiteral("Stampa >>"), picSelezionati_);
    posiziona(cmdStampa_, 1440, 2880, 1095, 375);

    picStampati_ = creaPannello(QStringLiteral("picStampati"), QStringLiteral("Pane C"));
    lblStampati_ = creaEtichetta(QStringLiteral("lblStampati"), QStringLiteral("File stampati"),
                                 centre, picStampati_);
    posiziona(lblStampati_, 0, 0, 1815, 255);
    lvwStampati_ =
        creaLista(QStringLiteral("lvwStampati"), false, true, picStampati_, lvwStampatiModel_);
    posiziona(lvwStampati_, 0, 240, 1845, 2475);

    SSSplitterFile_->setSizes(
        {scala_.toPixelsX(2655), scala_.toPixelsX(2655), scala_.toPixelsX(2745)});
}

void frmLumetra::creaRigaStato() {
    Line1_ = new LineControl(QPalette::Dark, this);
    Line1_->setObjectName(QStringLiteral("Line1"));
    Line1_->setPoints(0, 4800, 7680, 4800, scala_);
    Line2_ = new LineControl(QPalette::Base, this);
    Line2_->setObjectName(QStringLiteral("Line2"));
    Line2_->setPoints(0, 4815, 7680, 4815, scala_);

    lblInformazioni_ =
        creaEtichetta(QStringLiteral("lblInformazioni"), QString(), Qt::AlignLeft, this);
    lblInformazioni_->setAutoFillBackground(true);
    QPalette white = lblInformazioni_->palette();
    white.setColor(QPalette::Window, Qt::white);
    lblInformazioni_->setPalette(white);
    lblInformazioni_->setContentsMargins(scala_.toPixelsX(60), 0, 0, 0);
    posiziona(lblInformazioni_, 120, 4860, 7455, 390);

    prgBar_ = new QProgressBar(this);
    prgBar_->setObjectName(QStringLiteral("prgBar"));
    prgBar_->setRange(0, 100);
    prgBar_->setValue(0);
    prgBar_->setTextVisible(false);
    prgBar_->setFocusPolicy(Qt::NoFocus);
    posiziona(prgBar_, 120, 5160, 6735, 135);
    prgBar_->raise();
}

void frmLumetra::creaMenu() {
    mnuPopFile_ = new QMenu(QStringLiteral("PopUp"), this);
    mnuPopFile_->setObjectName(QStringLiteral("mnuPopFile"));
    const auto voce = [this](const QString& name, const QString& caption) {
        QAction* action = mnuPopFile_->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    QAction* evidenziati =
        voce(QStringLiteral("mnuFileSelezionaEvidenziati"), QStringLiteral("Marca evidenziati"));
    QAction* linea = mnuPopFile_->addSeparator();
    // The designer's "-" caption means a plain line: a separator with text would be drawn as
    // a section heading showing the "-".
    linea->setObjectName(QStringLiteral("munLinea0"));
    QAction* smarca =
        voce(QStringLiteral("mnuFileDeselezionaTutto"), QStringLiteral("Smarca tutto"));
    QAction* marca = voce(QStringLiteral("mnuFileSelezionaTutto"), QStringLiteral("Marca tutto"));
    connect(evidenziati, &QAction::triggered, this,
            [this] { mnuFileSelezionaEvidenziati_Click(); });
    connect(smarca, &QAction::triggered, this, [this] { mnuFileDeselezionaTutto_Click(); });
    connect(marca, &QAction::triggered, this, [this] { mnuFileSelezionaTutto_Click(); });
}

void frmLumetra::impostaOrdineTabulazione() {
    // The design's keyboard order; labels, lines, the panes and the progress bar take no focus.
    const std::vector<std::pair<int, QWidget*>> order = {
        {2, txtIndirizzo_},
        {3, cmdIndirizzo_},
        {6, txtLayout_},
        {7, cmdLayout_},
        {9, lvwFile_},
        {11, cmdSeleziona_},
        {13, lvwStampati_},
        {16, cmdStampa_},
        {17, cmdRimuovi_},
        {18, lvwSelezionati_},
        {21, updwnCopie_},
        {22, txtCopie_},
        {24, cmdMarca_},
        {25, chkAnteprima_},
        {26, cmbCodiceArticoloEsterno_},
        {27, cmbCodiceArticoloInterno_},
        {31, txtAltezzaCodiceArticolo_},
        {32, cmdFont_},
        // Not in the design: after every control that is, so their order stays as it was.
        {33, cmbAdattamento_},
        {34, cmdCatalogo_},
        {35, cmdSalvaLavoro_},
        {36, cmdApriLavoro_},
    };
    for (const auto& [tab, widget] : order) {
        widget->setProperty("TabIndex", tab);
    }
    for (size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1].second, order[i].second);
    }
}

void frmLumetra::collegaEventi() {
    connect(cmdLayout_, &QPushButton::clicked, this, [this] { cmdLayout_Click(); });
    connect(cmdIndirizzo_, &QPushButton::clicked, this, [this] { cmdIndirizzo_Click(); });
    connect(cmdFont_, &QPushButton::clicked, this, [this] { cmdFont_Click(); });
    connect(cmdCatalogo_, &QPushButton::clicked, this, [this] { cmdCatalogo_Click(); });
    connect(cmdSalvaLavoro_, &QPushButton::clicked, this, [this] { cmdSalvaLavoro_Click(); });
    connect(cmdApriLavoro_, &QPushButton::clicked, this, [this] { cmdApriLavoro_Click(); });
    connect(cmdMarca_, &QPushButton::clicked, this, [this] { cmdMarca_Click(); });
    connect(cmdSeleziona_, &QPushButton::clicked, this, [this] { cmdSeleziona_Click(); });
    connect(cmdRimuovi_, &QPushButton::clicked, this, [this] { cmdRimuovi_Click(); });
    connect(cmdStampa_, &QPushButton::clicked, this, [this] { cmdStampa_Click(); });
    connect(lvwFile_, &FileListView::mouseUp, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at) {
                int vbButton = 0;
                if (button == Qt::LeftButton) {
                    vbButton = 1;
                } else if (button == Qt::RightButton) {
                    vbButton = 2;
                } else if (button == Qt::MiddleButton) {
                    vbButton = 4;
                }
                int shift = 0;
                shift |= modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0;
                shift |= modifiers.testFlag(Qt::ControlModifier) ? 2 : 0;
                shift |= modifiers.testFlag(Qt::AltModifier) ? 4 : 0;
                lvwFile_MouseUp(vbButton, shift, static_cast<float>(scala_.toTwipsX(at.x())),
                                static_cast<float>(scala_.toTwipsY(at.y())));
            });
    // Page 1 of the layout is read once, when it is chosen; the settings only weigh against it.
    connect(txtLayout_, &QLineEdit::textChanged, this, [this](const QString& layout) {
        paginaLayout_ = LeggiPaginaLayout(layout);
        AggiornaAvvisoSpazio();
    });
    connect(cmbCodiceArticoloEsterno_, &QComboBox::currentIndexChanged, this,
            &frmLumetra::AggiornaAvvisoSpazio);
    connect(txtAltezzaCodiceArticolo_, &QLineEdit::textChanged, this,
            &frmLumetra::AggiornaAvvisoSpazio);
    connect(frmCatalogo_, &FinestraCatalogo::ingombroCambiato, this,
            &frmLumetra::AggiornaAvvisoSpazio);
    connect(picFile_, &ListPane::resized, this, [this] { picFile_Resize(); });
    connect(picSelezionati_, &ListPane::resized, this, [this] { picSelezionati_Resize(); });
    connect(picStampati_, &ListPane::resized, this, [this] { picStampati_Resize(); });
}

void frmLumetra::Form_Load() {
    modGenerale::objFileSystem = servizi_.creaFileSystem();
    objMinMax_ = std::make_unique<geometry::objMinMaxInfo>();
    objMinMax_->setHWnd(this);
    const QSize outer = frameGeometry().size();
    geometry::objMinMaxInfo::setMinWidth(
        platform::roundHalfEven(scala_.toTwipsX(outer.width()) / scala_.perPixelX));
    geometry::objMinMaxInfo::setMinHeight(
        platform::roundHalfEven(scala_.toTwipsY(outer.height()) / scala_.perPixelY));
    objMinMax_->Inizializza();

    // A white progress bar, so that it reads as one strip with the status label.
    QPalette white = prgBar_->palette();
    white.setColor(QPalette::Base, Qt::white);
    white.setColor(QPalette::Window, Qt::white);
    prgBar_->setPalette(white);
    prgBar_->setAutoFillBackground(true);

    cmbCodiceArticoloEsterno_->setCurrentIndex(0);
    cmbCodiceArticoloInterno_->setCurrentIndex(0);
    cmbAdattamento_->setCurrentIndex(0);
    setWindowTitle(runtime::ApplicationTitle + QStringLiteral(" - Versione ") +
                   QString::number(modGenerale::AppMajor) + QLatin1Char('.') +
                   QString::number(modGenerale::AppMinor) + QLatin1Char('.') +
                   QString::number(modGenerale::AppRevision));
    lblInformazioni_->setText(QStringLiteral("Pronto"));
}

void frmLumetra::aggiornaMinimoConCornice() {
    // The window system reports the frame only once the window is shown; the window's outer size
    // at load is its design client area plus that frame.
    if (corniceConsiderata_ || objMinMax_ == nullptr || !objMinMax_->Inizializzato()) {
        return;
    }
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame.width() <= 0 && frame.height() <= 0) {
        return;
    }
    corniceConsiderata_ = true;
    const QSize outer = clientDiProgetto_ + frame;
    geometry::objMinMaxInfo::setMinWidth(
        platform::roundHalfEven(scala_.toTwipsX(outer.width()) / scala_.perPixelX));
    geometry::objMinMaxInfo::setMinHeight(
        platform::roundHalfEven(scala_.toTwipsY(outer.height()) / scala_.perPixelY));
}

bool frmLumetra::event(QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Show) {
        aggiornaMinimoConCornice();
    }
    return QWidget::event(event);
}

void frmLumetra::Form_QueryUnload(int& cancel, int unloadMode) {
    if (unloadMode != runtime::vbFormControlMenu) {
        return;
    }
    const int answer = servizi_.messageBox->MsgBox(
        QStringLiteral("Terminare l'applicazione '") + runtime::ApplicationTitle +
            QStringLiteral("'?"),
        runtime::vbOKCancel | runtime::vbQuestion, runtime::ApplicationTitle);
    if (answer == runtime::vbCancel) {
        cancel = -1;
    }
}

void frmLumetra::Form_Unload() {
    if (objMinMax_) {
        objMinMax_->Termina();
    }
    objMinMax_.reset();
    modGenerale::objFileSystem.reset();
    scaricata_ = true;
}

void frmLumetra::closeEvent(QCloseEvent* event) {
    if (scaricata_) {
        event->accept();
        return;
    }
    if (lavoroInCorso_) {
        chiusuraRimandata_ = true;
        event->ignore();
        return;
    }
    int cancel = 0;
    Form_QueryUnload(cancel,
                     sessioneInChiusura_ ? runtime::vbAppWindows : runtime::vbFormControlMenu);
    if (cancel != 0) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void frmLumetra::setLavoroInCorso(bool inCorso) {
    lavoroInCorso_ = inCorso;
    if (!inCorso && chiusuraRimandata_) {
        chiusuraRimandata_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void frmLumetra::ImpostaStato(const QString& testo) {
    lblInformazioni_->setText(testo);
    lblInformazioni_->repaint();
}

void frmLumetra::AggiornaAvvisoSpazio() {
    QString avviso;
    if (paginaLayout_) {
        const ContestoFinestra contesto(*this);
        avviso = AvvisoSpazio(*paginaLayout_,
                              IngombroDi(contesto.CodiceArticoloEsterno(),
                                         contesto.TestoAltezzaCodiceArticolo(),
                                         contesto.ModelloTestoEsterno(), contesto.Barre()));
    }
    if (!avviso.isEmpty()) {
        ImpostaStato(avviso);
    } else if (!avvisoSpazio_.isEmpty() && lblInformazioni_->text() == avvisoSpazio_) {
        ImpostaStato(QStringLiteral("Pronto"));
    }
    avvisoSpazio_ = avviso;
}

} // namespace lumetra::mainwindow
