// What users mistype, typed into every kind of box of the program, with the compute or save button pressed after
// it. Two companies are kept on the disk: company 1 filled in completely, company 2 likewise, and
// every test mistypes in company 2's windows. Whatever is shown, company 1's records and the installation's files
// stay byte for byte as they were, and every record on the disk is whole: either untouched or written completely.

#include "app/Form1.h"
#include "company/Form2.h"
#include "core/cp932.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"
#include "platform/form.h"
#include "schedules/core/Form11.h"
#include "schedules/core/Form18.h"
#include "schedules/core/Form20.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form4.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/core/tax_rates.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form14.h"
#include "schedules/more/Form15.h"
#include "schedules/more/Form16.h"
#include "schedules/more/Form7.h"
#include "schedules/more/Form8.h"
#include "schedules/more/bad_debt.h"
#include "schedules/more/schedule5_2.h"
#include "schedules/more/schedule7.h"
#include "tests/scenarios/two_companies.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace hz::test {
namespace {

// ---- What users type ------------------------------------------------------------------------------------------

// The empty box comes first: every other text is compared with what it does.
const QString kMistyped[] = {
    QString(),                // emptied
    QStringLiteral(" "),      // the single blank a box starts with
    QStringLiteral("abc"),    // letters
    QStringLiteral("1,2,3"),  // stray commas: read as 123
    QStringLiteral("１２３"), // typed with the input method in full-width mode: read as ASCII
    QStringLiteral("－５"),
    QStringLiteral("１，２３４"),
    QStringLiteral("99999999999"), // beyond 32 bits
    QStringLiteral("-5"),          // a negative where an amount is expected
    QStringLiteral("\U0001F600"),  // a character code page 932 cannot hold
};

const QString kTypeMismatch = QStringLiteral("型が一致しません。");
const QString kOverflow = QStringLiteral("オーバーフローしました。");
const QString kFileNotFound = QStringLiteral("ファイルが見つかりません。");
const QString kUnencodable = QStringLiteral("保存できない文字が含まれています。");

// The whole number a text reads as, when it reads as one at all.
std::optional<std::int32_t> wholeOf(const QString &text) {
    if (text == QStringLiteral("1,2,3") || text == QStringLiteral("１２３"))
        return 123;
    if (text == QStringLiteral("-5") || text == QStringLiteral("－５"))
        return -5;
    if (text == QStringLiteral("１，２３４"))
        return 1234;
    return std::nullopt;
}

// Why a text that is no whole number is refused.
QString refusal(const QString &text) { return text == QStringLiteral("99999999999") ? kOverflow : kTypeMismatch; }

class BadInput : public TwoCompanies {};

// ---- Code boxes -----------------------------------------------------------------------------------------------

// The menu's code box, then "会社呼出": a text that is no whole number is refused with its error, a whole number
// that names no company with the missing file; either way the box is emptied and nothing on the disk changes.
TEST_F(BadInput, MenuCodeBoxRefusesWhatNamesNoCompany) {
    for (const QString &text : kMistyped) {
        SCOPED_TRACE(text.toStdString());
        const Disk before = freshSession();
        form1().Text1.setText(text);
        click(form1().Command2); // 会社呼出
        const QString why = wholeOf(text)
                                ? profilePath(*wholeOf(text)) + QStringLiteral(" を読み込めません。\n") + kFileNotFound
                                : refusal(text);
        EXPECT_EQ(shown(), std::vector<std::string>{box(QStringLiteral("会社呼出"), why)});
        EXPECT_EQ(form1().Text1.text().toStdString(), "");
        EXPECT_FALSE(svc.ended);
        expectNothingLost(before, readDisk());
    }
}

// ---- Amount boxes ---------------------------------------------------------------------------------------------

// How a box reads what it is given.
enum class Reading {
    whole,   // a 32-bit whole number: beyond 32 bits is unreadable
    decimal, // a double-precision value: beyond 32 bits still reads
};

// An amount box of a schedule window with the button that computes from it. A text that does not read gives the
// box's fallback: the text that stands for it (0 for nearly every box).
struct AmountBox {
    const char *name;
    std::function<void()> open;
    std::function<TextBox &()> box;
    std::function<Button &()> compute;
    std::function<QString()> fallback = [] { return QStringLiteral("0"); };
    Reading reading = Reading::whole;
    // The bulk input keeps a total of the press before and its chain settles in two presses, so it is pressed
    // twice for each text.
    int presses = 1;
};

// A user's click, for the tables below, which live outside the fixture.
void userClick(Button &b) {
    userAction([&b] { press(b); });
}

// The text a mistyped text must count as in the box: the same number typed plainly, or the box's fallback.
QString countsAs(const AmountBox &b, const QString &text) {
    if (b.reading == Reading::decimal && text == QStringLiteral("99999999999"))
        return text;
    if (const auto v = wholeOf(text))
        return plain(*v);
    return b.fallback();
}

const std::vector<AmountBox> &amountBoxes() {
    static const std::vector<AmountBox> boxes = {
        {"別表一 所得金額", [] { userClick(form1().Command12); }, []() -> TextBox & { return form3().Text3; },
         []() -> Button & { return form3().Command4; }},
        {"別表一 中間法人税額", [] { userClick(form1().Command12); }, []() -> TextBox & { return form3().Text6; },
         []() -> Button & { return form3().Command4; }},
        {"別表一 控除利子割", [] { userClick(form1().Command12); }, []() -> TextBox & { return form3().Text26; },
         []() -> Button & { return form3().Command4; }, [] { return QStringLiteral("0"); }, Reading::decimal},
        {"別表二 持株", [] { userClick(form1().Command4); }, []() -> TextBox & { return form4().holdingBox(1); },
         []() -> Button & { return form4().Command1; }},
        {"別表四 加算", [] { userClick(form1().Command5); }, []() -> TextBox & { return form5().Text40; },
         []() -> Button & { return form5().Command4; }},
        // An empty 留保 of line 1 means the whole profit is retained.
        {"別表四 留保", [] { userClick(form1().Command5); }, []() -> TextBox & { return form5().Text4; },
         []() -> Button & { return form5().Command4; }, [] { return form5().Text5.text(); }},
        {"別表五（一） 期首", [] { userClick(form1().Command6); }, []() -> TextBox & { return form6().cellBox(2, 1); },
         []() -> Button & { return form6().Command1; }},
        {"資本金等 期首", [] { userClick(form1().Command15); }, []() -> TextBox & { return form11().cellBox(1, 1); },
         []() -> Button & { return form11().Command1; }},
        {"別表五（二） 前期", [] { userClick(form1().Command7); }, []() -> TextBox & { return form7().Text11; },
         []() -> Button & { return form7().Command19; }},
        {"別表五（二） 均等割", [] { userClick(form1().Command7); }, []() -> TextBox & { return form7().Text12; },
         []() -> Button & { return form7().Command19; }},
        {"別表五（二）その２ 当期発生額", [] { userClick(form1().Command14); },
         []() -> TextBox & { return *form13().cellBox(taxGridCell(6, 2)); },
         []() -> Button & { return form13().Command20; }},
        {"別表六 受取利子", [] { userClick(form1().Command8); }, []() -> TextBox & { return form8().Text2; },
         []() -> Button & { return form8().Command1; }},
        {"別表六 所有期間", [] { userClick(form1().Command8); }, []() -> TextBox & { return form8().Text21; },
         []() -> Button & { return form8().Command1; }},
        {"別表六 月数", [] { userClick(form1().Command8); }, []() -> TextBox & { return form8().Text22; },
         []() -> Button & { return form8().Command1; }},
        {"別表七 控除未済", [] { userClick(form1().Command8); },
         []() -> TextBox & { return form8().schedule7Box(schedule7Rows[6].outstanding); },
         []() -> Button & { return form8().Command2; }},
        {"別表十五 支出交際費", [] { userClick(form1().Command8); }, []() -> TextBox & { return form8().Text46; },
         []() -> Button & { return form8().Command3; }},
        {"中間申告", [] { userClick(form3().Command9); }, []() -> TextBox & { return form20().Text1; },
         []() -> Button & { return form20().Command1; }},
        {"一括入力 売上", [] { userClick(form1().Command19); }, []() -> TextBox & { return form14().bulkFigureBox(1); },
         []() -> Button & { return form14().Command1; }, [] { return QStringLiteral("0"); }, Reading::whole, 2},
        {"一括入力 源泉所得税", [] { userClick(form1().Command19); },
         []() -> TextBox & { return form14().bulkFigureBox(20); }, []() -> Button & { return form14().Command1; },
         [] { return QStringLiteral("0"); }, Reading::whole, 2},
        {"貸倒引当金 繰入額", [] { userClick(form1().Command21); },
         []() -> TextBox & { return form15().lineBox(s11::charged); }, []() -> Button & { return form15().Command1; }},
        // A number of periods nobody could read counts as 100.
        {"貸倒引当金 事業年度の数", [] { userClick(form1().Command21); },
         []() -> TextBox & { return form15().lineBox(s11::perPeriod); }, []() -> Button & { return form15().Command1; },
         [] { return QStringLiteral("100"); }},
        {"一括評価金銭債権 期末残高", [] { userClick(form1().Command21), userClick(form15().Command4); },
         []() -> TextBox & { return form16().cellBox(detailCell(1, 18)); },
         []() -> Button & { return form16().Command1; }},
    };
    return boxes;
}

// Whatever is typed into an amount box, compute saves exactly what typing the number it counts as saves: no box
// is shown, no record is half written, company 1 is untouched.
TEST_F(BadInput, AmountBoxesCountMistypedTextAsTheirFallback) {
    for (const AmountBox &b : amountBoxes()) {
        SCOPED_TRACE(b.name);
        const Disk before = freshSession(b.open);
        for (const QString &text : kMistyped) {
            SCOPED_TRACE(text.toStdString());
            b.box().setText(countsAs(b, text));
            for (int i = 0; i < b.presses; ++i)
                click(b.compute());
            const Disk expected = readDisk();
            for (int i = 0; i < b.presses; ++i) {
                b.box().setText(text);
                click(b.compute());
            }
            const Disk got = readDisk();
            EXPECT_EQ(differences(expected, got), "");
            EXPECT_EQ(shown(), std::vector<std::string>{});
            EXPECT_FALSE(svc.ended);
            forgetShown();
            expectNothingLost(before, got);
        }
    }
}

// ---- The registration window: code, capital and date boxes -----------------------------------------------------

// The registration window from the menu, filled in for a new company 3 with its business year worked out.
void fillNewCompany() {
    userClick(form1().Command1); // 会社登録
    Form2 &r = form2();
    r.Text1.setText(QStringLiteral("3"));
    r.Text3.setText(QStringLiteral("株式会社三番物産"));
    r.Text11.setText(QStringLiteral("10,000,000"));
    r.Text13.setText(QStringLiteral("19"));
    r.Text14.setText(QStringLiteral("4"));
    r.Text15.setText(QStringLiteral("1"));
    userClick(r.Command3); // 事業年度
}

// Every number box of the registration must hold a number: otherwise "登録実行" shows its error and nothing is
// written; a number (the commas and the negative included) registers the company under the code it reads as, when
// that is a code from 1 to 999.
TEST_F(BadInput, RegistrationRefusesNumberBoxesThatHoldNoNumber) {
    const std::pair<const char *, std::function<TextBox &()>> boxes[] = {
        {"法人コード", []() -> TextBox & { return form2().Text1; }},
        {"資本金", []() -> TextBox & { return form2().Text11; }},
        {"事業年度 年", []() -> TextBox & { return form2().Text13; }},
        {"事業年度 月", []() -> TextBox & { return form2().Text14; }},
        {"決算確定日 日", []() -> TextBox & { return form2().Text4; }},
    };
    for (const auto &[name, field] : boxes) {
        SCOPED_TRACE(name);
        for (const QString &text : kMistyped) {
            SCOPED_TRACE(text.toStdString());
            const Disk before = freshSession(fillNewCompany);
            field().setText(text);
            click(form2().Command4); // 登録実行
            const auto code = &field() == &form2().Text1 ? wholeOf(text) : std::optional<std::int32_t>(3);
            const Disk after = readDisk();
            if (!wholeOf(text)) {
                EXPECT_EQ(shown(), std::vector<std::string>{box(QStringLiteral("会社登録"), refusal(text))});
                EXPECT_EQ(differences(before, after), "");
                continue;
            }
            if (!isCompanyCode(*code)) {
                // A code the list would never show.
                EXPECT_EQ(shown(), std::vector<std::string>{box(QStringLiteral("会社登録"), companyCodeRangeText)});
                EXPECT_EQ(differences(before, after), "");
                continue;
            }
            EXPECT_EQ(shown(), std::vector<std::string>{});
            EXPECT_TRUE(after.count(insideDrive(profilePath(*code)))) << "company " << *code << " not registered";
            expectNothingLost(before, after);
        }
    }
}

// "事業年度" works out the end of the year from the start: a start that holds no number shows its error.
TEST_F(BadInput, BusinessYearRefusesADateThatHoldsNoNumber) {
    freshSession(fillNewCompany);
    Form2 &r = form2();
    const std::pair<const char *, TextBox *> starts[] = {{"年", &r.Text13}, {"月", &r.Text14}, {"日", &r.Text15}};
    for (const auto &[name, field] : starts) {
        SCOPED_TRACE(name);
        for (const QString &text : kMistyped) {
            SCOPED_TRACE(text.toStdString());
            r.Text13.setText(QStringLiteral("19"));
            r.Text14.setText(QStringLiteral("4"));
            r.Text15.setText(QStringLiteral("1"));
            field->setText(text);
            r.Text17.setText(QString());
            click(r.Command3);
            if (wholeOf(text)) {
                EXPECT_EQ(shown(), std::vector<std::string>{});
                EXPECT_NE(r.Text17.text().toStdString(), "");
            } else {
                EXPECT_EQ(shown(), std::vector<std::string>{box(QStringLiteral("事業年度入力"), refusal(text))});
                EXPECT_EQ(r.Text17.text().toStdString(), "");
            }
            forgetShown();
        }
    }
}

// ---- Name boxes -----------------------------------------------------------------------------------------------

// A box of free text saved with a schedule's record, the button that saves it and the title of its error box.
struct NameBox {
    const char *name;
    std::function<void()> open;
    std::function<TextBox &()> box;
    std::function<Button &()> save;
    QString title;
    QString record; // the prefix of the record the text is saved in
};

// Any text that code page 932 holds is saved as typed, between double quotation marks; one it cannot hold is
// refused with its error box and the record keeps what it held.
TEST_F(BadInput, NameBoxesSaveWhatCodePage932HoldsAndRefuseTheRest) {
    const QString code = QStringLiteral("法人コードの入力");
    const NameBox boxes[] = {
        {"別表二 株主", [] { userClick(form1().Command4); }, []() -> TextBox & { return form4().nameBox(1); },
         []() -> Button & { return form4().Command1; }, QStringLiteral("別表二"), u"c:\\法人税\\別表\\1020"_qs},
        {"別表四 加算の名", [] { userClick(form1().Command5); }, []() -> TextBox & { return form5().Text41; },
         []() -> Button & { return form5().Command4; }, QStringLiteral("別表四"), u"c:\\法人税\\別表\\1040"_qs},
        {"別表五（一） 積立金の名", [] { userClick(form1().Command6); },
         []() -> TextBox & { return form6().nameBox(2); }, []() -> Button & { return form6().Command1; },
         QStringLiteral("別表五（一）"), u"c:\\法人税\\別表\\1051"_qs},
        {"資本金等 行の名", [] { userClick(form1().Command15); }, []() -> TextBox & { return form11().Text8; },
         []() -> Button & { return form11().Command1; }, QStringLiteral("資本準備金"),
         u"c:\\法人税\\別表\\1051資準"_qs},
        {"別表五（二）その２ 税目", [] { userClick(form1().Command14); },
         []() -> TextBox & { return form13().nameBox(0); }, []() -> Button & { return form13().Command20; },
         QStringLiteral("別表五（二）の２"), u"c:\\法人税\\別表\\1053"_qs},
        {"別表六 銘柄", [] { userClick(form1().Command8); }, []() -> TextBox & { return form8().Text11; },
         []() -> Button & { return form8().Command1; }, code, u"c:\\法人税\\別表\\1060"_qs},
        {"一括評価金銭債権 勘定科目", [] { userClick(form1().Command21), userClick(form15().Command4); },
         []() -> TextBox & { return form16().nameBox(1); }, []() -> Button & { return form16().Command1; },
         QStringLiteral("貸倒引当金（一括評価金銭債権の明細外）"), u"c:\\法人税\\別表\\100112"_qs},
    };
    for (const NameBox &b : boxes) {
        SCOPED_TRACE(b.name);
        const Disk before = freshSession(b.open);
        const QString record = insideDrive(companyPath(b.record, 2));
        for (const QString &text : kMistyped) {
            SCOPED_TRACE(text.toStdString());
            const Disk was = readDisk();
            b.box().setText(text);
            click(b.save());
            const Disk after = readDisk();
            if (text == kMistyped[std::size(kMistyped) - 1]) {
                EXPECT_EQ(shown(), std::vector<std::string>{box(b.title, kUnencodable)});
                EXPECT_EQ(differences({{record, was.at(record)}}, {{record, after.at(record)}}), "");
            } else {
                EXPECT_EQ(shown(), std::vector<std::string>{});
                EXPECT_TRUE(("\r\n" + after.at(record)).contains("\r\n" + encodeCp932(u'"' + text + u'"') + "\r\n"))
                    << record.toStdString();
            }
            forgetShown();
            expectNothingLost(before, after);
        }
    }
}

// The registration refuses a company name that code page 932 cannot hold before it writes anything.
TEST_F(BadInput, RegistrationRefusesANameCodePage932CannotHold) {
    const Disk before = freshSession(fillNewCompany);
    form2().Text3.setText(QStringLiteral("株式会社\U0001F600"));
    click(form2().Command4);
    EXPECT_EQ(shown(), std::vector<std::string>{box(QStringLiteral("会社登録"), kUnencodable)});
    EXPECT_EQ(differences(before, readDisk()), "");
    EXPECT_EQ(form1().Text1.text().toStdString(), "2");
}

// ---- Rate boxes -----------------------------------------------------------------------------------------------

// The tax-rate window saves each box as a single-precision value: what does not read is saved as 0, a value
// beyond 32 bits as itself.
TEST_F(BadInput, RateBoxesSaveWhatDoesNotReadAsZero) {
    const QString rates = QStringLiteral("c:\\法人税\\税率.txt");
    const Disk before = freshSession([] { userClick(form1().Command23); });
    // Item 1, the corporate-tax rate, and item 7, the prefectural levy.
    const std::pair<int, TextBox *> items[] = {{1, &form18().Text10}, {7, &form18().Text34}};
    for (const auto &[item, field] : items) {
        SCOPED_TRACE(item);
        for (const QString &text : kMistyped) {
            SCOPED_TRACE(text.toStdString());
            userClick(form18().Command3); // とりあえず１８万円
            QList<QByteArray> expected = readFile(rates).split('\n');
            const double v = text == QStringLiteral("99999999999") ? 99999999999.0 : wholeOf(text).value_or(0);
            expected[item - 1] = encodeCp932(singleText(float(v))) + '\r';
            field->setText(text);
            click(form18().Command4);
            EXPECT_EQ(readFile(rates).split('\n'), expected);
            EXPECT_EQ(shown(), std::vector<std::string>{});
            forgetShown();
            expectNothingLost(before, readDisk(), {insideDrive(rates)});
        }
    }
}

// An amount that reads but leaves no room for any sum: each compute either saves or shows the overflow in its
// error box, and never leaves a half record.
TEST_F(BadInput, AmountsAtTheLimitOf32BitsSaveOrShowTheOverflow) {
    for (const AmountBox &b : amountBoxes()) {
        SCOPED_TRACE(b.name);
        const Disk before = freshSession(b.open);
        b.box().setText(QStringLiteral("2,147,483,647"));
        click(b.compute());
        for (const ShownBox &shownBox : svc.boxes)
            EXPECT_EQ(shownBox.prompt.toStdString(), kOverflow.toStdString()) << shownBox.title.toStdString();
        EXPECT_FALSE(svc.ended);
        expectNothingLost(before, readDisk());
    }
}

// The menu's company name names the bulk input's scratch file: whatever it holds, the file lands in the scratch
// folder under a name the file system takes, and nothing else on the disk changes.
TEST_F(BadInput, BulkInputKeepsItsScratchFileInTheScratchFolder) {
    std::vector<QString> names(std::begin(kMistyped), std::end(kMistyped));
    names.push_back(QStringLiteral("..\\..\\税率"));
    names.push_back(QStringLiteral("a/b:c*?\"<>|"));
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        const Disk before = freshSession();
        form1().Text2.setText(name);
        click(form1().Command19); // 一括入力
        const Disk after = readDisk();
        EXPECT_EQ(shown(), std::vector<std::string>{});
        std::vector<std::string> added;
        for (const auto &[path, bytes] : after)
            if (!before.count(path))
                added.push_back(path.toStdString());
        ASSERT_EQ(added.size(), 1u);
        EXPECT_TRUE(isScratchFile(QString::fromStdString(added[0]))) << added[0];
        EXPECT_EQ(QFileInfo(QString::fromStdString(added[0])).path(), QFileInfo(scratchOf(kName2)).path());
        expectNothingLost(before, after);
    }
}

} // namespace
} // namespace hz::test
