#include "app/Form1.h"
#include "core/errors.h"
#include "core/paths.h"
#include "schedules/core/Form18.h"
#include "schedules/core/tax_rates.h"
#include "tests/support/fixture.h"

#include <QDir>

namespace hz::test {
namespace {

const QString rateFile = QStringLiteral("c:\\法人税\\税率.txt");

QStringList quotedTail() {
    QStringList t;
    for (int i = 1; i <= 12; ++i)
        t << QStringLiteral("\"予備%1\"").arg(i);
    return t;
}

class TaxRateWindow : public HzTest {
protected:
    // The 21 lines of a rate file: nine values, then the tail.
    static QByteArray rateLines(const QStringList &nine) { return lines(nine + quotedTail()); }
    void checkPreset(Button Form18::*preset, const QStringList &file, const QStringList &shown);
    static std::array<TextBox *, 9> boxes() {
        Form18 &f = form18();
        return {&f.Text10, &f.Text16, &f.Text30, &f.Text36, &f.Text42, &f.Text28, &f.Text34, &f.Text12, &f.Text18};
    }
    static QStringList boxTexts() {
        QStringList out;
        for (TextBox *b : boxes())
            out << b->text();
        return out;
    }
    static void type(const QStringList &nine) {
        for (int i = 0; i < 9; ++i)
            boxes()[i]->setText(nine[i]);
    }
};

// On a fresh disk: the three folders of the data root come into being and the table is saved at once.
void TaxRateWindow::checkPreset(Button Form18::*preset, const QStringList &file, const QStringList &shown) {
    EXPECT_FALSE(exists(QStringLiteral("c:\\法人税")));
    click(form18().*preset);
    EXPECT_TRUE(exists(QStringLiteral("c:\\法人税")));
    EXPECT_TRUE(exists(QStringLiteral("c:\\法人税\\法人名")));
    EXPECT_TRUE(exists(QStringLiteral("c:\\法人税\\別表")));
    EXPECT_EQ(readFile(rateFile), rateLines(file));
    EXPECT_EQ(boxTexts(), shown);
    EXPECT_EQ(svc.beeps, 1);
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(TaxRateWindow, Preset180kOnAFreshDisk) {
    checkPreset(&Form18::Command3, {"22", "30", "5", "7.3", "9.6", "5", "50000", "12.3", "130000"},
                {"22.00", "30.00", "5.00", "7.30", "9.60", "5.00", "50,000", "12.30", "130,000"});
    snapshot(form18(), QStringLiteral("form18"));
}

TEST_F(TaxRateWindow, Preset70kOnAFreshDisk) {
    checkPreset(&Form18::Command2, {"22", "30", "5", "7.3", "9.6", "5", "20000", "12.3", "50000"},
                {"22.00", "30.00", "5.00", "7.30", "9.60", "5.00", "20,000", "12.30", "50,000"});
}

TEST_F(TaxRateWindow, SaveConvertsEachBoxOnItsOwnAndKeepsTheTypedText) {
    const QStringList typed{"7.3", "abc", "50,000", " 12.5 ", "", " ", "-3", "1e40", "0.25"};
    type(typed);
    click(form18().Command4);
    EXPECT_EQ(readFile(rateFile), rateLines({"7.3", "0", "50000", "12.5", "0", "0", "-3", "0", "0.25"}));
    EXPECT_EQ(boxTexts(), typed);
    EXPECT_TRUE(svc.boxes.empty());
}

TEST_F(TaxRateWindow, ClearedBoxesSaveNineZeros) {
    click(form18().Command3);
    click(form18().Command1);
    EXPECT_EQ(boxTexts(), QStringList(9, QString()));
    click(form18().Command4);
    EXPECT_EQ(readFile(rateFile), rateLines(QStringList(9, QStringLiteral("0"))));
}

TEST_F(TaxRateWindow, SavingTwiceBeepsTwiceAndWritesTheSameFile) {
    type({"22", "30", "5", "7.3", "9.6", "5", "50,000", "12.3", "130,000"});
    click(form18().Command4);
    const QByteArray first = readFile(rateFile);
    click(form18().Command4);
    EXPECT_EQ(svc.beeps, 2);
    EXPECT_EQ(readFile(rateFile), first);
    EXPECT_EQ(first, rateLines({"22", "30", "5", "7.3", "9.6", "5", "50000", "12.3", "130000"}));
}

TEST_F(TaxRateWindow, SaveMakesTheMissingFoldersUnderAnExistingRoot) {
    QDir().mkpath(hostPath(QStringLiteral("c:\\法人税")));
    click(form18().Command4);
    EXPECT_TRUE(exists(QStringLiteral("c:\\法人税\\法人名")));
    EXPECT_TRUE(exists(QStringLiteral("c:\\法人税\\別表")));
    EXPECT_TRUE(exists(rateFile));
}

TEST_F(TaxRateWindow, AFileThatCannotBeWrittenShowsTheErrorBoxThenBeepsAgain) {
    // The window is loaded on first use, when there is no table yet; then a folder comes to stand where the file
    // should be: the write fails, nothing is written over it.
    form18();
    ASSERT_TRUE(svc.boxes.empty());
    QDir().mkpath(hostPath(rateFile));
    click(form18().Command3);
    EXPECT_EQ(svc.events,
              (QStringList{"beep", "box:税率設定にエラーが出ました。登録不能です。:パス名が無効です。", "beep"}));
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].buttons, 48);
    // The file handle was given back: once the obstacle is gone the next save works.
    QDir().rmdir(hostPath(rateFile));
    click(form18().Command4);
    EXPECT_EQ(readFile(rateFile), rateLines({"22", "30", "5", "7.3", "9.6", "5", "50000", "12.3", "130000"}));
}

// A table the window could not read is never saved over from the boxes as the read left them, until DATA reads it:
// the empty boxes would save as nine zeros. (A preset, or nine typed rates, give the table afresh.)
TEST_F(TaxRateWindow, NothingIsSavedOverATableThatCouldNotBeRead) {
    for (const QByteArray &damaged :
         {QByteArray("22\r\n30\r\n"), QByteArray("\x81\x20\r\n"),
          QByteArray("22\r\n30\r\n5\r\n7.3\r\n9.6\r\n5\r\n2\r\n1\r\n5\r\n\"別途積立金\"\r\n")}) {
        SCOPED_TRACE(damaged.toHex().toStdString());
        destroyAllForms();
        writeFile(rateFile, damaged);
        svc.events.clear();
        form18(); // the load reads the table
        ASSERT_EQ(svc.events.size(), 1);
        for (int attempt = 0; attempt < 2; ++attempt) {
            svc.events.clear();
            click(form18().Command4);
            ASSERT_EQ(svc.events.size(), 1);
            EXPECT_TRUE(svc.events[0].startsWith(QStringLiteral("box:税率設定:") + rateFile +
                                                 QStringLiteral(" を読み込めなかったため、")))
                << svc.events[0].toStdString();
            EXPECT_EQ(readFile(rateFile), damaged);
        }
        // Put right, the table reads and saves again.
        writeFile(rateFile, rateLines({"22", "30", "5", "7.3", "9.6", "5", "50000", "12.3", "130000"}));
        click(form18().Command8);
        form18().Text18.setText(QStringLiteral("140,000"));
        click(form18().Command4);
        EXPECT_EQ(readFile(rateFile), rateLines({"22", "30", "5", "7.3", "9.6", "5", "50000", "12.3", "140000"}));
    }
}

TEST_F(TaxRateWindow, DataFillsTheBoxesOnlyFromNineReadableValues) {
    const QStringList nine{"22", "30", "5", "7.3", "9.6", "5", "50000", "12.3", "130000"};
    const QStringList shown{"22.00", "30.00", "5.00", "7.30", "9.60", "5.00", "50,000", "12.30", "130,000"};
    struct Case {
        const char *name;
        QByteArray file;
        bool fills;
    };
    const Case cases[] = {
        {"nine lines without the tail", lines(nine), true},
        {"the full 21 lines", rateLines(nine), true},
        {"eight lines", lines(nine.mid(0, 8)), false},
        {"the tail starting at line 9", lines(nine.mid(0, 8) + quotedTail()), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(rateFile, c.file);
        type(QStringList(9, QStringLiteral("x")));
        svc.boxes.clear();
        click(form18().Command8);
        EXPECT_EQ(boxTexts(), c.fills ? shown : QStringList(9, QStringLiteral("x")));
        EXPECT_EQ(readFile(rateFile), c.file);
        // A table cut short is said; the boxes keep what they showed.
        ASSERT_EQ(svc.boxes.size(), c.fills ? 0u : 1u);
        if (!c.fills) {
            EXPECT_TRUE(svc.boxes[0].prompt.startsWith(QStringLiteral("c:\\法人税\\税率.txt を読み込めません。")));
        }
    }
}

TEST_F(TaxRateWindow, TheFirstLoadShowsTheSavedTable) {
    writeFile(rateFile, lines({"0", "30", "5", "7.3", "9.6", "5", "0", "12.3", "130000"}));
    // A zero rate shows with its two decimals only; a zero levy shows empty.
    EXPECT_EQ(boxTexts(), (QStringList{".00", "30.00", "5.00", "7.30", "9.60", "5.00", "", "12.30", "130,000"}));
}

TEST_F(TaxRateWindow, ClearAndCloseKeepTheFileAndTheMenuShowsItAgain) {
    click(form18().Command3);
    const QByteArray saved = readFile(rateFile);
    form18().show();
    click(form18().Command1);
    click(form18().Command5);
    EXPECT_FALSE(form18().isVisible());
    EXPECT_TRUE(form1().isVisible());
    EXPECT_EQ(readFile(rateFile), saved);
    // Hidden, the window keeps its cleared boxes until the menu shows it with its data action.
    EXPECT_EQ(boxTexts(), QStringList(9, QString()));
    form18().show();
    click(form18().Command8);
    EXPECT_EQ(boxTexts(),
              (QStringList{"22.00", "30.00", "5.00", "7.30", "9.60", "5.00", "50,000", "12.30", "130,000"}));
}

class TaxRateFile : public TaxRateWindow {};

TEST_F(TaxRateFile, RoundTripKeepsSinglePrecisionAndReadersIgnoreTheTail) {
    ensureDataRoot();
    TaxRateTable t{{22, 30, 5, 7.3f, 9.6f, 5, 50000, 12.3f, 130000}};
    writeTaxRates(t);
    EXPECT_EQ(readFile(rateFile), rateLines({"22", "30", "5", "7.3", "9.6", "5", "50000", "12.3", "130000"}));
    const TaxRateTable back = readTaxRates();
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(back.r[i], t.r[i]) << "item " << i + 1;
    // Nine whole numbers without the tail, as the Schedule 5(2) compute leaves the file, read the same way.
    writeFile(rateFile, lines({"22", "30", "5", "7", "10", "5", "48000", "12", "120000"}));
    EXPECT_EQ(readTaxRates().r[6], 48000.0f);
}

TEST_F(TaxRateFile, MissingOrShortFilesFailTheRead) {
    EXPECT_THROW(readTaxRates(), Error);
    writeFile(rateFile, lines({"22", "30", "5", "7.3", "9.6", "5", "50000", "12.3"}));
    EXPECT_THROW(readTaxRates(), Error);
    // Every failed read gives the file handle back.
    writeFile(rateFile, lines({"22", "30", "5", "7.3", "9.6", "5", "50000", "12.3", "1"}));
    EXPECT_EQ(readTaxRates().r[8], 1.0f);
}

} // namespace
} // namespace hz::test
