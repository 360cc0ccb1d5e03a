#pragma once

#include "common/read_or_say.h"
#include "platform/controls.h"
#include "print/print_data.h"

namespace hz {

// The print window "A4コピー用紙に印刷": the print data of the current company, the settings the returns need
// besides the figures, and the buttons that print the pages, alone, in sets or as a selection. Every page prints
// from the print data as the last load left them and reads no file.
class Form12 final : public Form {
public:
    Form12();

    TextBox Text1{this, "Text1"};      // hidden: the company code handed over by the menu
    Button Command1{this, "Command1"}; // hidden "データ": loadPrintData
    Label Label1{this, "Label1"};      // 所得金額
    Label Label2{this, "Label2"};      // 繰越欠損
    // The addressees of the local returns.
    TextBox Text2{this, "Text2"}; // 県税事務所
    TextBox Text3{this, "Text3"}; // 市役所・区役所

    // 特設欄: the refund account, the employees and the ward.
    Frame Frame5{this, "Frame5"};
    Button Command21{this, "Command21"}; // 特設欄データ登　録
    Button Command20{this, "Command20"}; // 特設欄データ呼　出
    Frame Frame3{this, "Frame3"};        // 還付先銀行名
    TextBox Text38{this, "Text38"};      // bank
    TextBox Text39{this, "Text39"};      // branch
    TextBox Text40{this, "Text40"};      // account number
    TextBox Text41{this, "Text41"};      // caption "銀行"
    TextBox Text42{this, "Text42"};      // caption "支店"
    TextBox Text43{this, "Text43"};      // caption "口座番号"
    Button Command18{this, "Command18"}; // 当座預金
    Button Command19{this, "Command19"}; // 普通預金
    Label Label11{this, "Label11"};      // the account type: 当座 or 普通
    Frame Frame4{this, "Frame4"};
    TextBox Text44{this, "Text44"}; // number of employees
    TextBox Text45{this, "Text45"}; // ward
    TextBox Text46{this, "Text46"}; // caption "従業員数"
    TextBox Text47{this, "Text47"}; // caption "区　　名"

    // The tax accountant.
    Frame Frame6{this, "Frame6"};
    Label Label13{this, "Label13"};
    TextBox Text58{this, "Text58"}; // name
    Label Label5{this, "Label5"};
    TextBox Text21{this, "Text21"}; // address
    Label Label15{this, "Label15"};
    TextBox Text59{this, "Text59"}; // telephone
    Label Label6{this, "Label6"};
    TextBox Text22{this, "Text22"}; // registration number
    Label Label7{this, "Label7"};
    TextBox Text23{this, "Text23"};        // branch of the association
    Button Command15{this, "Command15"};   // 登録実行
    OptionButton Option1{this, "Option1"}; // hidden, without behaviour
    OptionButton Option2{this, "Option2"}; // hidden, without behaviour

    // The representative as the Schedule 1 pages print him.
    TextBox Text26{this, "Text26"};
    Button Command33{this, "Command33"}; // 代表者名: loads the print data again
    Button Command32{this, "Command32"}; // 代表者名クリア
    Button Command34{this, "Command34"}; // 代表者名の登録

    // Page buttons.
    Label Label4{this, "Label4"}; // 印 刷 実 行
    Button Command12{this, "Command12"};
    Button Command4{this, "Command4"};
    Button Command22{this, "Command22"};
    Button Command23{this, "Command23"};
    Button Command7{this, "Command7"};
    Button Command8{this, "Command8"};
    Button Command14{this, "Command14"};
    Button Command13{this, "Command13"};
    Button Command3{this, "Command3"};
    Button Command2{this, "Command2"};
    Button Command10{this, "Command10"};
    Button Command16{this, "Command16"};
    Button Command9{this, "Command9"};
    Button Command11{this, "Command11"};
    Button Command5{this, "Command5"};   // hidden 別表十一
    Button Command6{this, "Command6"};   // hidden 法人事業税
    Button Command26{this, "Command26"}; // 税務署用紙・別表一
    Button Command25{this, "Command25"}; // 税務代理権限書

    // Print counters, one per counted page, under the heading box "枚数".
    TextBox Text20{this, "Text20"};
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

    // Sets and the selection.
    Button Command27{this, "Command27"}; // １部一括印刷
    Button Command28{this, "Command28"}; // ２部一括印刷
    Button Command29{this, "Command29"}; // ３部一括印刷
    Button Command43{this, "Command43"}; // ●を選択印刷
    Button Command30{this, "Command30"}; // 県税一括印刷
    Button Command31{this, "Command31"}; // 市民税税一括印刷
    // Selection toggles of the seven schedule pages: "●" marks a page as selected.
    Button Command35{this, "Command35"};
    Button Command36{this, "Command36"};
    Button Command37{this, "Command37"};
    Button Command38{this, "Command38"};
    Button Command39{this, "Command39"};
    Button Command40{this, "Command40"};
    Button Command41{this, "Command41"};
    Button Command44{this, "Command44"}; // 一括: all seven toggles
    Button Command42{this, "Command42"}; // クリア: the selection and the print counters
    // Hidden click counters of the seven toggles and of 一括.
    TextBox Text27{this, "Text27"};
    TextBox Text28{this, "Text28"};
    TextBox Text29{this, "Text29"};
    TextBox Text30{this, "Text30"};
    TextBox Text31{this, "Text31"};
    TextBox Text32{this, "Text32"};
    TextBox Text33{this, "Text33"};
    TextBox Text34{this, "Text34"};

    Button Command17{this, "Command17"}; // menu
    Label Label3{this, "Label3"};        // Ａ４用紙
    // Hidden picture boxes of the page images; the images themselves come from pageImage().
    PictureBox Picture1{this, "Picture1"};
    PictureBox Picture2{this, "Picture2"};
    PictureBox Picture3{this, "Picture3"};
    PictureBox Picture4{this, "Picture4"};
    PictureBox Picture5{this, "Picture5"};
    PictureBox Picture6{this, "Picture6"};
    PictureBox Picture7{this, "Picture7"};
    PictureBox Picture8{this, "Picture8"};
    TextBox Text24{this, "Text24"}; // hidden, without behaviour
    TextBox Text25{this, "Text25"}; // hidden, without behaviour

    // The print data of the last load and the working values of the pages; they live as long as the program,
    // also while the window is unloaded.
    PrintData data;
    PageState state;
    // The special-field record, or the profile of the company, and the tax-accountant record when the last load
    // could not read them: their saves write nothing over them until a load reads them, the window's own save
    // writes them, or the user has typed the record's values into its boxes.
    RecordHold specialFieldHold{{&Text38, &Text39, &Text40, &Text44, &Text45, &Text2, &Text3},
                                RecordHold::Afresh::anyBox};
    RecordHold accountantHold{{&Text58, &Text59, &Text21, &Text22, &Text23}, RecordHold::Afresh::anyBox};

    void Command1_Click(); // loadPrintData
    // Settings.
    void Command15_Click(); // tax-accountant save
    void Command18_Click();
    void Command19_Click();
    void Command20_Click(); // special-field load
    void Command21_Click(); // special-field save
    void Command32_Click();
    void Command33_Click();
    void Command34_Click();
    // Counters, sets and the selection.
    void Command24_Click();
    void Command27_Click();
    void Command28_Click();
    void Command29_Click();
    void Command43_Click();
    void Command42_Click();
    void Command44_Click();
    void Command30_Click();
    void Command31_Click();
    void Command17_Click();

    TextBox *printCounter(int i);   // 1..14: Text6..Text19
    Button *selectionToggle(int i); // 1..7: Command35..Command41
    TextBox *clickCounter(int i);   // 1..8: Text27..Text34
    // The page buttons of the seven schedule pages in set order: 別表二, 別表四, 別五（一）, 別五（二）, 別表六,
    // 別表七, 別表十五.
    Button *batchPage(int position);

protected:
    void setupUi(QWidget *window) override;
    void Form_QueryUnload(bool &cancel, int unloadMode) override;

private:
    // A page button: its counter, then its page as one print job.
    void printPageButton(const QString &caption);
    // printCounter: the counter box of page counter i raised by one before the page is drawn.
    void raisePrintCounter(int i);
    void toggleSelection(int position);
    void pressBatch(int copies);
    // The boxes and labels the load fills, as they stand before it has read anything.
    void showEmptyPrintData();
    // The schedule windows take the company of Text1 before they recompute.
    void takeCompanyCode(std::int32_t code);
    // Reads the tax accountant into the print data and its boxes; one that cannot be read is said and held.
    void loadTaxAccountant();
};

Form12 &form12();

// Step 2 of the print data load: every schedule recomputes and saves its record, Schedule 1 first.
void recomputeSchedulesBeforePrint();

} // namespace hz
