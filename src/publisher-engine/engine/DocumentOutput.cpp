#include "DocumentOutput.h"

#include "ComposedPagePainter.h"
#include "EngineDocument.h"
#include "EngineErrors.h"
#include "OutputGuard.h"

#include "Application.h"
#include "AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

namespace lumetra::engine {

namespace {

void paintRange(QPainter& painter, QPagedPaintDevice& device, const EngineDocument& document,
                int first, int last, const QRectF& target, QStringList* unreadable) {
    paintPages(
        painter, document, first, last, target, [&device] { device.newPage(); }, unreadable);
}

QRectF fullPageTarget(const QPageLayout& layout, int resolution) {
    return QRectF(QPointF(0, 0), layout.fullRectPixels(resolution).size());
}

} // namespace

QPageLayout documentPageLayout(const EngineDocument& document) {
    const QSizeF size = document.pageSize();
    const bool landscape = size.width() > size.height();
    const QSizeF portrait = landscape ? size.transposed() : size;
    return QPageLayout(QPageSize(portrait, QPageSize::Point, QString(), QPageSize::ExactMatch),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Point);
}

void writePdf(const EngineDocument& document, const QString& path, int first, int last,
              QStringList* unreadable) {
    checkOutput(document, path);
    // The pages go to a temporary file next to the target, which replaces the target only
    // once complete: a full disk, a failure or a killed job leave any earlier file as it was.
    runtime::AtomicFile file(path, runtime::Replace::Allowed);
    if (const runtime::FileWriteResult opened = file.open(); !opened.written()) {
        fail(runtime::ErrScritturaFile,
             QStringLiteral("Il file PDF non è stato scritto. %1").arg(opened.message));
    }
    QStringList missing;
    {
        QPdfWriter writer(file.device());
        writer.setResolution(300);
        writer.setCreator(runtime::ApplicationTitle);
        writer.setTitle(QFileInfo(document.fileName()).completeBaseName());
        writer.setPageLayout(documentPageLayout(document));
        QPainter painter;
        if (!painter.begin(&writer)) {
            fail(runtime::ErrScritturaFile,
                 QStringLiteral("Impossibile scrivere il file PDF '%1'").arg(path));
        }
        const QRectF target = fullPageTarget(writer.pageLayout(), writer.resolution());
        paintRange(painter, writer, document, first, last, target, &missing);
        if (!painter.end()) {
            fail(runtime::ErrScritturaFile,
                 QStringLiteral("Impossibile completare il file PDF '%1'").arg(path));
        }
    }
    if (!missing.isEmpty()) {
        // A picture that cannot be drawn fails the output: no file with an empty box in it.
        if (unreadable) {
            *unreadable = missing;
        }
        failUnreadable(missing, QStringLiteral("il file PDF non è stato scritto"));
    }
    if (const runtime::FileWriteResult done = file.commit(); !done.written()) {
        fail(runtime::ErrScritturaFile,
             QStringLiteral("Il file PDF non è stato scritto. %1").arg(done.message));
    }
}

void printPages(const EngineDocument& document, QPrinter& printer, int first, int last,
                QStringList* unreadable) {
    printer.setFullPage(true);
    printer.setPageLayout(documentPageLayout(document));
    if (printer.docName().isEmpty()) {
        printer.setDocName(QFileInfo(document.fileName()).completeBaseName());
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        fail(runtime::ErrStampante,
             QStringLiteral("La stampante '%1' non è disponibile").arg(printer.printerName()));
    }
    const QRectF target = fullPageTarget(printer.pageLayout(), printer.resolution());
    QStringList missing;
    paintRange(painter, printer, document, first, last, target, &missing);
    if (!missing.isEmpty()) {
        // A picture that cannot be drawn fails the job before it leaves: it is aborted, never
        // sent to the printer with an empty box in it.
        printer.abort();
        painter.end();
        if (unreadable) {
            *unreadable = missing;
        }
        failUnreadable(missing, QStringLiteral("la stampa è stata annullata"));
    }
    const bool ended = painter.end();
    // The job goes to CUPS when painting ends; its answer is the last one libcups received.
    const ipp_status_t status = cupsLastError();
    if (!ended || printer.printerState() == QPrinter::Error) {
        fail(runtime::ErrStampante,
             QStringLiteral("Stampa non riuscita sulla stampante '%1'").arg(printer.printerName()));
    }
    if (printer.outputFormat() == QPrinter::NativeFormat &&
        status > IPP_STATUS_OK_EVENTS_COMPLETE) {
        fail(runtime::ErrStampante,
             QStringLiteral("La stampante '%1' ha rifiutato il lavoro: %2")
                 .arg(printer.printerName(), QString::fromUtf8(cupsLastErrorString())));
    }
}

QString printToDefaultPrinter(const EngineDocument& document, const PrintRecord& record,
                              QStringList* unreadable) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull() || info.printerName().isEmpty()) {
        fail(runtime::ErrStampante,
             QStringLiteral("Nessuna stampante predefinita è configurata nel "
                            "sistema"));
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPrinterName(info.printerName());
    printer.setCopyCount(record.copies);
    printer.setCollateCopies(record.collate);
    printPages(document, printer, record.firstPage - 1, record.lastPage - 1, unreadable);
    return info.printerName();
}

void failUnreadable(const QStringList& unreadable, const QString& consequence) {
    QStringList names;
    for (const QString& file : unreadable) {
        names << QStringLiteral("'%1'").arg(QFileInfo(file).fileName());
    }
    fail(runtime::ErrImmagineNonValida,
         (names.size() == 1 ? QStringLiteral("Impossibile leggere l'immagine %1: %2")
                            : QStringLiteral("Impossibile leggere le immagini %1: %2"))
             .arg(names.join(QStringLiteral(", ")), consequence));
}

void reportUnreadable(const QStringList& unreadable) {
    if (!unreadable.isEmpty()) {
        failUnreadable(unreadable, QStringLiteral("al loro posto è rimasta una casella vuota"));
    }
}

} // namespace lumetra::engine
