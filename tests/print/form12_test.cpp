#include "app/Form1.h"
#include "company/Form17.h"
#include "company/profile.h"
#include "platform/services.h"
#include "print/Form12.h"
#include "schedules/core/Form11.h"
#include "schedules/core/Form3.h"
#include "schedules/core/Form4.h"
#include "schedules/core/Form5.h"
#include "schedules/core/Form6.h"
#include "schedules/more/Form13.h"
#include "schedules/more/Form7.h"
#include "schedules/more/Form8.h"
#include "tests/support/fixture.h"

namespace hz::test {
namespace {

const QStringList profileValues19{"12",
                                  "1000000",
                                  "19",
                                  "4",
                                  "1",
                                  "20",
                                  "3",
                                  "31",
                                  "\"ヤマダ\"",
                                  "\"株式会社山田商店\"",
                                  "\"名古屋市中区1\"",
                                  "\"ヤマダタロウ\"",
                                  "\"名古屋市東区2\"",
                                  "\"小売業\"",
                                  "\"中\"",
                                  "\"052-000-0000\"",
                                  "20",
                                  "5",
                                  "25"};

QStringList quotedTail() {
    QStringList tail;
    for (int i = 2; i <= 12; ++i)
        tail << QStringLiteral("\"予備%1\"").arg(i);
    return tail;
}

class PrintWindow : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        writeStandardRates();
        writeFile(pledgeFilePath, lines({pledgeAcceptedMarker}));
    }
    void writeFullProfile(int code, const QString &representative) {
        QStringList values = profileValues19;
        values[0] = QString::number(code);
        values << "\"" + representative + "\"" << quotedTail();
        writeFile(profilePath(code), lines(values));
    }
    void load(const QString &code) {
        // The schedules the load recomputes work on the code that opening the company gave them.
        for (TextBox *box : {&form3().Text100, &form4().Text1, &form5().Text100, &form6().Text1, &form7().Text1,
                             &form13().Text19, &form8().Text1, &form11().Text1})
            box->setText(code);
        form12().Text1.setText(code);
        click(form12().Command1);
    }
};

TEST_F(PrintWindow, StoresAreHiddenAndTheWindowReadsAsDesigned) {
    Form12 &f = form12();
    EXPECT_EQ(f.caption(), QStringLiteral("A4コピー用紙に印刷"));
    EXPECT_FALSE(f.Text1.isVisible());
    EXPECT_FALSE(f.Command1.isVisible());
    EXPECT_EQ(f.Command1.caption(), QStringLiteral("データ"));
    for (int i = 1; i <= 8; ++i)
        EXPECT_FALSE(f.clickCounter(i)->isVisible()) << i;
    for (int i = 1; i <= 14; ++i)
        EXPECT_TRUE(f.printCounter(i)->isVisible()) << i;
    EXPECT_EQ(f.Command42.caption(), QStringLiteral("クリア"));
    EXPECT_EQ(f.Command24.caption(), QStringLiteral("クリア"));
    EXPECT_EQ(f.Command17.caption(), QStringLiteral("menu"));
}

TEST_F(PrintWindow, ClearEmptiesTheSelectionAndEveryPrintCounterButKeepsClickCounts) {
    Form12 &f = form12();
    for (int i = 1; i <= 7; ++i)
        f.selectionToggle(i)->setCaption(QStringLiteral("●"));
    for (int i = 1; i <= 14; ++i)
        f.printCounter(i)->setText(QString::number(i));
    f.Text27.setText(QStringLiteral("3"));
    click(f.Command42);
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(f.selectionToggle(i)->caption(), QString()) << i;
    for (int i = 1; i <= 14; ++i)
        EXPECT_EQ(f.printCounter(i)->text(), QString()) << i;
    EXPECT_EQ(f.Text27.text(), QStringLiteral("3"));
}

TEST_F(PrintWindow, ShortFormProfileIsReadAndRewrittenInTheFullLayoutWithNoRepresentative) {
    // No schedule window exists yet: the load goes straight on to the records.
    writeFile(profilePath(12), lines(profileValues19));
    load(QStringLiteral("12"));

    QStringList full = profileValues19;
    full << "\"\"" << quotedTail();
    ASSERT_EQ(full.size(), 31);
    EXPECT_EQ(readFile(profilePath(12)), lines(full));
    EXPECT_EQ(form12().profile.companyCode, 12);
    EXPECT_EQ(form12().profile.companyName, QStringLiteral("株式会社山田商店"));
    EXPECT_EQ(form12().profile.settlementDay, 25);
    EXPECT_EQ(form12().profile.representativeName, QString());
    EXPECT_TRUE(svc.boxes.empty());

    // The next load reads the full layout as it is.
    load(QStringLiteral("12"));
    EXPECT_EQ(readFile(profilePath(12)), lines(full));
    EXPECT_EQ(form12().profile.companyName, QStringLiteral("株式会社山田商店"));
}

TEST_F(PrintWindow, FullProfileIsLeftAsItIs) {
    writeFullProfile(12, QStringLiteral("山田太郎"));
    const QByteArray before = readFile(profilePath(12));
    load(QStringLiteral("12"));
    EXPECT_EQ(readFile(profilePath(12)), before);
    EXPECT_EQ(form12().profile.representativeName, QStringLiteral("山田太郎"));
}

TEST_F(PrintWindow, SpecialFieldsLoadInBothForms) {
    writeFullProfile(12, QStringLiteral("山田太郎"));
    const QStringList values{"\"東海銀行\"", "\"栄支店\"",   "\"1234567\"",          "\"5\"",
                             "\"中区\"",     "\"普通預金\"", "\"名古屋県税事務所\"", "\"中区役所\""};
    SpecialFieldRecord full{"東海銀行", "栄支店", "1234567", "5", "中区", "普通預金", "名古屋県税事務所", "中区役所"};
    SpecialFieldRecord older = full;
    older.prefecturalAddressee.clear();
    older.municipalAddressee.clear();

    writeFile(specialFieldPath(12), lines(values + quotedTail()));
    load(QStringLiteral("12"));
    EXPECT_EQ(form12().specialFields, full);

    writeFile(specialFieldPath(12), lines(values.mid(0, 6)));
    load(QStringLiteral("12"));
    EXPECT_EQ(form12().specialFields, older);
}

TEST_F(PrintWindow, FailedLoadEmptiesWhatItWouldHaveFilledAndSaysNothingItself) {
    writeFullProfile(12, QStringLiteral("山田太郎"));
    writeFile(specialFieldPath(12), lines({"\"東海銀行\"", "\"栄支店\"", "\"1\"", "\"5\"", "\"中区\"", "\"\""}));
    writeFullProfile(20, QStringLiteral("鈴木花子"));              // a profile without special fields
    writeFile(profilePath(30), lines(profileValues19.mid(0, 10))); // too short even for the short form

    struct Case {
        const char *code;
        bool profileRead;
    };
    for (const Case &c :
         {Case{"abc", false}, Case{"", false}, Case{"99", false}, Case{"30", false}, Case{"20", true}}) {
        SCOPED_TRACE(c.code);
        load(QStringLiteral("12"));
        ASSERT_EQ(form12().specialFields.refundBankName, QStringLiteral("東海銀行"));
        load(QString::fromUtf8(c.code));
        EXPECT_EQ(form12().specialFields, SpecialFieldRecord{});
        if (c.profileRead)
            EXPECT_EQ(form12().profile.representativeName, QStringLiteral("鈴木花子"));
        else
            EXPECT_EQ(form12().profile, CompanyProfileRecord{});
    }
    // A profile that cannot be read is not rewritten.
    EXPECT_EQ(readFile(profilePath(30)), lines(profileValues19.mid(0, 10)));
    // The load itself says nothing; the boxes shown are those of the schedule computes it presses, which tell
    // of a company without a profile in their own words.
    for (const ShownBox &b : svc.boxes)
        EXPECT_TRUE(b.title == QStringLiteral("別表七") || b.title == QStringLiteral("法人コードの入力"))
            << b.title.toStdString();
    EXPECT_FALSE(svc.ended);
}

TEST_F(PrintWindow, MenuButtonBringsTheMenuForward) {
    form1().hide();
    form12().show();
    click(form12().Command17);
    EXPECT_TRUE(form1().isVisible());
    EXPECT_TRUE(form12().isVisible());
}

TEST_F(PrintWindow, CloseBoxEndsTheProgramOtherUnloadsDoNot) {
    form12().show();
    form12().unload();
    EXPECT_FALSE(svc.ended);
    EXPECT_EQ(svc.beeps, 0);

    form12().show();
    form12().window()->close();
    EXPECT_EQ(svc.events, (QStringList{"beep", "end"}));
    EXPECT_TRUE(programHasEnded());
}

} // namespace
} // namespace hz::test
