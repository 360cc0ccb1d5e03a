#include "app/start.h"

#include "app/Form1.h"
#include "company/Form17.h"
#include "core/paths.h"
#include "core/records.h"
#include "maintenance/company_files.h"
#include "maintenance/file_batch.h"
#include "platform/services.h"

namespace hz {

bool startProgram() {
    // A set of records that a kill or a power cut interrupted is finished before anything reads the records: at
    // the start, and again at every click, for a set that could not be finished before or that another running
    // copy of the program left.
    setActionStart(finishInterruptedBatch);
    return userAction([] {
        // What a kill left of a record being written, where the program writes records.
        clearLeftoverTemporaries(dataroot::root, true);
        clearLeftoverTemporaries(company_files::onFloppy(dataroot::root), true);
        clearLeftoverTemporaries(pledgeFolder, false);
        form1().show();
    });
}

} // namespace hz
