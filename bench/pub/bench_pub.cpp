// Opening a layout and finding its picture slots, per file: the real samples (folder given as
// argument or in LUMETRA_PUB_SAMPLES) and generated layouts. Goal: at most 50 ms per file.
// Prints the median and the worst of several runs, and the ratio to reading the file's bytes
// (the anchor, measured in the same run).

#include "Layout.h"
#ifdef LUMETRA_BENCH_WRITER
#include "PubBuilder.h"
#endif

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int Runs = 15;
constexpr double GoalMs = 50.0;

struct Figures {
    double median = 0;
    double worst = 0;
};

Figures measure(const std::function<void()>& work) {
    std::vector<double> ms;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

bool benchFile(const QString& path) {
    std::size_t slotCount = 0;
    bool readable = true;
    const Figures open = measure([&] {
        try {
            const auto layout = lumetra::pub::Layout::readFile(path);
            slotCount = layout.pictureSlots().size();
        } catch (const lumetra::runtime::Error&) {
            readable = false;
        }
    });
    const Figures anchor = measure([&] {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            (void)file.readAll();
        }
    });
    const bool ok = open.worst <= GoalMs;
    std::printf("%-52s %8.3f ms %8.3f ms %8.1fx  %-9s %s\n",
                QFileInfo(path).fileName().toUtf8().constData(), open.median, open.worst,
                anchor.median > 0 ? open.median / anchor.median : 0.0,
                readable ? QByteArray::number(qulonglong(slotCount)).constData() : "rifiutato",
                ok ? "OK" : "LENTO");
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1])
                              : QString::fromLocal8Bit(qgetenv("LUMETRA_PUB_SAMPLES"));
    std::printf("Apertura del layout e ricerca dei rettangoli (%d prove, obiettivo <= %.0f ms)\n",
                Runs, GoalMs);
    std::printf("%-52s %11s %11s %9s  %-9s\n", "file", "mediana", "peggiore", "/lettura",
                "rettangoli");
    bool allOk = true;
    if (!folder.isEmpty() && QDir(folder).exists()) {
        for (const QString& name :
             QDir(folder).entryList({QStringLiteral("*.pub")}, QDir::Files, QDir::Name)) {
            allOk = benchFile(QDir(folder).filePath(name)) && allOk;
        }
    } else {
        std::printf(
            "(campioni reali non disponibili: passare la cartella o LUMETRA_PUB_SAMPLES)\n");
    }
#ifdef LUMETRA_BENCH_WRITER
    QTemporaryDir dir;
    for (const int pages : {1, 10, 50}) {
        lumetra::pub::PubBuilder b;
        for (int p = 0; p < pages; ++p) {
            auto& page = b.addPage();
            for (int row = 0; row < 8; ++row) {
                for (int col = 0; col < 5; ++col) {
                    page.addRectangle(30 + col * 110, 40 + row * 95, 100, 70);
                    page.addTextBox(30 + col * 110, 112 + row * 95, 100, 18,
                                    QStringLiteral("codice"));
                }
            }
        }
        const QString path = dir.filePath(QStringLiteral("generato-%1-pagine.pub").arg(pages));
        b.save(path);
        allOk = benchFile(path) && allOk;
    }
#endif
    std::printf("%s\n", allOk ? "Tutti entro l'obiettivo." : "Alcuni file oltre l'obiettivo.");
    return allOk ? 0 : 1;
}
