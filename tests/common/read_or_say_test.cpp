#include "common/read_or_say.h"

#include "core/errors.h"
#include "core/paths.h"
#include "core/records.h"
#include "platform/controls.h"
#include "platform/services.h"
#include "tests/support/fixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace hz::test {
namespace {

class ReadOrSay : public HzTest {
protected:
    static RecordRead readFirst(const QString &path, bool required = false) {
        const auto read = [&path] { RecordReader(path).whole(); };
        return required ? readRequiredRecordOrSay(path, QStringLiteral("見出し"), read)
                        : readRecordOrSay(path, QStringLiteral("見出し"), read);
    }
    // Runs f as one action of the user.
    static void action(const std::function<void()> &f) { userAction(f); }
};

const QString kRecord = QStringLiteral("c:\\法人税\\別表\\10401.txt");

// A record that does not exist yet reads as nothing, quietly, unless the action needs it; one that exists but
// cannot be read is said with its name and the error's text.
TEST_F(ReadOrSay, MissingIsQuietUnlessNeededAndUnreadableIsSaid) {
    ensureDataRoot();
    action([] { EXPECT_EQ(readFirst(kRecord), RecordRead::missing); });
    EXPECT_TRUE(svc.boxes.empty());

    action([] { EXPECT_EQ(readFirst(kRecord, true), RecordRead::unreadable); });
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].prompt, kRecord + QStringLiteral(" を読み込めません。\nファイルが見つかりません。"));
    EXPECT_EQ(svc.boxes[0].title, QStringLiteral("見出し"));
    EXPECT_EQ(svc.boxes[0].buttons, mb::OkWarning);

    writeFile(kRecord, "abc\r\n");
    action([] { EXPECT_EQ(readFirst(kRecord), RecordRead::unreadable); });
    ASSERT_EQ(svc.boxes.size(), 2u);
    EXPECT_EQ(svc.boxes[1].prompt, kRecord + QStringLiteral(" を読み込めません。\n型が一致しません。"));
    EXPECT_FALSE(sharedHandleOpen());

    writeFile(kRecord, "12\r\n");
    action([] { EXPECT_EQ(readFirst(kRecord), RecordRead::read); });
    EXPECT_EQ(svc.boxes.size(), 2u);
}

// However many windows of one action meet the same record, the user hears of it once; the next action says it
// again. A window that could not read its record saves nothing until a data action reads it.
TEST_F(ReadOrSay, OnceInAnActionAndAHoldUntilTheRecordIsRead) {
    writeFile(kRecord, QByteArray());
    RecordHold hold;
    const auto load = [&hold] { hold.load(kRecord, QStringLiteral("別表四"), [] { RecordReader(kRecord).whole(); }); };
    action([&] {
        load();
        EXPECT_FALSE(hold.maySave(QStringLiteral("別表四")));
        load();
    });
    ASSERT_EQ(svc.boxes.size(), 1u);
    EXPECT_EQ(svc.boxes[0].prompt,
              kRecord + QStringLiteral(" を読み込めません。\nファイルにこれ以上データがありません。"));

    action([&] { EXPECT_FALSE(hold.maySave(QStringLiteral("別表四"))); });
    ASSERT_EQ(svc.boxes.size(), 2u);
    EXPECT_EQ(svc.boxes[1].prompt, kRecord + QStringLiteral(" を読み込めなかったため、この画面からは保存しません。\n"
                                                            "ファイルにこれ以上データがありません。"));

    writeFile(kRecord, "1\r\n");
    action(load);
    EXPECT_TRUE(hold.maySave(QStringLiteral("別表四")));
    QFile::remove(hostPath(kRecord));
    writeFile(kRecord, "x\r\n");
    action(load);
    QFile::remove(hostPath(kRecord));
    action(load); // missing: a new company, which may be saved
    EXPECT_TRUE(hold.maySave(QStringLiteral("別表四")));
    EXPECT_EQ(svc.boxes.size(), 3u);
}

// Three boxes of a window, as a hold watches them.
class ThreeBoxes final : public Form {
public:
    ThreeBoxes() : Form(QStringLiteral("ThreeBoxes"), QStringLiteral("試験")) {}
    TextBox Text1{this, "Text1"};
    TextBox Text2{this, "Text2"};
    TextBox Text3{this, "Text3"};

protected:
    void setupUi(QWidget *w) override {
        auto *l = new QVBoxLayout(w);
        for (TextBox *b : {&Text1, &Text2, &Text3})
            l->addWidget(b->create(w));
    }
};

// After a failed read, the boxes as the read left them save nothing; given afresh (any one of them, or every one,
// as the window's record needs, holding a text the user typed or chose by a preset, whenever that was, and no code
// has set since), they save over the record. A failure about another record than the one saved, or about another
// company's, is never released by the boxes, nor holds that company's saves. A hold over a whole window counts
// every box but the one the company's code is typed into.
TEST_F(ReadOrSay, BoxesGivenAfreshReleaseTheHoldOfTheirOwnRecord) {
    const QString other = QStringLiteral("c:\\法人税\\別表\\10402.txt");
    const QString profile = QStringLiteral("c:\\法人税\\法人名\\1.txt");
    using Rule = RecordHold::Afresh;
    enum class Guard { boxes, windowButItsCodeBox3 };
    using Step = std::function<void(ThreeBoxes &)>;
    struct Case {
        const char *name;
        Rule rule;
        Step before; // what the user does before the press that finds the damage
        Step after;  // and after it
        bool released;
        QString failed = {}; // the record that could not be read, when not the one saved
        Guard guard = Guard::boxes;
    };
    const Step nothing = [](ThreeBoxes &) {};
    // The texts the user types into the boxes in order; null leaves a box as it is.
    const auto typed = [](std::vector<const char *> texts) {
        return [texts](ThreeBoxes &w) {
            TextBox *boxes[] = {&w.Text1, &w.Text2, &w.Text3};
            for (std::size_t i = 0; i < texts.size(); ++i)
                if (texts[i])
                    typeInto(*boxes[i], QString::fromUtf8(texts[i]));
        };
    };
    const auto then = [](Step first, Step second) {
        return [first, second](ThreeBoxes &w) {
            first(w);
            second(w);
        };
    };
    const Step pushed = [](ThreeBoxes &w) { w.Text2.setText(QStringLiteral("5")); };
    const Step preset = [](ThreeBoxes &w) { w.Text2.giveText(QStringLiteral("5")); };
    const Case cases[] = {
        {"nothing given", Rule::anyBox, nothing, nothing, false},
        {"one box typed", Rule::anyBox, nothing, typed({nullptr, "5"}), true},
        {"one box typed the text it held", Rule::anyBox, nothing, typed({"left"}), true},
        {"one box typed blank", Rule::anyBox, nothing, typed({nullptr, " "}), false},
        {"one box set from code", Rule::anyBox, nothing, pushed, false},
        {"one box typed, then set from code to the same text", Rule::anyBox, nothing,
         then(typed({nullptr, "5"}), pushed), false},
        {"one box given by a preset", Rule::anyBox, nothing, preset, true},
        {"typed before the failure in a box the read left alone", Rule::anyBox, typed({nullptr, "5"}), nothing, true},
        {"typed before the failure in boxes the read filled", Rule::anyBox, typed({"5", nullptr, "6"}), nothing, false},
        {"two of three", Rule::everyBox, nothing, typed({"1", "2"}), false},
        {"every box", Rule::everyBox, nothing, typed({"1", "2", "left"}), true},
        {"every box, one before the failure", Rule::everyBox, typed({nullptr, "2"}), typed({"1", nullptr, "3"}), true},
        {"every box, one typed blank", Rule::everyBox, nothing, typed({"1", "2", " "}), false},
        {"every box, one then set from code", Rule::everyBox, nothing, then(typed({"1", "2", "3"}), pushed), false},
        {"another record failed", Rule::everyBox, nothing, typed({"1", "2", "3"}), false, profile},
        {"a box of the window typed",
         Rule::anyBox,
         nothing,
         typed({nullptr, "5"}),
         true,
         {},
         Guard::windowButItsCodeBox3},
        {"a box of the window typed before the failure",
         Rule::anyBox,
         typed({nullptr, "5"}),
         nothing,
         true,
         {},
         Guard::windowButItsCodeBox3},
        {"the window's code box typed",
         Rule::anyBox,
         typed({nullptr, nullptr, "2"}),
         typed({nullptr, nullptr, "2"}),
         false,
         {},
         Guard::windowButItsCodeBox3},
        {"a box of the window set from code", Rule::anyBox, nothing, pushed, false, {}, Guard::windowButItsCodeBox3},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        destroyAllForms();
        ThreeBoxes &w = loadedForm<ThreeBoxes>();
        RecordHold hold =
            c.guard == Guard::boxes ? RecordHold({&w.Text1, &w.Text2, &w.Text3}, c.rule) : RecordHold(&w, w.Text3);
        c.before(w);
        hold.hold(c.failed.isEmpty() ? kRecord : c.failed, Error::pastEndOfFile(), kRecord);
        // What the data action shows after the failure is what the read left.
        w.Text1.setText(QStringLiteral("left"));
        w.Text3.setText(QStringLiteral("left"));
        c.after(w);
        svc.boxes.clear();
        action([&] { EXPECT_EQ(hold.maySave(QStringLiteral("別表四"), kRecord), c.released); });
        EXPECT_EQ(svc.boxes.size(), c.released ? 0u : 1u);
        // Another company's record is saved whatever the boxes hold.
        action([&] { EXPECT_TRUE(hold.maySave(QStringLiteral("別表四"), other)); });
        EXPECT_EQ(hold.holds(other), false);
        EXPECT_EQ(hold.holds(kRecord), true);
    }
}

// The window's own save of the held record ends the hold, whatever its boxes show afterwards; a save of another
// record does not.
TEST_F(ReadOrSay, TheWindowsOwnSaveOfTheRecordEndsItsHold) {
    const QString other = QStringLiteral("c:\\法人税\\別表\\10402.txt");
    ThreeBoxes &w = loadedForm<ThreeBoxes>();
    RecordHold hold({&w.Text1, &w.Text2, &w.Text3}, RecordHold::Afresh::anyBox);
    hold.hold(kRecord, Error::pastEndOfFile());
    hold.written(other);
    EXPECT_TRUE(hold.holds(kRecord));
    hold.written(kRecord);
    EXPECT_FALSE(hold.holds());
    action([&] { EXPECT_TRUE(hold.maySave(QStringLiteral("別表四"))); });
    EXPECT_TRUE(svc.boxes.empty());
}

} // namespace
} // namespace hz::test
