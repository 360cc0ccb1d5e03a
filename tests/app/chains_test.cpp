// The chains that open, register, bulk-enter and print a company press the schedule windows' buttons in a fixed
// order; the figures that travel between the schedules settle only in that order. These tests record the
// presses each chain makes itself and compare them with that order.

#include "app/Form1.h"
#include "company/Form2.h"
#include "core/paths.h"
#include "core/records.h"
#include "platform/services.h"
#include "print/Form12.h"
#include "schedules/core/Form4.h"
#include "schedules/core/Form6.h"
#include "schedules/more/Form8.h"
#include "schedules/more/Form14.h"
#include "tests/support/fixture.h"

namespace hz::test {
namespace {

class Chains : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        writeStandardRates();
    }

    // Registers company 7 through the registration window, as a user types it.
    static void registerCompany() {
        Form2 &f = form2();
        f.Text1.setText(QStringLiteral("7"));
        f.Text3.setText(QStringLiteral("株式会社山田商店"));
        f.Text13.setText(QStringLiteral("19"));
        f.Text14.setText(QStringLiteral("4"));
        f.Text15.setText(QStringLiteral("1"));
        f.Text17.setText(QStringLiteral("20"));
        f.Text18.setText(QStringLiteral("3"));
        f.Text19.setText(QStringLiteral("31"));
        f.Text11.setText(QStringLiteral("10,000,000"));
        f.Text21.setText(QStringLiteral("20"));
        f.Text20.setText(QStringLiteral("5"));
        f.Text4.setText(QStringLiteral("31"));
        click(f.Command4);
    }

    // The presses a click makes itself (one level in), and those of each of them (two levels in) by name.
    struct Trace {
        QStringList ownPresses;
        QStringList all;
        std::string own() const { return ownPresses.join(u' ').toStdString(); }
        std::string inside(const QString &ownPress, int occurrence = 0) const {
            QStringList result;
            int seen = -1;
            bool in = false;
            for (const QString &p : all) {
                const bool top = p.startsWith(QStringLiteral("  ")) && !p.startsWith(QStringLiteral("   "));
                if (top) {
                    in = p.trimmed() == ownPress && ++seen == occurrence;
                    continue;
                }
                if (in && p.startsWith(QStringLiteral("    ")) && !p.startsWith(QStringLiteral("     ")))
                    result << p.trimmed();
            }
            return result.join(u' ').toStdString();
        }
    };
    static Trace trace(Button &b) {
        Trace t;
        tracePresses(&t.all);
        click(b);
        tracePresses(nullptr);
        for (const QString &p : t.all)
            if (p.startsWith(QStringLiteral("  ")) && !p.startsWith(QStringLiteral("   ")))
                t.ownPresses << p.trimmed();
        return t;
    }
    static std::string split(const char *presses) { return presses; }
    // A chain runs its pass until one more would save the same records: the presses are the pass, two to four
    // times (one that changes records, then one that finds nothing changed; a settled company needs one), then
    // what follows the passes.
    static std::string repeated(const char *pass, const Trace &t, const char *after = "") {
        const QString own = QString::fromStdString(t.own());
        for (int n = 1; n <= 4; ++n) {
            QString expected = QStringList(n, QString::fromUtf8(pass)).join(u' ');
            if (*after)
                expected += u' ' + QString::fromUtf8(after);
            if (own == expected)
                return t.own();
        }
        return "not one to four passes of: " + std::string(pass) + " then " + after;
    }
};

// What each schedule compute presses of its own, wherever a chain presses it.
const char *kSchedule5_1Compute = "Form5.Command4 Form6.Command7";
const char *kSchedule5_2Compute = "Form5.Command4 Form6.Command1 Form7.Command20";

TEST_F(Chains, OpeningACompany) {
    registerCompany();
    form1().Text1.setText(QStringLiteral("7"));
    const Trace t = trace(form1().Command2);
    EXPECT_TRUE(svc.boxes.empty());
    // Schedule 5(2) and its second window are computed too, as every other chain computes them.
    EXPECT_EQ(t.own(), repeated("Form3.Command8 Form4.Command7 Form5.Command7 Form6.Command7 Form7.Command20 "
                                "Form7.Command20 Form13.Command19 Form8.Command9 Form8.Command10 Form8.Command11 "
                                "Form5.Command4 Form3.Command4 Form6.Command1 Form1.Command12 Form6.Command1 "
                                "Form3.Command4 Form7.Command19 Form13.Command20 Form3.Command4",
                                t));
    EXPECT_EQ(t.inside(QStringLiteral("Form1.Command12")), split("Form3.Command8 Form5.Command4 Form3.Command4"));
    // Schedule 1's compute ends with its hidden button, which runs Schedule 7's compute.
    EXPECT_TRUE(t.inside(QStringLiteral("Form3.Command4")).ends_with("Form3.Command10"));
    EXPECT_EQ(t.inside(QStringLiteral("Form6.Command1"), 1), split(kSchedule5_1Compute));
}

TEST_F(Chains, ScheduleOneFromTheMenu) {
    registerCompany();
    form1().Text1.setText(QStringLiteral("7"));
    const Trace t = trace(form1().Command12);
    // The record first, then Schedule 4's compute, which pushes this year's income into it, then the compute.
    EXPECT_EQ(t.own(), split("Form3.Command8 Form5.Command4 Form3.Command4"));
}

TEST_F(Chains, RegisteringACompany) {
    form1(); // the program has started: the menu is up
    Trace t;
    tracePresses(&t.all);
    registerCompany();
    tracePresses(nullptr);
    for (const QString &p : t.all)
        if (p.startsWith(QStringLiteral("  ")) && !p.startsWith(QStringLiteral("   ")))
            t.ownPresses << p.trimmed();
    EXPECT_TRUE(svc.boxes.empty());
    EXPECT_EQ(t.own(), repeated("Form1.Command2 Form3.Command4 Form4.Command1 Form5.Command4 Form6.Command1 "
                                "Form7.Command19 Form13.Command20 Form8.Command1 Form8.Command2 Form8.Command3",
                                t));
    EXPECT_EQ(t.inside(QStringLiteral("Form7.Command19")), split(kSchedule5_2Compute));
    EXPECT_EQ(t.inside(QStringLiteral("Form13.Command20")),
              split("Form5.Command4 Form6.Command1 Form13.Command19"));
}

TEST_F(Chains, ThePrintWindowsDataLoad) {
    registerCompany();
    form12().Text1.setText(QStringLiteral("7"));
    const Trace t = trace(form12().Command1);
    const char *pass = "Form3.Command4 Form4.Command1 Form5.Command4 Form6.Command1 Form7.Command20 "
                       "Form7.Command19 Form13.Command20 Form8.Command1 Form8.Command2 Form8.Command3 "
                       "Form11.Command7";
    EXPECT_EQ(t.own(), repeated(pass, t, "Form12.Command20"));

    // Windows that hold another company first load this one's records, in the order opening a company does.
    for (TextBox *box : {&form4().Text1, &form6().Text1, &form8().Text1})
        box->setText(QStringLiteral("8"));
    Trace other = trace(form12().Command1);
    const QString takeOver = QStringLiteral("Form4.Command7 Form6.Command7 Form8.Command9 Form8.Command10 "
                                            "Form8.Command11 ");
    const QString own = QString::fromStdString(other.own());
    ASSERT_TRUE(own.startsWith(takeOver)) << other.own();
    other.ownPresses = own.mid(takeOver.size()).split(u' ');
    EXPECT_EQ(other.own(), repeated(pass, other, "Form12.Command20"));
}

TEST_F(Chains, ApplyingBulkInput) {
    registerCompany();
    form1().Text1.setText(QStringLiteral("7"));
    form1().Text2.setText(QStringLiteral("株式会社山田商店"));
    // The menu's button loads the window, and the load applies what it read.
    const Trace opening = trace(form1().Command19);
    EXPECT_EQ(opening.own(), split("Form14.Command3"));
    EXPECT_EQ(opening.inside(QStringLiteral("Form14.Command3")), split("Form14.Command6 Form14.Command1"));

    // A new profit: line 1's 留保 of Schedule 4 follows it.
    form14().bulkFigureBox(1).setText(QStringLiteral("1,000,000"));
    const Trace t = trace(form14().Command1);
    EXPECT_EQ(t.own(), repeated("Form8.Command1 Form8.Command3 Form8.Command2 Form7.Command19 Form13.Command20 "
                                "Form6.Command1 Form5.Command2 Form5.Command4 Form3.Command4",
                                t, "Form14.Command7"));

    // A company whose Schedule 5(1) held data is asked about; No brings Schedule 1 forward.
    form14().Text101.setText(QStringLiteral("1"));
    svc.answer(mb::No);
    const Trace asked = trace(form14().Command1);
    EXPECT_TRUE(asked.own().ends_with("Form14.Command7 Form1.Command12")) << asked.own();
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("データが入力済みです。書き換えますか？"));
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("一括入力"));
}

} // namespace
} // namespace hz::test
