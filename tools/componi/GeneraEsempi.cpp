// lumetra-genera-esempi: writes the sample job of examples/: an A4 layout with a title and 3 x 4
// picture rectangles, and a folder of photo-like pictures named after article codes.
//
//   lumetra-genera-esempi CARTELLA [NUMERO_FOTO]
#include "PubBuilder.h"
#include "TestImages.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>

#include <cstdio>
#include <exception>

namespace {

// A product shot: a soft photo-like background with a coloured object in the middle.
QImage Foto(int indice) {
    QImage immagine = lumetra::testimages::photoLikeImage(QSize(480, 360),
                                                          static_cast<std::uint32_t>(indice + 1));
    QPainter p(&immagine);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromHsv((indice * 37) % 360, 190, 200));
    if (indice % 3 == 0) {
        p.drawEllipse(QRect(150, 90, 180, 180));
    } else if (indice % 3 == 1) {
        p.drawRoundedRect(QRect(130, 100, 220, 160), 24, 24);
    } else {
        p.drawPolygon(QPolygon({QPoint(240, 70), QPoint(350, 280), QPoint(130, 280)}));
    }
    return immagine;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("Uso: lumetra-genera-esempi CARTELLA [NUMERO_FOTO]\n", stderr);
        return 2;
    }
    const QDir cartella(QString::fromLocal8Bit(argv[1]));
    const int numero = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 30;
    if (!cartella.mkpath(QStringLiteral("foto")) || numero < 1) {
        std::fputs("Impossibile preparare la cartella degli esempi\n", stderr);
        return 1;
    }

    lumetra::pub::PubBuilder builder;
    builder.pageSize(595.3, 841.9);
    auto& pagina = builder.addPage();
    pagina.addTextBox(36, 22, 523, 34, QStringLiteral("Catalogo prodotti"));
    // 3 columns of 160 points with 21.6 between them, 4 rows of 150 points with room for an
    // external caption above and below each.
    for (int riga = 0; riga < 4; ++riga) {
        for (int colonna = 0; colonna < 3; ++colonna) {
            pagina.addRectangle(36 + colonna * 181.6, 92 + riga * 186, 160, 150);
        }
    }
    if (!builder.save(cartella.filePath(QStringLiteral("catalogo-a4.pub")))) {
        std::fputs("Impossibile scrivere il layout\n", stderr);
        return 1;
    }

    try {
        for (int i = 0; i < numero; ++i) {
            const QString nome = QStringLiteral("foto/ART-%1.jpg").arg(1001 + i);
            lumetra::testimages::writeJpeg(cartella.filePath(nome), Foto(i), 75);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Impossibile scrivere le foto: %s\n", e.what());
        return 1;
    }
    return 0;
}
