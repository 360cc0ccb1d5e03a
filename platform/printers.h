#pragma once

#include <QString>

// The print queues of the system's scheduler (CUPS), asked directly where Qt's printer support does not tell: which
// printer is the default, whether a queue takes jobs, and whether it took one. A printer is named as Qt's printer
// support names it: the queue, or "queue/instance" for an instance of the user's options.
namespace hz {

// The user's default printer. Throws Error when none is set, when the one set no longer exists (naming it), or when
// the printing system cannot be reached.
QString defaultPrinter();

// Throws Error unless the scheduler says the printer's queue takes jobs now.
void checkPrinterTakesJobs(const QString &printer);

// Hands the PDF file to the printer's queue as one job named title, on A4, one copy, portrait, one page a sheet and at
// its size, whatever the queue's defaults; of the options the user keeps for the printer (an instance's) only those
// that leave the page's size and place alone go with it (the tray, the print quality and the like). Throws Error
// unless the scheduler created the job and took the whole document.
void sendPdfToPrinter(const QString &printer, const QString &pdfPath, const QString &title);

} // namespace hz
