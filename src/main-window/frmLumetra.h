#pragma once
// The program's main window: every setting of a print job lives in one of its controls (the
// catalogue's in its "Catalogo..." window), the three file lists are its list views, and the
// status line at its bottom shows what is going on.
// Every control's objectName is its name in the window's design (txtLayout, lvwFile, ...).

#include "CommonDialog.h"
#include "DialogHost.h"
#include "FileSystemObject.h"
#include "LavoroSalvato.h"
#include "MessageBox.h"
#include "PublisherApi.h"
#include "SpazioDidascalie.h"
#include "Units.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QSplitter;

namespace lumetra::platform {
class UpDown;
}
namespace lumetra::geometry {
class objMinMaxInfo;
}

namespace lumetra::mainwindow {

class FileListModel;
class FileListView;
class FinestraCatalogo;
class LineControl;
class ListPane;

// What the window needs from its surroundings. Empty members get the real ones.
struct Servizi {
    std::shared_ptr<platform::MessageBox> messageBox;
    std::shared_ptr<platform::DialogHost> dialogHost;
    std::function<std::shared_ptr<platform::FileSystemObject>()> creaFileSystem;
    // Creates the document engine for a print job.
    Publisher::ApplicationFactory creaPublisher;
};

class frmLumetra : public QWidget {
    Q_OBJECT
public:
    explicit frmLumetra(Servizi servizi = {}, QWidget* parent = nullptr);
    ~frmLumetra() override;

    // The image folder scan and the moves between the three lists.
    void CaricaCartella(const QString& cartella);
    void SelezionaMarcati();
    void RimuoviMarcati();
    void SpostaStampati();
    void ApriLayout();

    // Command handlers (also reached through the controls).
    void cmdLayout_Click();
    void cmdIndirizzo_Click();
    void cmdFont_Click();
    void cmdCatalogo_Click();
    // A job to a .lumetra file the user names, and back: every control, the folder and the
    // queue in order.
    void cmdSalvaLavoro_Click();
    void cmdApriLavoro_Click();
    void cmdMarca_Click();
    void cmdSeleziona_Click();
    void cmdRimuovi_Click();
    void cmdStampa_Click();
    void mnuFileSelezionaEvidenziati_Click();
    void mnuFileDeselezionaTutto_Click();
    void mnuFileSelezionaTutto_Click();
    void lvwFile_MouseUp(int button, int shift, float x, float y);
    void Form_Resize();
    void picFile_Resize();
    void picSelezionati_Resize();
    void picStampati_Resize();
    void Form_QueryUnload(int& cancel, int unloadMode);

    FileListModel* lvwFileModel() const { return lvwFileModel_; }
    FileListModel* lvwSelezionatiModel() const { return lvwSelezionatiModel_; }
    FileListModel* lvwStampatiModel() const { return lvwStampatiModel_; }
    platform::CommonDialog* dlgFile() const { return dlgFile_; }
    platform::CommonDialog* dlgFont() const { return dlgFont_; }
    FinestraCatalogo* frmCatalogo() const { return frmCatalogo_; }
    platform::MessageBox& messageBox() const { return *servizi_.messageBox; }
    const geometry::objMinMaxInfo* objMinMax() const { return objMinMax_.get(); }
    const platform::TwipsScale& scala() const { return scala_; }
    // True once the window has been unloaded (its objects released).
    bool scaricata() const { return scaricata_; }

    // While a job runs, a request to close the window waits until the job ends.
    void setLavoroInCorso(bool inCorso);
    bool lavoroInCorso() const { return lavoroInCorso_; }

    // The status line: set the text and repaint it at once.
    void ImpostaStato(const QString& testo);
    // Warns on the status line when the external caption and the barcode take more room than
    // page 1 of the layout leaves beside its rectangles; a warning shown goes once it is right.
    void AggiornaAvvisoSpazio();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    friend class ContestoFinestra;

    void creaControlli();
    void creaAreaImpostazioni();
    void creaAreaLavoro();
    composition::LavoroSalvato StatoLavoro();
    // Sets every control from the job; gives what could not be restored, in Italian.
    QStringList ImpostaLavoro(const composition::LavoroSalvato& lavoro);
    // Queues the folder list's entries of those names, in their order; gives the names missing.
    QStringList RipristinaCoda(const QStringList& coda);
    void creaAreaListe();
    void creaRigaStato();
    void creaMenu();
    void impostaOrdineTabulazione();
    void allargaDidascalie();
    void collegaEventi();
    void posiziona(QWidget* widget, double left, double top, double width, double height);
    void layoutPannello(ListPane* pane, QLabel* label, FileListView* list, QPushButton* right,
                        QPushButton* left);
    void aggiornaMinimoConCornice();

    void Form_Load();
    void Form_Unload();

    Servizi servizi_;
    platform::TwipsScale scala_;

    QLabel* lblLayout_ = nullptr;
    QLineEdit* txtLayout_ = nullptr;
    QPushButton* cmdLayout_ = nullptr;
    QLabel* lblIndirizzo_ = nullptr;
    QLineEdit* txtIndirizzo_ = nullptr;
    QPushButton* cmdIndirizzo_ = nullptr;
    QLabel* lblCopie_ = nullptr;
    QLineEdit* txtCopie_ = nullptr;
    platform::UpDown* updwnCopie_ = nullptr;
    QCheckBox* chkAnteprima_ = nullptr;
    QLabel* lblCodiceArticoloEsterno_ = nullptr;
    QComboBox* cmbCodiceArticoloEsterno_ = nullptr;
    QComboBox* cmbAdattamento_ = nullptr;
    QLabel* lblCodiceArticoloInterno_ = nullptr;
    QComboBox* cmbCodiceArticoloInterno_ = nullptr;
    QLabel* lblAltezzaCodiceArticolo_ = nullptr;
    QLineEdit* txtAltezzaCodiceArticolo_ = nullptr;
    QPushButton* cmdFont_ = nullptr;
    QPushButton* cmdCatalogo_ = nullptr;
    QPushButton* cmdSalvaLavoro_ = nullptr;
    QPushButton* cmdApriLavoro_ = nullptr;
    FinestraCatalogo* frmCatalogo_ = nullptr;

    QSplitter* SSSplitterFile_ = nullptr;
    ListPane* picFile_ = nullptr;
    QLabel* lblFile_ = nullptr;
    FileListModel* lvwFileModel_ = nullptr;
    FileListView* lvwFile_ = nullptr;
    QPushButton* cmdMarca_ = nullptr;
    QPushButton* cmdSeleziona_ = nullptr;
    ListPane* picSelezionati_ = nullptr;
    QLabel* lblSelezionati_ = nullptr;
    FileListModel* lvwSelezionatiModel_ = nullptr;
    FileListView* lvwSelezionati_ = nullptr;
    QPushButton* cmdRimuovi_ = nullptr;
    QPushButton* cmdStampa_ = nullptr;
    ListPane* picStampati_ = nullptr;
    QLabel* lblStampati_ = nullptr;
    FileListModel* lvwStampatiModel_ = nullptr;
    FileListView* lvwStampati_ = nullptr;

    LineControl* Line1_ = nullptr;
    LineControl* Line2_ = nullptr;
    QLabel* lblInformazioni_ = nullptr;
    QProgressBar* prgBar_ = nullptr;

    platform::CommonDialog* dlgFile_ = nullptr;
    platform::CommonDialog* dlgFont_ = nullptr;
    QMenu* mnuPopFile_ = nullptr;

    QString fileLavoro_; // the job file last saved or opened, proposed next time
    std::optional<PaginaLayout> paginaLayout_; // read when the layout is chosen
    QString avvisoSpazio_;                     // the warning on the status line, if any
    std::unique_ptr<geometry::objMinMaxInfo> objMinMax_;
    QSize clientDiProgetto_;
    bool corniceConsiderata_ = false;
    bool sessioneInChiusura_ = false;
    bool lavoroInCorso_ = false;
    bool chiusuraRimandata_ = false;
    bool scaricata_ = false;
};

} // namespace lumetra::mainwindow
