#include "common/profile.h"
#include "maintenance/Form10.h"
#include "platform/services.h"
#include "tests/support/fixture.h"

namespace hz::test {
namespace {

class MaintenanceWindow : public HzTest {
protected:
    // A profile in the short form data maintenance itself writes (19 values), or the full 31 lines.
    void writeProfileFile(int code, const QString &name, bool full) {
        QStringList values{QString::number(code),
                           "3000000",
                           "9",
                           "10",
                           "1",
                           "10",
                           "9",
                           "30",
                           "\"カ\"",
                           "\"" + name + "\"",
                           "\"\"",
                           "\"\"",
                           "\"\"",
                           "\"\"",
                           "\"\"",
                           "\"\"",
                           "10",
                           "11",
                           "20"};
        if (full) {
            values << "\"代表\"";
            for (int i = 2; i <= 12; ++i)
                values << QStringLiteral("\"予備%1\"").arg(i);
        }
        writeFile(profilePath(code), lines(values));
    }
    QStringList companyBoxes() {
        Form10 &f = form10();
        return {f.Text5.text(),  f.Text13.text(), f.Text14.text(), f.Text15.text(),
                f.Text17.text(), f.Text18.text(), f.Text19.text()};
    }
    const QStringList loaded12{"株式会社山田商店", "9", "10", "1", "10", "9", "30"};
    const QStringList empty{"", "", "", "", "", "", ""};
};

TEST_F(MaintenanceWindow, LoadHidesTheProgressBarAndTheCodeStores) {
    Form10 &f = form10();
    EXPECT_EQ(f.caption(), QStringLiteral("データ"));
    EXPECT_FALSE(f.ProgressBar1.isVisible());
    EXPECT_FALSE(f.Text100.isVisible());
    EXPECT_FALSE(f.Text1.isVisible());
    const QStringList captions{f.Command4.caption(),  f.Command9.caption(), f.Command7.caption(), f.Command18.caption(),
                               f.Command5.caption(),  f.Command1.caption(), f.Command2.caption(), f.Command3.caption(),
                               f.Command19.caption(), f.Command6.caption()};
    EXPECT_EQ(captions, QStringList({"会社呼出", "会社コードクリア", "DATA", "へ、リストアする", "次年度更新する",
                                     "フロッピーへコピーする", "フロッピーよりHDDへ戻す", "フロッピーより削除する",
                                     "HDDより削除する", "menu"}));
    EXPECT_EQ(f.Text10.text(), QStringLiteral("自平成"));
    EXPECT_EQ(f.Text16.text(), QStringLiteral("至平成"));
    EXPECT_EQ(f.Text6.text(), QString());
}

TEST_F(MaintenanceWindow, ClearAndMenuEmptyTheBoxesButKeepTheLoadedProfile) {
    writeProfileFile(12, QStringLiteral("株式会社山田商店"), true);
    Form10 &f = form10();
    f.Text100.setText(QStringLiteral("12"));
    click(f.Command7);
    f.Text39.setText(QStringLiteral("30"));
    f.ProgressBar1.setVisible(true);
    f.ProgressBar1.setValue(40);
    snapshot(f, QStringLiteral("form10"));

    click(f.Command6); // menu
    EXPECT_EQ(f.Text6.text(), QString());
    EXPECT_EQ(companyBoxes(), loaded12);
    EXPECT_EQ(f.Text39.text(), QStringLiteral("30"));

    f.Text6.setText(QStringLiteral("12"));
    click(f.Command9); // 会社コードクリア
    EXPECT_EQ(f.Text6.text() + f.Text39.text(), QString());
    EXPECT_EQ(companyBoxes(), empty);
    EXPECT_EQ(f.Text100.text(), QStringLiteral("12"));
    EXPECT_EQ(f.loadedProfile.companyCode, 12);
}

TEST_F(MaintenanceWindow, DataLoadsTheHandedOverCompanyInEitherProfileForm) {
    for (bool full : {true, false}) {
        SCOPED_TRACE(full ? "full" : "short form");
        writeProfileFile(12, QStringLiteral("株式会社山田商店"), full);
        form10().Text100.setText(QStringLiteral("12"));
        click(form10().Command7);
        EXPECT_EQ(form10().Text6.text(), QStringLiteral("12"));
        EXPECT_EQ(companyBoxes(), loaded12);
        EXPECT_EQ(form10().loadedProfile.companyCode, 12);
        EXPECT_EQ(form10().loadedProfile.settlementDay, 20);
        EXPECT_TRUE(svc.boxes.empty());
        form10().unload();
    }
}

TEST_F(MaintenanceWindow, TypedCodeWithALeadingZeroLoadsThatCompany) {
    writeProfileFile(12, QStringLiteral("株式会社山田商店"), true);
    form10().Text6.setText(QStringLiteral("012"));
    click(form10().Command4);
    EXPECT_EQ(companyBoxes(), loaded12);
    EXPECT_EQ(form10().Text6.text(), QStringLiteral("012"));
}

TEST_F(MaintenanceWindow, DataWithACodeStoreThatIsNoNumberShowsItsBox) {
    for (const char *code : {"abc", ""}) {
        SCOPED_TRACE(code);
        writeProfileFile(12, QStringLiteral("株式会社山田商店"), true);
        form10().Text6.setText(QStringLiteral("12"));
        click(form10().Command4);
        ASSERT_EQ(companyBoxes(), loaded12);
        svc.boxes.clear();

        form10().Text100.setText(QString::fromUtf8(code));
        click(form10().Command7);
        ASSERT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(svc.boxes[0].title, QStringLiteral("DATA"));
        EXPECT_EQ(svc.boxes[0].prompt, QStringLiteral("型が一致しません。"));
        EXPECT_EQ(svc.boxes[0].buttons, mb::OkWarning);
        EXPECT_EQ(form10().Text6.text(), QStringLiteral("12"));
        // The company shown before is gone, so no action goes on with it.
        EXPECT_EQ(companyBoxes(), empty);
        EXPECT_EQ(form10().loadedProfile, CompanyProfileRecord{});
        svc.boxes.clear();
    }
}

TEST_F(MaintenanceWindow, CompanyThatCannotBeLoadedEmptiesTheBoxes) {
    writeProfileFile(12, QStringLiteral("株式会社山田商店"), true);
    writeFile(profilePath(13), lines({"13", "0", "9"})); // too short
    struct Case {
        const char *code;
        const char *description;
    };
    for (const Case &c : {Case{"99", "ファイルが見つかりません。"},
                          Case{"13", "ファイルにこれ以上データがありません。"}, Case{"x", "型が一致しません。"}}) {
        SCOPED_TRACE(c.code);
        form10().Text6.setText(QStringLiteral("12"));
        click(form10().Command4);
        ASSERT_EQ(companyBoxes(), loaded12);
        svc.boxes.clear();

        form10().Text6.setText(QString::fromUtf8(c.code));
        click(form10().Command4);
        ASSERT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(svc.boxes[0].title, QStringLiteral("会社呼出"));
        EXPECT_EQ(svc.boxes[0].prompt, QString::fromUtf8(c.description));
        EXPECT_EQ(companyBoxes(), empty);
        EXPECT_EQ(form10().loadedProfile, CompanyProfileRecord{});
        svc.boxes.clear();
    }
}

TEST_F(MaintenanceWindow, DataForACompanyWithoutProfileShowsOnlyTheLoadBox) {
    // Before any company was opened the menu hands over 0.
    form10().Text100.setText(QStringLiteral("0"));
    click(form10().Command7);
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("会社呼出"));
    EXPECT_EQ(form10().Text6.text(), QStringLiteral("0"));
}

} // namespace
} // namespace hz::test
