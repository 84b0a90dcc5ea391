#pragma once
// A finished PDF file handed to CUPS as one print job: copies and collation are job options
// (the pages are sent once), every wait for the print server is bounded, and the job counts as
// printed only once the server accepted it.

#include <QString>

namespace lumetra::engine {

// The longest wait for the print server: to connect, and for each of its answers.
inline constexpr int CupsWaitSeconds = 15;

struct CupsJob {
    QString printer; // empty: the default printer
    QString title;   // the job's name on the queue
    int copies = 1;
    bool collate = true;
};

// Sends `pdfFile` as one job and gives the printer's name once CUPS accepted the job (it gave a
// job id and answered the document with a successful status). Throws Publisher::Error
// (ErrStampante) with an Italian description naming the printer and the cause: no default
// printer, the print server unreachable or silent, the queue stopped or not accepting jobs, the
// job refused. A job the server created and that then failed is cancelled.
QString submitPdf(const QString& pdfFile, const CupsJob& job);

} // namespace lumetra::engine
