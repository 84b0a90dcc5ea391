#include "DocumentOutput.h"

#include "ComposedPagePainter.h"
#include "CupsJob.h"
#include "EngineDocument.h"
#include "EngineErrors.h"
#include "OutputGuard.h"

#include "Application.h"
#include "AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

namespace lumetra::engine {

namespace {

QString documentTitle(const EngineDocument& document) {
    return QFileInfo(document.fileName()).completeBaseName();
}

// Throws OutputCancelled when the request's control was cancelled.
void checkCancelled(const OutputRequest& request) {
    if (request.control && request.control->cancelled) {
        throw OutputCancelled();
    }
}

void reportProgress(const OutputRequest& request, int done) {
    if (request.control && request.control->progress) {
        request.control->progress(done, request.last - request.first + 1);
    }
}

// Draws the pages into a PDF written on `device`, adding the pictures that could not be drawn
// to `missing`; false when the PDF cannot be made. A cancellation seen between two pages
// leaves through OutputCancelled, the PDF unfinished on `device`.
bool paintPdf(const EngineDocument& document, QIODevice* device, const OutputRequest& request,
              QStringList* missing) {
    checkCancelled(request);
    QPdfWriter writer(device);
    writer.setResolution(300);
    writer.setCreator(runtime::ApplicationTitle);
    writer.setTitle(documentTitle(document));
    writer.setPageLayout(documentPageLayout(document));
    QPainter painter;
    if (!painter.begin(&writer)) {
        return false;
    }
    const QRectF target(QPointF(0, 0),
                        writer.pageLayout().fullRectPixels(writer.resolution()).size());
    int done = 0;
    const auto nextPage = [&] {
        reportProgress(request, ++done);
        checkCancelled(request);
        writer.newPage();
    };
    paintPages(painter, document, request.first, request.last, target, nextPage, missing);
    reportProgress(request, ++done);
    return painter.end();
}

// Fails, naming them, when pictures other than the accepted ones could not be drawn.
void checkDrawn(const QStringList& missing, const QStringList& acceptedEmpty, QStringList* undrawn,
                const QString& consequence) {
    QStringList fresh;
    for (const QString& file : missing) {
        if (!acceptedEmpty.contains(file)) {
            fresh.append(file);
        }
    }
    if (fresh.isEmpty()) {
        return;
    }
    if (undrawn) {
        *undrawn = fresh;
    }
    QStringList names;
    for (const QString& file : fresh) {
        names << QStringLiteral("'%1'").arg(QFileInfo(file).fileName());
    }
    fail(runtime::ErrImmagineNonValida,
         (names.size() == 1 ? QStringLiteral("Impossibile leggere l'immagine %1: %2")
                            : QStringLiteral("Impossibile leggere le immagini %1: %2"))
             .arg(names.join(QStringLiteral(", ")), consequence));
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

PreparedOutput::PreparedOutput(const EngineDocument& document, const OutputRequest& request,
                               const QStringList& acceptedEmpty, QStringList* undrawn)
    : request_(request), title_(documentTitle(document)) {
    if (!request_.pdfFile.isEmpty()) {
        paintToFile(document, acceptedEmpty, undrawn);
    } else {
        paintForPrinter(document, acceptedEmpty, undrawn);
    }
}

PreparedOutput::~PreparedOutput() = default;

void PreparedOutput::paintToFile(const EngineDocument& document, const QStringList& acceptedEmpty,
                                 QStringList* undrawn) {
    const QString& path = request_.pdfFile;
    checkOutput(document, path);
    // The pages go to a temporary file next to the target, which replaces the target only
    // once complete: a full disk, a failure or a killed job leave any earlier file as it was.
    pdf_ = std::make_unique<runtime::AtomicFile>(path, runtime::Replace::Allowed);
    if (const runtime::FileWriteResult opened = pdf_->open(); !opened.written()) {
        fail(runtime::ErrScritturaFile,
             QStringLiteral("Il file PDF non è stato scritto. %1").arg(opened.message));
    }
    QStringList missing;
    if (!paintPdf(document, pdf_->device(), request_, &missing)) {
        fail(runtime::ErrScritturaFile,
             QStringLiteral("Impossibile scrivere il file PDF '%1'").arg(path));
    }
    checkDrawn(missing, acceptedEmpty, undrawn, QStringLiteral("il file PDF non è stato scritto"));
}

void PreparedOutput::paintForPrinter(const EngineDocument& document,
                                     const QStringList& acceptedEmpty, QStringList* undrawn) {
    // The job is drawn into a folder of its own that only this user can read, removed with
    // everything in it when the job has been handed over, has failed or is dropped.
    folder_ = std::make_unique<QTemporaryDir>();
    QFile file(folder_->filePath(QStringLiteral("documento.pdf")));
    QStringList missing;
    const bool painted = folder_->isValid() && file.open(QIODevice::WriteOnly) &&
                         paintPdf(document, &file, request_, &missing);
    file.close();
    if (!painted || file.error() != QFileDevice::NoError) {
        fail(runtime::ErrStampante,
             QStringLiteral("Stampa non riuscita: impossibile preparare il documento nella "
                            "cartella temporanea"));
    }
    checkDrawn(missing, acceptedEmpty, undrawn,
               QStringLiteral("non è stato inviato nulla alla stampante"));
    job_ = file.fileName();
}

QString PreparedOutput::commit() {
    checkCancelled(request_); // the last moment the output can still be left out
    if (pdf_) {
        const runtime::FileWriteResult done = pdf_->commit();
        pdf_.reset();
        if (!done.written()) {
            fail(runtime::ErrScritturaFile,
                 QStringLiteral("Il file PDF non è stato scritto. %1").arg(done.message));
        }
        return {};
    }
    if (!folder_) {
        fail(runtime::ErrOggettoNonValido, QStringLiteral("Il documento è già stato inviato"));
    }
    const std::unique_ptr<QTemporaryDir> folder = std::move(folder_);
    return submitPdf(job_, CupsJob{request_.printer, title_, request_.copies, request_.collate});
}

QString produceOutput(const EngineDocument& document, const OutputRequest& request,
                      const QStringList& acceptedEmpty, QStringList* undrawn) {
    return PreparedOutput(document, request, acceptedEmpty, undrawn).commit();
}

} // namespace lumetra::engine
