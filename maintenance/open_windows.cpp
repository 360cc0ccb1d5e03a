#include "maintenance/open_windows.h"

#include "common/company_code.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "platform/controls.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form4.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form14.h"
#include "schedules/more/Form7.h"
#include "schedules/more/Form8.h"

#include <initializer_list>

namespace hz {

namespace {

// Asked without touching the window: touching a control would load it.
bool loaded(const char *formName) {
    for (Form *f : allForms())
        if (f->name() == QLatin1String(formName))
            return f->isLoaded();
    return false;
}

} // namespace

void reloadWindowsHolding(std::int32_t code, bool clearSchedule4) {
    // In the order a company is opened, each window with its own data buttons.
    if (loaded("Form3") && holdsCompany(form3().Text100, code))
        press(form3().Command8);
    if (loaded("Form4") && holdsCompany(form4().Text1, code))
        press(form4().Command7);
    const bool schedule4 = loaded("Form5") && holdsCompany(form5().Text100, code);
    if (schedule4)
        press(form5().Command7);
    if (loaded("Form6") && holdsCompany(form6().Text1, code))
        press(form6().Command7);
    if (loaded("Form7") && holdsCompany(form7().Text1, code))
        press(form7().Command20);
    if (loaded("Form13") && holdsCompany(form13().Text19, code))
        press(form13().Command19);
    if (loaded("Form8") && holdsCompany(form8().Text1, code))
        for (Button *b : {&form8().Command9, &form8().Command10, &form8().Command11})
            press(*b);
    if (clearSchedule4 && schedule4) {
        press(form5().Command6); // クリア
        press(form5().Command4); // 計 算 実 行
    }
    // The bulk input's load would apply its figures at once and save the schedules again, so the window is
    // closed instead: the menu's "一括入力" opens it afresh from the new records.
    if (loaded("Form14") && holdsCompany(form14().Text1, code))
        form14().unload();
}

} // namespace hz
