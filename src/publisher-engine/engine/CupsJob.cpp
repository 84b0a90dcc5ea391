#include "CupsJob.h"

#include "EngineErrors.h"
#include "IppStatusText.h"

#include <QFile>
#include <QFileInfo>

#include <cups/cups.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace lumetra::engine {

namespace {

struct HttpClose {
    void operator()(http_t* http) const { httpClose(http); }
};
using Connection = std::unique_ptr<http_t, HttpClose>;

struct DestFree {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
using Destination = std::unique_ptr<cups_dest_t, DestFree>;

// Called by libcups when an answer is late: stop waiting.
int stopWaiting(http_t* /*http*/, void* /*data*/) {
    return 0;
}

// Called by libcups when the server asks for a password: none is given (libcups would otherwise
// wait for one on the terminal), so the request fails with the server's status.
const char* noPassword(const char* /*prompt*/, http_t* /*http*/, const char* /*method*/,
                       const char* /*resource*/, void* /*data*/) {
    return nullptr;
}

// The print server as CUPS_SERVER or client.conf name it: a local socket, or host and port.
QString serverName() {
    const QString server = QString::fromUtf8(cupsServer());
    return server.startsWith(QLatin1Char('/')) ? server
                                               : QStringLiteral("%1:%2").arg(server).arg(ippPort());
}

QString printerText(const QString& printer) {
    return printer.isEmpty() ? QStringLiteral("La stampante predefinita")
                             : QStringLiteral("La stampante '%1'").arg(printer);
}

[[noreturn]] void failNoDefault() {
    fail(runtime::ErrStampante, QStringLiteral("Nessuna stampante predefinita è configurata nel "
                                               "sistema"));
}

// The print server could not be reached at all.
[[noreturn]] void failUnreachable(const QString& printer) {
    const QString server = serverName();
    // No local print server at all: no printer is set up on this computer.
    if (printer.isEmpty() && server.startsWith(QLatin1Char('/')) && !QFileInfo::exists(server)) {
        failNoDefault();
    }
    fail(runtime::ErrStampante,
         QStringLiteral("%1 non è disponibile: il server di stampa '%2' non è raggiungibile")
             .arg(printerText(printer), server));
}

// Why a request on the connection failed: the server fell silent, the connection broke, or
// the server answered with an error status (told by `what`, given the printer and the status).
QString requestFailure(const QString& printer, http_t* http, const QString& what) {
    const int error = httpError(http);
    if (error == ETIMEDOUT) {
        return QStringLiteral("%1 non è disponibile: il server di stampa '%2' non ha risposto "
                              "entro %3 secondi")
            .arg(printerText(printer), serverName())
            .arg(CupsWaitSeconds);
    }
    if (error != 0) {
        return QStringLiteral("%1 non è disponibile: la connessione con il server di stampa "
                              "'%2' si è interrotta")
            .arg(printerText(printer), serverName());
    }
    return what.arg(printer, ippStatusText(static_cast<int>(cupsLastError())));
}

[[noreturn]] void failRequest(const QString& printer, http_t* http, const QString& what) {
    fail(runtime::ErrStampante, requestFailure(printer, http, what));
}

Connection connectToServer(const QString& printer) {
    cupsSetPasswordCB2(noPassword, nullptr);
    int cancel = 0;
    Connection http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                 CupsWaitSeconds * 1000, &cancel));
    if (!http) {
        failUnreachable(printer);
    }
    httpSetTimeout(http.get(), CupsWaitSeconds, stopWaiting, nullptr);
    return http;
}

// The queue, with its state as the server gave it; refused when it is stopped or does not
// accept jobs.
Destination readyQueue(http_t* http, const QString& printer) {
    const QByteArray name = printer.toUtf8();
    Destination dest(
        cupsGetNamedDest(http, printer.isEmpty() ? nullptr : name.constData(), nullptr));
    if (!dest) {
        if (httpError(http) != 0 || !printer.isEmpty()) {
            failRequest(printer, http, QStringLiteral("La stampante '%1' non è disponibile: %2"));
        }
        failNoDefault();
    }
    const QString found = QString::fromUtf8(dest->name);
    const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
    if (state && std::atoi(state) == IPP_PSTATE_STOPPED) {
        fail(runtime::ErrStampante,
             QStringLiteral("La stampante '%1' è ferma: il documento non è stato inviato. "
                            "Riattivare la stampante e ripetere la stampa.")
                 .arg(found));
    }
    const char* accepting =
        cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    if (accepting && std::strcmp(accepting, "false") == 0) {
        fail(runtime::ErrStampante,
             QStringLiteral("La stampante '%1' non accetta lavori: il documento non è stato "
                            "inviato.")
                 .arg(found));
    }
    return dest;
}

int createJob(http_t* http, const char* printer, const CupsJob& job) {
    cups_option_t* options = nullptr;
    int count = cupsAddOption("copies", QByteArray::number(job.copies).constData(), 0, &options);
    count = cupsAddOption("multiple-document-handling",
                          job.collate ? "separate-documents-collated-copies"
                                      : "separate-documents-uncollated-copies",
                          count, &options);
    const int id = cupsCreateJob(http, printer, job.title.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    return id;
}

// Sends the file as the job's one document; true when the server accepted it.
bool sendDocument(http_t* http, const char* printer, int id, const QString& pdfFile,
                  const QString& title) {
    QFile file(pdfFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    if (cupsStartDocument(http, printer, id, title.toUtf8().constData(), CUPS_FORMAT_PDF, 1) !=
        HTTP_STATUS_CONTINUE) {
        return false;
    }
    bool sent = true;
    QByteArray block;
    while (sent && !(block = file.read(qint64{64} * 1024)).isEmpty()) {
        sent = cupsWriteRequestData(http, block.constData(), static_cast<size_t>(block.size())) ==
               HTTP_STATUS_CONTINUE;
    }
    const ipp_status_t status = cupsFinishDocument(http, printer);
    return sent && !file.error() && status <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

} // namespace

QString submitPdf(const QString& pdfFile, const CupsJob& job) {
    const Connection http = connectToServer(job.printer);
    const Destination dest = readyQueue(http.get(), job.printer);
    QString printer = QString::fromUtf8(dest->name);
    const int id = createJob(http.get(), dest->name, job);
    if (id <= 0) {
        failRequest(printer, http.get(),
                    QStringLiteral("La stampante '%1' ha rifiutato il lavoro: %2"));
    }
    if (!sendDocument(http.get(), dest->name, id, pdfFile, job.title)) {
        const QString why = requestFailure(
            printer, http.get(), QStringLiteral("Stampa non riuscita sulla stampante '%1': %2"));
        if (httpError(http.get()) == 0) {
            // The server still answers: the job it created goes, so nothing of it is printed
            // (a broken connection leaves the server an incomplete job, which it aborts).
            cupsCancelJob2(http.get(), dest->name, id, 0);
        }
        fail(runtime::ErrStampante, why);
    }
    return printer;
}

} // namespace lumetra::engine
