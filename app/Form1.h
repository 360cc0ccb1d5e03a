#pragma once

#include "common/profile.h"
#include "platform/controls.h"

namespace hz {

// The main menu "法人税の目次": the company list, the current company and the way to every other window.
class Form1 final : public Form {
public:
    Form1();

    ListBox List1{this, "List1"};
    TextBox Text1{this, "Text1"}; // company code
    TextBox Text2{this, "Text2"}; // company name
    TextBox Text10{this, "Text10"};
    TextBox Text13{this, "Text13"};
    TextBox Text14{this, "Text14"};
    TextBox Text15{this, "Text15"};
    TextBox Text16{this, "Text16"};
    TextBox Text17{this, "Text17"};
    TextBox Text18{this, "Text18"};
    TextBox Text19{this, "Text19"};
    TextBox Text3{this, "Text3"}; // hidden: first line of the pledge file
    Label Label1{this, "Label1"};
    Label Label2{this, "Label2"};
    Frame Frame1{this, "Frame1"};
    Frame Frame2{this, "Frame2"};
    Frame Frame3{this, "Frame3"};
    Button Command1{this, "Command1"};
    Button Command2{this, "Command2"};
    Button Command3{this, "Command3"};
    Button Command4{this, "Command4"};
    Button Command5{this, "Command5"};
    Button Command6{this, "Command6"};
    Button Command7{this, "Command7"};
    Button Command8{this, "Command8"};
    Button Command9{this, "Command9"};
    Button Command10{this, "Command10"};
    Button Command11{this, "Command11"};
    Button Command12{this, "Command12"};
    Button Command13{this, "Command13"};
    Button Command14{this, "Command14"};
    Button Command15{this, "Command15"};
    Button Command16{this, "Command16"};
    Button Command17{this, "Command17"};
    Button Command18{this, "Command18"};
    Button Command19{this, "Command19"};
    Button Command20{this, "Command20"};
    Button Command21{this, "Command21"};
    Button Command22{this, "Command22"};
    Button Command23{this, "Command23"};
    Button Command24{this, "Command24"};
    Button Command25{this, "Command25"};
    Button Command26{this, "Command26"};
    Button Command27{this, "Command27"};

    // The company code the registration, maintenance, capital-part and print buttons hand on; 0 at start.
    std::int32_t currentCode = 0;
    // Lines 1-16 of the profile of the company last opened.
    CompanyProfileRecord profile;

    void List1_Click();
    void Command1_Click();
    void Command2_Click(); // openCompany
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();
    void Command12_Click(); // openSchedule1
    void Command13_Click();
    void Command14_Click();
    void Command15_Click();
    void Command16_Click(); // backToMenu
    void Command17_Click(); // list refresh
    void Command18_Click();
    void Command19_Click();
    void Command20_Click();
    void Command21_Click();
    void Command22_Click();
    void Command23_Click();
    void Command24_Click();
    void Command25_Click();
    void Command26_Click();
    void Command27_Click();

    // Shows the company of rec as the current one: its code, name and business year in the boxes. Nothing is
    // loaded or computed.
    void showCompany(const CompanyProfileRecord &rec);

protected:
    void setupUi(QWidget *window) override;
    void Form_Load() override;
    void Form_QueryUnload(bool &cancel, int unloadMode) override;
};

Form1 &form1();

// Loads and shows the main menu without touching its list.
void showMenu();
// Presses the menu's "法人税の目次": the menu comes forward with its list refreshed.
void backToMenu();

// The text of one company-list item: "07 : name  [平成19.4.1]".
QString companyListItem(const CompanyProfileRecord &rec);

} // namespace hz
