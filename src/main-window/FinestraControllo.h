#pragma once
// The check before printing as the window shows it: the findings grouped by kind, each naming its
// file, the job's summary, "Prosegui" and "Annulla", and, when pictures are damaged, whether to
// leave them out. Modal over the main window only.

#include "ControlloStampa.h"

#include <QDialog>

class QCheckBox;

namespace lumetra::mainwindow {

class FinestraControllo : public QDialog {
public:
    FinestraControllo(const composition::Controllo& controllo, QWidget* parent);

    // Shows the findings and waits for the answer; Escape and closing the window give Annulla.
    static composition::RispostaControllo Chiedi(const composition::Controllo& controllo,
                                                 QWidget* parent);

private:
    QCheckBox* chkSaltaDanneggiate_ = nullptr;
};

} // namespace lumetra::mainwindow
