#include "IppStatusText.h"

#include <cups/ipp.h>

#include <utility>

namespace lumetra::engine {

namespace {

const std::pair<int, const char*> Texts[] = {
    {IPP_STATUS_ERROR_BAD_REQUEST, "richiesta non valida"},
    {IPP_STATUS_ERROR_FORBIDDEN, "operazione non consentita"},
    {IPP_STATUS_ERROR_NOT_AUTHENTICATED, "il server di stampa chiede di autenticarsi"},
    {IPP_STATUS_ERROR_NOT_AUTHORIZED, "l'utente non è autorizzato a stampare"},
    {IPP_STATUS_ERROR_NOT_POSSIBLE, "operazione non possibile"},
    {IPP_STATUS_ERROR_TIMEOUT, "tempo scaduto"},
    {IPP_STATUS_ERROR_NOT_FOUND, "stampante non trovata"},
    {IPP_STATUS_ERROR_GONE, "la stampante non esiste più"},
    {IPP_STATUS_ERROR_REQUEST_ENTITY, "documento troppo grande"},
    {IPP_STATUS_ERROR_REQUEST_VALUE, "valore troppo lungo"},
    {IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED, "formato del documento non supportato"},
    {IPP_STATUS_ERROR_ATTRIBUTES_OR_VALUES, "opzioni di stampa non supportate"},
    {IPP_STATUS_ERROR_URI_SCHEME, "indirizzo della stampante non supportato"},
    {IPP_STATUS_ERROR_CHARSET, "set di caratteri non supportato"},
    {IPP_STATUS_ERROR_CONFLICTING, "opzioni di stampa in conflitto"},
    {IPP_STATUS_ERROR_COMPRESSION_NOT_SUPPORTED, "compressione non supportata"},
    {IPP_STATUS_ERROR_COMPRESSION_ERROR, "documento compresso non leggibile"},
    {IPP_STATUS_ERROR_DOCUMENT_FORMAT_ERROR, "documento non leggibile dalla stampante"},
    {IPP_STATUS_ERROR_DOCUMENT_ACCESS, "documento non accessibile"},
    {IPP_STATUS_ERROR_INTERNAL, "errore interno del server di stampa"},
    {IPP_STATUS_ERROR_OPERATION_NOT_SUPPORTED, "operazione non supportata dalla stampante"},
    {IPP_STATUS_ERROR_SERVICE_UNAVAILABLE, "servizio di stampa non disponibile"},
    {IPP_STATUS_ERROR_VERSION_NOT_SUPPORTED, "versione del protocollo IPP non supportata"},
    {IPP_STATUS_ERROR_DEVICE, "errore della stampante"},
    {IPP_STATUS_ERROR_TEMPORARY, "errore temporaneo della stampante"},
    {IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS, "la stampante non accetta lavori"},
    {IPP_STATUS_ERROR_BUSY, "la stampante è occupata"},
    {IPP_STATUS_ERROR_JOB_CANCELED, "il lavoro è stato annullato"},
    {IPP_STATUS_ERROR_MULTIPLE_JOBS_NOT_SUPPORTED, "la stampante non accetta lavori multipli"},
    {IPP_STATUS_ERROR_PRINTER_IS_DEACTIVATED, "la stampante è disattivata"},
    {IPP_STATUS_ERROR_TOO_MANY_JOBS, "troppi lavori in coda"},
    {IPP_STATUS_ERROR_TOO_MANY_DOCUMENTS, "troppi documenti nel lavoro"},
    {IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED, "autenticazione annullata"},
    {IPP_STATUS_ERROR_CUPS_PKI, "certificato del server di stampa non valido"},
    {IPP_STATUS_ERROR_CUPS_UPGRADE_REQUIRED, "il server di stampa chiede una connessione cifrata"},
};

} // namespace

QString ippStatusText(int status) {
    for (const auto& [code, text] : Texts) {
        if (code == status) {
            return QString::fromUtf8(text);
        }
    }
    return QStringLiteral("errore del server di stampa (codice IPP 0x%1)")
        .arg(status, 4, 16, QLatin1Char('0'));
}

} // namespace lumetra::engine
