#pragma once

#include <QString>

// The print queues of the system's scheduler (CUPS), asked directly where Qt's printer support does not tell: whether
// a queue takes jobs, and whether it took one. A printer is named as Qt's printer support names it: the queue, or
// "queue/instance" for an instance of the user's options.
namespace hz {

// Throws Error unless the scheduler says the printer's queue takes jobs now.
void checkPrinterTakesJobs(const QString &printer);

// Hands the PDF file to the printer's queue as one A4 job named title. Throws Error unless the scheduler created the
// job and took the whole document.
void sendPdfToPrinter(const QString &printer, const QString &pdfPath, const QString &title);

} // namespace hz
