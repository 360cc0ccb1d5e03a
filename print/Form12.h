#pragma once

#include "company/profile.h"
#include "platform/controls.h"

namespace hz {

// The print window "A4コピー用紙に印刷". Its data load gathers the company's records into the print data; the
// selection toggles and print counters belong to the printing of the pages.
class Form12 final : public Form {
public:
    Form12();

    TextBox Text1{this, "Text1"};      // hidden: the company code handed over by the menu
    Button Command1{this, "Command1"}; // hidden "データ": loadPrintData
    // Print counters, one per page.
    TextBox Text6{this, "Text6"};
    TextBox Text7{this, "Text7"};
    TextBox Text8{this, "Text8"};
    TextBox Text9{this, "Text9"};
    TextBox Text10{this, "Text10"};
    TextBox Text11{this, "Text11"};
    TextBox Text12{this, "Text12"};
    TextBox Text13{this, "Text13"};
    TextBox Text14{this, "Text14"};
    TextBox Text15{this, "Text15"};
    TextBox Text16{this, "Text16"};
    TextBox Text17{this, "Text17"};
    TextBox Text18{this, "Text18"};
    TextBox Text19{this, "Text19"};
    Button Command24{this, "Command24"}; // クリア: empties the print counters
    // Hidden click counters of the seven selection toggles and of the all-toggle.
    TextBox Text27{this, "Text27"};
    TextBox Text28{this, "Text28"};
    TextBox Text29{this, "Text29"};
    TextBox Text30{this, "Text30"};
    TextBox Text31{this, "Text31"};
    TextBox Text32{this, "Text32"};
    TextBox Text33{this, "Text33"};
    TextBox Text34{this, "Text34"};
    // Selection toggles of the seven schedule pages: "●" marks a page as selected.
    Button Command35{this, "Command35"};
    Button Command36{this, "Command36"};
    Button Command37{this, "Command37"};
    Button Command38{this, "Command38"};
    Button Command39{this, "Command39"};
    Button Command40{this, "Command40"};
    Button Command41{this, "Command41"};
    Button Command42{this, "Command42"}; // クリア: clears the selection and the print counters
    Button Command17{this, "Command17"}; // menu

    // Print data of the last load; a load that cannot read them leaves them empty, never another company's.
    CompanyProfileRecord profile;
    SpecialFieldRecord specialFields;

    void Command1_Click(); // loadPrintData
    void Command24_Click();
    void Command42_Click();
    void Command17_Click();

    TextBox *printCounter(int i);   // 1..14: Text6..Text19
    Button *selectionToggle(int i); // 1..7: Command35..Command41
    TextBox *clickCounter(int i);   // 1..8: Text27..Text34

protected:
    void setupUi(QWidget *window) override;
    void Form_QueryUnload(bool &cancel, int unloadMode) override;
};

Form12 &form12();

} // namespace hz
