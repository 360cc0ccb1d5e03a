#include "core/paths.h"
#include "schedules/core/Form20.h"
#include "schedules/core/Form3.h"
#include "schedules/core/interim.h"
#include "tests/support/fixture.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>

namespace hz::test {
namespace {

QString recordOf(int code) { return QStringLiteral("c:\\法人税\\別表\\中間申告%1.txt").arg(code); }

class InterimWindow : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        ensureDataRoot();
        // Schedule 1 reads the rate table when it is first touched.
        writeFile(QStringLiteral("c:\\法人税\\税率.txt"),
                  lines({"22", "30", "5", "7.3", "9.6", "5", "50000", "12.3", "130000"}));
    }
    static QByteArray record(const QStringList &six) {
        QStringList all = six;
        for (int i = 1; i <= 12; ++i)
            all << QStringLiteral("\"予備%1\"").arg(i);
        return lines(all);
    }
    static std::array<TextBox *, 6> amountBoxes() {
        Form20 &f = form20();
        return {&f.Text1, &f.Text2, &f.Text3, &f.Text4, &f.Text5, &f.Text6};
    }
    static QStringList amountTexts() {
        QStringList out;
        for (TextBox *b : amountBoxes())
            out << b->text();
        return out;
    }
    static void type(const QStringList &six) {
        for (int i = 0; i < 6; ++i)
            amountBoxes()[i]->setText(six[i]);
    }
    // Schedule 1's interim boxes in the order the amounts go there.
    static QStringList schedule1Boxes() {
        Form3 &s = form3();
        return {s.Text6.text(), s.Text27.text(), s.Text30.text(), s.Text23.text(), s.Text32.text(), s.Text35.text()};
    }
};

TEST_F(InterimWindow, ComputePushesIntoScheduleOneSavesAndShowsGrouped) {
    form20().Text15.setText(QStringLiteral("12"));
    type({"1,200", "2000", " 3 ", "4,000,000", "5.5", "-6"});
    click(form20().Command1);
    // Schedule 1 shows what was saved; a fraction rounds half to even.
    EXPECT_EQ(schedule1Boxes(), (QStringList{"1,200", "2,000", "3", "4,000,000", "6", "-6"}));
    EXPECT_EQ(readFile(recordOf(12)), record({"1200", "2000", "3", "4000000", "6", "-6"}));
    EXPECT_EQ(amountTexts(), (QStringList{"1,200", "2,000", "3", "4,000,000", "6", "-6"}));
    EXPECT_EQ(form20().companyCode, 12);
    EXPECT_TRUE(svc.events.isEmpty());
    snapshot(form20(), QStringLiteral("form20"));

    // The record reads back into the boxes.
    click(form20().Command3);
    EXPECT_EQ(amountTexts(), QStringList(6, QString()));
    click(form20().Command2);
    EXPECT_EQ(amountTexts(), (QStringList{"1,200", "2,000", "3", "4,000,000", "6", "-6"}));
    EXPECT_EQ(readInterimAmounts(12).amounts, (std::array<std::int32_t, 6>{1200, 2000, 3, 4000000, 6, -6}));
}

TEST_F(InterimWindow, EmptyOrUnreadableBoxesPushAndSaveZeros) {
    form20().Text15.setText(QStringLiteral("3"));
    type({"", " ", "abc", "99999999999", "", ""});
    click(form20().Command1);
    EXPECT_EQ(schedule1Boxes(), QStringList(6, QString()));
    EXPECT_EQ(readFile(recordOf(3)), record(QStringList(6, QStringLiteral("0"))));
    EXPECT_EQ(amountTexts(), QStringList(6, QString()));
}

TEST_F(InterimWindow, PerCapitaPresetsReachScheduleOneAndTheRecord) {
    struct Case {
        const char *name;
        Button Form20::*preset;
        QString prefectural;
        QString municipal;
    };
    const Case cases[] = {
        {"均等割７万円", &Form20::Command5, "10,000", "25,000"},
        {"均等割１８万円", &Form20::Command6, "25,000", "65,000"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        form20().Text15.setText(QStringLiteral("5"));
        click(form20().*c.preset);
        click(form20().Command1);
        EXPECT_EQ(form3().Text30.text(), c.prefectural);
        EXPECT_EQ(form3().Text35.text(), c.municipal);
        EXPECT_EQ(readFile(recordOf(5)),
                  record({"0", "0", QString(c.prefectural).remove(u','), "0", "0", QString(c.municipal).remove(u',')}));
    }
}

TEST_F(InterimWindow, ComputeWithoutACodeDoesNothing) {
    form20().Text15.setText(QStringLiteral("abc"));
    type({"1", "2", "3", "4", "5", "6"});
    click(form20().Command1);
    EXPECT_EQ(schedule1Boxes(), QStringList(6, QStringLiteral(" ")));
    EXPECT_TRUE(QDir(hostPath(QStringLiteral("c:\\法人税\\別表"))).isEmpty());
    EXPECT_EQ(amountTexts(), (QStringList{"1", "2", "3", "4", "5", "6"}));
    EXPECT_TRUE(svc.events.isEmpty());
}

// Schedule 1 shows what the records give, so an amount that could not be saved does not reach it.
TEST_F(InterimWindow, ARecordThatCannotBeWrittenShowsTheErrorBoxAndReachesNothing) {
    QDir(hostPath(QStringLiteral("c:\\法人税\\別表"))).removeRecursively();
    form20().Text15.setText(QStringLiteral("7"));
    type({"1,000", "", "", "", "", ""});
    click(form20().Command1);
    EXPECT_EQ(form3().Text6.text(), QStringLiteral(" "));
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("中間申告"));
    EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("パスが見つかりません。"));
    EXPECT_EQ(svc.boxes[0].buttons, 48);
    // The boxes keep the text as typed.
    EXPECT_EQ(amountTexts(), (QStringList{"1,000", "", "", "", "", ""}));
}

TEST_F(InterimWindow, DataWithoutAReadableRecordEmptiesTheBoxesAndZeroesTheAmounts) {
    writeFile(recordOf(1), record({"100", "200", "300", "400", "500", "600"}));
    writeFile(recordOf(2), lines({"1", "2", "3", "4", "5"})); // one amount short
    struct Case {
        const char *name;
        QString code;
    };
    const Case cases[] = {{"no record", "9"}, {"a short record", "2"}, {"no code", " "}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        form20().Text15.setText(QStringLiteral("1"));
        click(form20().Command2);
        ASSERT_EQ(amountTexts(), (QStringList{"100", "200", "300", "400", "500", "600"}));
        form20().Text15.setText(c.code);
        click(form20().Command2);
        EXPECT_EQ(amountTexts(), QStringList(6, QString()));
        EXPECT_EQ(form20().amounts, (std::array<std::int32_t, 6>{}));
    }
    // Only the record that exists but cannot be read is said.
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("中間申告"));
    EXPECT_TRUE(svc.boxes[0].prompt.startsWith(QStringLiteral("c:\\法人税\\別表\\中間申告2.txt を読み込めません。")));
    // The next compute saves what the window now shows, not the first company's amounts.
    form20().Text15.setText(QStringLiteral("9"));
    click(form20().Command1);
    EXPECT_EQ(readFile(recordOf(9)), record(QStringList(6, QStringLiteral("0"))));
}

TEST_F(InterimWindow, HideKeepsTheBoxes) {
    form20().show();
    type({"1", "", "", "", "", ""});
    click(form20().Command4);
    EXPECT_FALSE(form20().isVisible());
    EXPECT_TRUE(form20().isLoaded());
    EXPECT_EQ(form20().Text1.text(), QStringLiteral("1"));
}

class InterimKeys : public InterimWindow {
protected:
    static void key(QWidget *w, int qtKey, const QString &text = {}) {
        QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
        QApplication::sendEvent(w, &press);
    }
    static void focusOn(QWidget *w) {
        form20().window()->activateWindow();
        QApplication::processEvents();
        w->setFocus();
        QApplication::processEvents();
    }
};

TEST_F(InterimKeys, EnterMovesTheFocusDownTheAmountsAndOnToTheComputeButton) {
    form20().show();
    const auto boxes = amountBoxes();
    struct Case {
        QWidget *from;
        QWidget *to;
    };
    const Case cases[] = {
        {boxes[0]->widget(), boxes[1]->widget()},
        {boxes[2]->widget(), boxes[3]->widget()},
        {boxes[5]->widget(), form20().Command1.widget()},
        {form20().Command1.widget(), form20().Command2.widget()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.from->objectName().toStdString());
        focusOn(c.from);
        ASSERT_EQ(QApplication::focusWidget(), c.from);
        key(c.from, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), c.to);
    }
    // Enter on the compute button only moves on: nothing was computed or saved.
    EXPECT_FALSE(exists(recordOf(0)));
    EXPECT_TRUE(QDir(hostPath(QStringLiteral("c:\\法人税\\別表"))).isEmpty());
}

TEST_F(InterimKeys, OtherKeysReachTheBoxAndLeaveTheFocus) {
    form20().show();
    QWidget *third = form20().Text3.widget();
    focusOn(third);
    form20().Text3.setText(QString());
    key(third, Qt::Key_5, QStringLiteral("5"));
    EXPECT_EQ(form20().Text3.text(), QStringLiteral("5"));
    EXPECT_EQ(QApplication::focusWidget(), third);
}

} // namespace
} // namespace hz::test
