#pragma once
// The private CUPS queue of the printing tests, as a test sees it: whether it runs, its jobs and
// their attributes, and the PDF files cups-pdf makes of them.

#include <QString>
#include <QStringList>

namespace lumetra::cupstest {

// The queue's name; it is the default printer of the private server.
inline const QString Printer = QStringLiteral("LumetraPDF");

// Why printing tests cannot run here (no private server configured, or it could not start),
// or the empty text when they can.
QString skipReason();

// The private server's address (CUPS_SERVER).
QString server();

// The highest job id the queue has seen, 0 when none.
int lastJobId();

// The job's attributes as ipptool prints them, once the job is completed (or after a minute).
QString completedJobAttributes(int job);

// The PDF file cups-pdf wrote for the job whose title contains `token`, waiting a few seconds
// for it; empty when there is none.
QString outputPdf(const QString& token);

} // namespace lumetra::cupstest
