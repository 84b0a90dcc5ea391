#include "LetturaPdf.h"

#include "TestProcess.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace lumetra::composition::test {

using testsupport::runProgram;

int PagineDelPdf(const QString& pdf) {
    const QString info = runProgram(QStringLiteral("pdfinfo"), {pdf});
    const auto m =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

std::vector<ParolaPdf> ParoleDelPdf(const QString& pdf, int pagina) {
    const QString xml =
        runProgram(QStringLiteral("pdftotext"),
                   {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(pagina),
                    QStringLiteral("-l"), QString::number(pagina), pdf, QStringLiteral("-")});
    std::vector<ParolaPdf> parole;
    QXmlStreamReader lettore(xml);
    while (!lettore.atEnd()) {
        if (lettore.readNext() != QXmlStreamReader::StartElement ||
            lettore.name() != QLatin1String("word"))
            continue;
        const auto a = lettore.attributes();
        ParolaPdf parola;
        parola.xMin = a.value(QLatin1String("xMin")).toDouble();
        parola.yMin = a.value(QLatin1String("yMin")).toDouble();
        parola.xMax = a.value(QLatin1String("xMax")).toDouble();
        parola.yMax = a.value(QLatin1String("yMax")).toDouble();
        parola.testo = lettore.readElementText();
        parole.push_back(parola);
    }
    return parole;
}

QStringList TestiDelPdf(const QString& pdf, int pagina) {
    QStringList testi;
    for (const ParolaPdf& parola : ParoleDelPdf(pdf, pagina))
        testi.append(parola.testo);
    return testi;
}

QImage PaginaDelPdf(const QString& pdf, int pagina, int dpi) {
    QTemporaryDir dir;
    const QString radice = dir.filePath(QStringLiteral("pagina"));
    runProgram(QStringLiteral("pdftoppm"),
               {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
                QStringLiteral("-f"), QString::number(pagina), QStringLiteral("-l"),
                QString::number(pagina), QStringLiteral("-singlefile"), pdf, radice});
    return QImage(radice + QStringLiteral(".png"));
}

} // namespace lumetra::composition::test
