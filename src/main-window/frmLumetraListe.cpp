// The window's three file lists: the folder scan, the moves between the lists and the marking.

#include "ComandoStampa.h"
#include "ContestoFinestra.h"
#include "FileListModel.h"
#include "FileListView.h"
#include "FolderScan.h"
#include "MousePointer.h"
#include "frmLumetra.h"
#include "modGenerale.h"

#include <QCursor>
#include <QMenu>

namespace lumetra::mainwindow {

void frmLumetra::CaricaCartella(const QString& cartella) {
    lvwFileModel_->Clear();
    lvwSelezionatiModel_->Clear();
    lvwStampatiModel_->Clear();
    lvwFile_->setEmptyText({});
    if (!modGenerale::objFileSystem->FolderExists(cartella)) {
        return;
    }
    const platform::Folder folder = modGenerale::objFileSystem->GetFolder(cartella);
    QStringList images;
    images.reserve(folder.Files.size());
    for (const QString& name : folder.Files) {
        if (IsImageName(name)) {
            images.append(name);
        }
    }
    lvwFileModel_->AddAll(images);
    // A folder without pictures says so in the list itself: the scan shows no message and leaves
    // the status line alone.
    if (images.isEmpty()) {
        lvwFile_->setEmptyText(
            folder.Files.isEmpty()
                ? QStringLiteral("La cartella è vuota.")
                : QStringLiteral("Nessuna immagine nella cartella: %1 file di altro tipo.")
                      .arg(folder.Files.size()));
    }
}

void frmLumetra::SelezionaMarcati() {
    lvwSelezionatiModel_->AddAll(lvwFileModel_->TakeMarkedReversed());
}

void frmLumetra::RimuoviMarcati() {
    lvwFileModel_->AddAll(lvwSelezionatiModel_->TakeMarkedReversed());
}

void frmLumetra::SpostaStampati() {
    lvwStampatiModel_->AddAll(lvwSelezionatiModel_->TakeAllReversed());
}

void frmLumetra::cmdSeleziona_Click() {
    platform::BusyPointer busy;
    SelezionaMarcati();
}

void frmLumetra::cmdRimuovi_Click() {
    platform::BusyPointer busy;
    RimuoviMarcati();
}

void frmLumetra::cmdStampa_Click() {
    setLavoroInCorso(true);
    ContestoFinestra contesto(*this);
    printjob::cmdStampa_Click(contesto);
    contesto.MostraImmaginiDanneggiate();
    setLavoroInCorso(false);
    AggiornaAvvisoSpazio(); // the job leaves "Pronto" on the status line
}

void frmLumetra::cmdMarca_Click() {
    mnuFileSelezionaEvidenziati_Click();
}

void frmLumetra::mnuFileSelezionaEvidenziati_Click() {
    lvwFileModel_->CheckRows(lvwFile_->highlightedRows());
}

void frmLumetra::mnuFileDeselezionaTutto_Click() {
    lvwFileModel_->SetAllChecked(false);
}

void frmLumetra::mnuFileSelezionaTutto_Click() {
    lvwFileModel_->SetAllChecked(true);
}

void frmLumetra::lvwFile_MouseUp(int button, int /*shift*/, float /*x*/, float /*y*/) {
    if (button == 2) {
        mnuPopFile_->popup(QCursor::pos());
    }
}

} // namespace lumetra::mainwindow
