#include "app/start.h"

#include "app/Form1.h"
#include "platform/services.h"

namespace hz {

bool startProgram() {
    return userAction([] { form1().show(); });
}

} // namespace hz
