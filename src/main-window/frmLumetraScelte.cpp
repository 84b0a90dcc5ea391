// The choices of layout, image folder, caption font and catalogue.

#include "FileListModel.h"
#include "FinestraCatalogo.h"
#include "MousePointer.h"
#include "frmLumetra.h"
#include "modBrowseForFolder.h"

#include <QLineEdit>

namespace lumetra::mainwindow {

void frmLumetra::cmdLayout_Click() {
    ApriLayout();
}

void frmLumetra::ApriLayout() {
    dlgFile_->DefaultExt = QStringLiteral("pub");
    dlgFile_->Filter = QStringLiteral("Publisher|*.pub");
    dlgFile_->DialogTitle = QStringLiteral("Apri layout");
    dlgFile_->FileName = QString();
    dlgFile_->CancelError = true;
    dlgFile_->Flags = platform::cdlOFNFileMustExist;
    try {
        dlgFile_->ShowOpen();
    } catch (const std::exception&) {
        return; // cancelled, or the dialog failed: the layout stays as it was
    }
    if ((dlgFile_->Flags & platform::cdlOFNExtensionDifferent) != 0) {
        return;
    }
    txtLayout_->setText(dlgFile_->FileName);
}

void frmLumetra::cmdIndirizzo_Click() {
    const QString cartella =
        geometry::SfogliaCartella(*servizi_.dialogHost, txtIndirizzo_->text(),
                                  QStringLiteral("Selezionare la cartella contenente le immagini "
                                                 "da stampare"));
    if (cartella.isEmpty()) {
        return;
    }
    txtIndirizzo_->setText(cartella);
    platform::BusyPointer busy;
    CaricaCartella(cartella);
}

void frmLumetra::cmdFont_Click() {
    dlgFont_->Flags = platform::cdlCFScreenFonts;
    dlgFont_->CancelError = false;
    try {
        dlgFont_->ShowFont();
    } catch (const std::exception&) {
        // The previous font stays.
    }
}

void frmLumetra::cmdCatalogo_Click() {
    frmCatalogo_->show();
    frmCatalogo_->raise();
    frmCatalogo_->activateWindow();
}

} // namespace lumetra::mainwindow
