// lumetra-bench-corpus: writes a corpus of photo-like JPEGs for the composition benchmark.
//
//   lumetra-bench-corpus CARTELLA PREFISSO NUMERO LARGHEZZA ALTEZZA [QUALITA]
//
// Each picture has smooth lighting, a few objects with soft edges and sensor-like noise, so it
// compresses and decodes like a camera's photograph (a 4000 x 3000 one takes 2 to 5 MB).
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cstdio>
#include <random>

namespace {

QImage Foto(int larghezza, int altezza, std::uint32_t seme) {
    std::mt19937 caso(seme);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    QImage immagine(larghezza, altezza, QImage::Format_RGB32);
    QPainter p(&immagine);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sfondo(0, 0, larghezza * u(caso), altezza);
    sfondo.setColorAt(0, QColor::fromHsvF(u(caso), 0.3, 0.9));
    sfondo.setColorAt(1, QColor::fromHsvF(u(caso), 0.5, 0.4));
    p.fillRect(immagine.rect(), sfondo);
    for (int k = 0; k < 14; ++k) {
        const QPointF centro(larghezza * u(caso), altezza * u(caso));
        const double raggio = std::min(larghezza, altezza) * (0.05 + 0.25 * u(caso));
        QRadialGradient g(centro, raggio);
        const QColor colore = QColor::fromHsvF(u(caso), 0.4 + 0.5 * u(caso), 0.3 + 0.7 * u(caso));
        g.setColorAt(0, colore);
        g.setColorAt(0.85, colore.darker(130));
        g.setColorAt(1, Qt::transparent);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(centro, raggio, raggio * (0.6 + 0.8 * u(caso)));
    }
    p.end();
    // Sensor noise, cheaper than a generator call per channel: one draw per pixel.
    std::uniform_int_distribution<std::uint32_t> rumore;
    for (int y = 0; y < altezza; ++y) {
        auto* riga = reinterpret_cast<QRgb*>(immagine.scanLine(y));
        for (int x = 0; x < larghezza; ++x) {
            const std::uint32_t n = rumore(caso);
            const auto canale = [&](int valore, int spostamento) {
                return std::clamp(valore + static_cast<int>((n >> spostamento) & 15) - 8, 0, 255);
            };
            const QRgb c = riga[x];
            riga[x] = qRgb(canale(qRed(c), 0), canale(qGreen(c), 4), canale(qBlue(c), 8));
        }
    }
    return immagine;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 6) {
        std::fputs("Uso: lumetra-bench-corpus CARTELLA PREFISSO NUMERO LARGHEZZA ALTEZZA "
                   "[QUALITA]\n",
                   stderr);
        return 2;
    }
    const QDir cartella(QString::fromLocal8Bit(argv[1]));
    const QString prefisso = QString::fromLocal8Bit(argv[2]);
    const int numero = std::atoi(argv[3]);
    const int larghezza = std::atoi(argv[4]);
    const int altezza = std::atoi(argv[5]);
    const int qualita = argc > 6 ? std::atoi(argv[6]) : 92;
    if (!cartella.mkpath(QStringLiteral(".")) || numero < 1 || larghezza < 1 || altezza < 1) {
        std::fputs("Argomenti non validi\n", stderr);
        return 2;
    }
    for (int i = 1; i <= numero; ++i) {
        const QString nome = cartella.filePath(
            QStringLiteral("%1-%2.jpg").arg(prefisso).arg(i, 4, 10, QLatin1Char('0')));
        if (QFile::exists(nome))
            continue;
        QImageWriter scrittore(nome, "jpeg");
        scrittore.setQuality(qualita);
        if (!scrittore.write(Foto(larghezza, altezza, static_cast<std::uint32_t>(i)))) {
            std::fprintf(stderr, "Impossibile scrivere %s\n", qPrintable(nome));
            return 1;
        }
    }
    return 0;
}
