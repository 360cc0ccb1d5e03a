#include "app/start.h"

#include "app/Form1.h"
#include "maintenance/file_batch.h"
#include "platform/services.h"

namespace hz {

bool startProgram() {
    // A set of records that a kill or a power cut interrupted is finished before anything reads the records: at
    // the start, and again at every click, for a set that could not be finished before or that another running
    // copy of the program left.
    setActionStart(finishInterruptedBatch);
    return userAction([] { form1().show(); });
}

} // namespace hz
