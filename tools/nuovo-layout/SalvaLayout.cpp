#include "SalvaLayout.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace lumetra::nuovolayout {
namespace {

using runtime::FileWriteResult;
using runtime::Replace;

QString ChiediFile(QWidget* finestra, const QString& cartella, const QString& nomeProposto) {
    QFileDialog dialogo(finestra, QStringLiteral("Salva il nuovo layout"), cartella,
                        QStringLiteral("Layout di Publisher (*.pub)"));
    dialogo.setObjectName(QStringLiteral("dlgSalva"));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setDefaultSuffix(QStringLiteral("pub"));
    // The question about an existing file is asked after the dialog, where the write itself
    // finds the file (a file can appear after the dialog has looked).
    dialogo.setOption(QFileDialog::DontConfirmOverwrite);
    dialogo.selectFile(nomeProposto + QStringLiteral(".pub"));
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty()) {
        return {};
    }
    return dialogo.selectedFiles().first();
}

bool ConfermaSostituzione(QWidget* finestra, const QString& percorso) {
    QMessageBox domanda(QMessageBox::Question, QStringLiteral("Lumetra"),
                        QStringLiteral("Il file '%1' esiste già.\nSostituirlo con il nuovo layout?")
                            .arg(QDir::toNativeSeparators(percorso)),
                        QMessageBox::Yes | QMessageBox::No, finestra);
    domanda.setObjectName(QStringLiteral("msgSostituisci"));
    domanda.setDefaultButton(QMessageBox::No);
    return domanda.exec() == QMessageBox::Yes;
}

void Avvisa(QWidget* finestra, const QString& testo) {
    QMessageBox avviso(QMessageBox::Warning, QStringLiteral("Lumetra"), testo, QMessageBox::Ok,
                       finestra);
    avviso.setObjectName(QStringLiteral("msgErrore"));
    avviso.exec();
}

} // namespace

QString SalvaLayout(QWidget* finestra, const layoutwriter::LayoutPlan& piano,
                    const QString& cartella, const QString& nomeProposto) {
    QString percorso = ChiediFile(finestra, cartella, nomeProposto);
    if (percorso.isEmpty()) {
        return {};
    }
    FileWriteResult esito = layoutwriter::writeLayout(piano, percorso, Replace::Never);
    if (esito.status == FileWriteResult::Status::Exists) {
        if (!ConfermaSostituzione(finestra, percorso)) {
            return {};
        }
        esito = layoutwriter::writeLayout(piano, percorso, Replace::Allowed);
    }
    if (!esito.written()) {
        Avvisa(finestra, esito.message);
        return {};
    }
    return percorso;
}

} // namespace lumetra::nuovolayout
