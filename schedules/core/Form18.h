#pragma once

#include "common/read_or_say.h"
#include "platform/controls.h"

#include <array>

namespace hz {

struct TaxRateTable;

// "税率の設定": the installation's tax-rate table. Nine item boxes, the data and save actions, two presets.
class Form18 final : public Form {
public:
    Form18();

    // The nine item boxes, items 1 to 9 of the rate file.
    TextBox Text10{this, "Text10"}; // 1 法人税 年８００万円以下 ％
    TextBox Text16{this, "Text16"}; // 2 法人税 年８００万円超 ％
    TextBox Text30{this, "Text30"}; // 3 法人事業税 年４００万円以下 ％
    TextBox Text36{this, "Text36"}; // 4 法人事業税 年８００万円以下 ％
    TextBox Text42{this, "Text42"}; // 5 法人事業税 年８００万円超 ％
    TextBox Text28{this, "Text28"}; // 6 法人県民税 税率 ％
    TextBox Text34{this, "Text34"}; // 7 法人県民税 均等割額 円
    TextBox Text12{this, "Text12"}; // 8 法人市民税 税率 ％
    TextBox Text18{this, "Text18"}; // 9 法人市民税 均等割額 円

    Button Command8{this, "Command8"}; // DATA
    Button Command4{this, "Command4"}; // 計算実行 (save)
    Button Command1{this, "Command1"}; // クリア
    Button Command2{this, "Command2"}; // とりあえず７万円
    Button Command3{this, "Command3"}; // とりあえず１８万円
    Button Command5{this, "Command5"}; // 画面の消去

    void Command8_Click(); // data action
    void Command4_Click(); // save action
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command5_Click();

protected:
    void setupUi(QWidget *window) override;
    void Form_Load() override;

private:
    // The rate table, when the last data action could not read it: saved again from a preset, or from all nine
    // boxes typed since.
    RecordHold hold{{&Text10, &Text16, &Text30, &Text36, &Text42, &Text28, &Text34, &Text12, &Text18},
                    RecordHold::Afresh::everyBox};
    // The item boxes in file order, items 1 to 9.
    std::array<TextBox *, 9> itemBoxes();
    // A table the user chose (a preset) gives the boxes as the user's own, as typed.
    void showTable(const TaxRateTable &t, bool chosen = false);
};

Form18 &form18();

} // namespace hz
