#include "maintenance/open_windows.h"

#include "app/Form1.h"
#include "common/company_code.h"
#include "common/profile.h"
#include "common/read_or_say.h"
#include "company/Form2.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "platform/controls.h"
#include "print/Form12.h"
#include "schedules/core/Form11.h"
#include "schedules/core/Form20.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form4.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form14.h"
#include "schedules/more/Form15.h"
#include "schedules/more/Form16.h"
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
    if (loaded("Form20") && holdsCompany(form20().Text15, code))
        press(form20().Command2);
    if (loaded("Form15") && holdsCompany(form15().Text100, code))
        press(form15().Command2);
    if (loaded("Form16") && holdsCompany(form16().Text100, code))
        press(form16().Command2);
    // The registration window saves what its boxes show under the code in its code box, and its special fields
    // under the company it last loaded: either is loaded again from the new records.
    if (loaded("Form2") && (holdsCompany(form2().Text1, code) || form2().workingCode == code)) {
        form2().Text100.setText(plain(code));
        press(form2().Command7); // DATA
    }
    // The bulk input's load would apply its figures at once and save the schedules again, and so would the
    // capital part's DATA and the print window's load: these windows are closed instead, and their buttons in the
    // menu open them afresh from the new records.
    if (loaded("Form14") && holdsCompany(form14().Text1, code))
        form14().unload();
    if (loaded("Form11") && holdsCompany(form11().Text1, code))
        form11().unload();
    if (loaded("Form12") && holdsCompany(form12().Text1, code))
        form12().unload();
    // The menu shows the company's code, name and business year as they now stand.
    if (loaded("Form1") && (form1().currentCode == code || holdsCompany(form1().Text1, code))) {
        CompanyProfileRecord rec;
        if (readRecordOrSay(profilePath(code), form1().caption(), [&] { readProfile(code, rec, 16); }) ==
            RecordRead::read)
            form1().showCompany(rec);
    }
}

} // namespace hz
