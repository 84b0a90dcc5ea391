// Takes the screenshots of docs/: the main window with the sample job loaded, or the preview of
// its composed pages, each at the size it opens with, written as PNG by ImageMagick's import
// (the X server's root window, cut to the window). Run under a private X server:
//
//   xvfb-run -s "-screen 0 1280x1200x24 -dpi 96" lumetra_schermate_demo finestra OUT.png
//   xvfb-run -s "-screen 0 1280x1200x24 -dpi 96" lumetra_schermate_demo anteprima OUT.png
//
// The sample job is the one in examples/ (layout and 30 photos), copied to a folder whose name
// reads well in the window ("Cataloghi" in the temporary folder) and removed afterwards.

#include "EngineFactory.h"
#include "FileListModel.h"
#include "ItalianLocale.h"
#include "LumetraIcon.h"
#include "PlatformDoubles.h"
#include "PreviewWindow.h"
#include "frmLumetra.h"
#include "modGenerale.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QProcess>
#include <QTimer>
#include <QTreeView>

#include <cstdio>
#include <memory>

using namespace lumetra;

namespace {

// Writes the screen's part under `window` to `out`.
bool capture(QWidget* window, const QString& out) {
    const QRect area = window->frameGeometry();
    const QString crop = QStringLiteral("%1x%2+%3+%4")
                             .arg(area.width())
                             .arg(area.height())
                             .arg(area.x())
                             .arg(area.y());
    return QProcess::execute(QStringLiteral("import"),
                             {"-window", "root", "-crop", crop, "+repage", out}) == 0;
}

// Copies the sample job to `to`: the layout and the photos folder.
bool copySample(const QString& from, const QString& to) {
    QDir().mkpath(to + QStringLiteral("/foto"));
    bool copied = QFile::copy(from + QStringLiteral("/catalogo-a4.pub"),
                              to + QStringLiteral("/catalogo-a4.pub"));
    const QDir photos(from + QStringLiteral("/foto"));
    for (const QString& name : photos.entryList(QDir::Files)) {
        copied = QFile::copy(photos.filePath(name), to + QStringLiteral("/foto/") + name) && copied;
    }
    return copied;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("Uso: lumetra_schermate_demo (finestra | anteprima) OUT.png\n", stderr);
        return 1;
    }
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    QApplication::setApplicationName(lumetra::runtime::ApplicationTitle);
    QApplication::setWindowIcon(mainwindow::LumetraIconaApplicazione());
    platform::useItalianLocale(app);

    auto dialogs = std::make_shared<doubles::ScriptedDialogHost>();
    mainwindow::Servizi servizi;
    servizi.dialogHost = dialogs;
    servizi.creaPublisher = factory::applicationFactory();
    mainwindow::frmLumetra window(servizi);

    // The sample job: its layout and folder, every photo queued and the queue sorted by name,
    // the last six sent back to the folder list; codes below and inside each photo.
    const QString examples = QDir::tempPath() + QStringLiteral("/Cataloghi");
    QDir(examples).removeRecursively();
    if (!copySample(QStringLiteral(LUMETRA_EXAMPLES), examples)) {
        std::fputs("Impossibile copiare il lavoro di esempio\n", stderr);
        return 1;
    }
    dialogs->openAnswers.push_back(examples + QStringLiteral("/catalogo-a4.pub"));
    window.cmdLayout_Click();
    dialogs->folderAnswers.push_back(examples + QStringLiteral("/foto"));
    window.cmdIndirizzo_Click();
    window.mnuFileSelezionaTutto_Click();
    window.SelezionaMarcati();
    window.lvwSelezionatiModel()->sort(0, Qt::AscendingOrder);
    for (int row = 24; row < 30; ++row) {
        window.lvwSelezionatiModel()->SetChecked(row, true);
    }
    window.RimuoviMarcati();
    window.findChild<QComboBox*>(QStringLiteral("cmbCodiceArticoloEsterno"))->setCurrentIndex(2);
    window.findChild<QComboBox*>(QStringLiteral("cmbCodiceArticoloInterno"))->setCurrentIndex(1);
    window.findChild<QCheckBox*>(QStringLiteral("chkAnteprima"))->setChecked(true);

    int result = 1;
    if (mode == QStringLiteral("finestra")) {
        window.move(0, 0);
        window.show();
        QTimer::singleShot(1500, &app, [&] {
            result = capture(&window, out) ? 0 : 1;
            QApplication::exit();
        });
    } else {
        window.cmdStampa_Click();
        QTimer::singleShot(2000, &app, [&] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (auto* preview = qobject_cast<preview::PreviewWindow*>(top);
                    preview != nullptr && preview->isVisible()) {
                    result = capture(preview, out) ? 0 : 1;
                    preview->close();
                }
            }
            QApplication::exit();
        });
    }
    QApplication::exec();
    QDir(examples).removeRecursively();
    return result;
}
