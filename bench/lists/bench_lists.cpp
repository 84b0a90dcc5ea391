// Folder scan and list moves on a folder of 100 000 photos, in the real window (offscreen).
// Prints the times; goals: scan <= 0.5 s, "Marca tutto" + "Seleziona >>" <= 0.2 s together.

#include "FileListModel.h"
#include "frmLumetra.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QTemporaryDir>
#include <QTreeView>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;

    QTemporaryDir dir;
    const QByteArray base = QFile::encodeName(dir.path());
    for (int i = 0; i < count; ++i) {
        // A few names that are not images, as in a real folder.
        const char* ext = (i % 50 == 0) ? "txt" : (i % 3 == 0 ? "JPG" : "jpg");
        const QByteArray path = base + "/ART" + QByteArray::number(i) + "." + ext;
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
        if (fd < 0) {
            std::perror("open");
            return 1;
        }
        ::close(fd);
    }

    lumetra::mainwindow::frmLumetra window;
    window.show();
    QApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    window.CaricaCartella(dir.path());
    QApplication::processEvents();
    const double scan = timer.nsecsElapsed() / 1e9;
    const int listed = window.lvwFileModel()->Count();

    timer.restart();
    window.mnuFileSelezionaTutto_Click();
    window.cmdSeleziona_Click();
    QApplication::processEvents();
    const double move = timer.nsecsElapsed() / 1e9;

    // Half the entries marked, scattered: the hardest case for the moves.
    window.lvwSelezionatiModel()->SetAllChecked(true);
    window.RimuoviMarcati();
    for (int i = 0; i < window.lvwFileModel()->Count(); i += 2) {
        window.lvwFileModel()->SetChecked(i, true);
    }
    timer.restart();
    window.cmdSeleziona_Click();
    QApplication::processEvents();
    const double scattered = timer.nsecsElapsed() / 1e9;

    // The same with every entry that stays highlighted: the highlights are kept.
    window.lvwSelezionatiModel()->SetAllChecked(true);
    window.RimuoviMarcati();
    auto* files = window.lvwFileModel();
    QItemSelection stay;
    for (int i = 0; i < files->Count(); i += 2) {
        files->SetChecked(i, true);
        if (i + 1 < files->Count()) {
            stay.select(files->index(i + 1, 0), files->index(i + 1, 0));
        }
    }
    QItemSelectionModel* highlights =
        window.findChild<QTreeView*>(QStringLiteral("lvwFile"))->selectionModel();
    highlights->select(stay, QItemSelectionModel::Select);
    QApplication::processEvents();
    timer.restart();
    window.cmdSeleziona_Click();
    QApplication::processEvents();
    const double highlighted = timer.nsecsElapsed() / 1e9;
    const auto kept = highlights->selectedRows().size();

    std::printf("file nella cartella: %d, elencati: %d\n", count, listed);
    std::printf("scansione cartella:            %.3f s (obiettivo <= 0.5 s)\n", scan);
    std::printf("Marca tutto + Seleziona >>:    %.3f s (obiettivo <= 0.2 s)\n", move);
    std::printf("Seleziona >> (uno su due):     %.3f s\n", scattered);
    std::printf("  restanti evidenziati:        %.3f s (evidenziati dopo: %lld)\n", highlighted,
                static_cast<long long>(kept));
    std::fflush(stdout);
    return (scan <= 0.5 && move <= 0.2) ? 0 : 1;
}
