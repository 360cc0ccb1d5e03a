#include "common/read_or_say.h"

#include "core/errors.h"
#include "core/paths.h"
#include "core/records.h"
#include "platform/controls.h"
#include "platform/services.h"
#include "tests/support/fixture.h"

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

// After a failed read, the boxes as the read left them save nothing; given afresh (any one of them with a text, or
// every one, as the window's record needs), they save over the record. A failure about another record than the
// one saved, or about another company's, is never released by the boxes, nor holds that company's saves.
TEST_F(ReadOrSay, BoxesGivenAfreshReleaseTheHoldOfTheirOwnRecord) {
    const QString other = QStringLiteral("c:\\法人税\\別表\\10402.txt");
    const QString profile = QStringLiteral("c:\\法人税\\法人名\\1.txt");
    struct Case {
        const char *name;
        RecordHold::Afresh rule;
        QString failed; // the record that could not be read, when not the one saved
        std::function<void(ThreeBoxes &)> give;
        bool released;
    };
    // The texts given to the boxes in order; null leaves a box as it is.
    const auto set = [](std::vector<const char *> texts) {
        return [texts](ThreeBoxes &w) {
            TextBox *boxes[] = {&w.Text1, &w.Text2, &w.Text3};
            int i = 0;
            for (const char *t : texts)
                if (t)
                    boxes[i++]->setText(QString::fromUtf8(t));
                else
                    ++i;
        };
    };
    const Case cases[] = {
        {"nothing given", RecordHold::Afresh::anyBox, {}, [](ThreeBoxes &) {}, false},
        {"one box given", RecordHold::Afresh::anyBox, {}, set({nullptr, "5"}), true},
        {"one box given the text it held", RecordHold::Afresh::anyBox, {}, set({"left"}), true},
        {"one box emptied", RecordHold::Afresh::anyBox, {}, set({" "}), false},
        {"two of three", RecordHold::Afresh::everyBox, {}, set({"1", "2"}), false},
        {"every box", RecordHold::Afresh::everyBox, {}, set({"1", "2", "left"}), true},
        {"every box, one empty", RecordHold::Afresh::everyBox, {}, set({"1", "2", ""}), false},
        {"another record failed", RecordHold::Afresh::everyBox, profile, set({"1", "2", "3"}), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        destroyAllForms();
        ThreeBoxes &w = loadedForm<ThreeBoxes>();
        RecordHold hold({&w.Text1, &w.Text2, &w.Text3}, c.rule);
        hold.hold(c.failed.isEmpty() ? kRecord : c.failed, Error::pastEndOfFile(), kRecord);
        // What the data action shows after the failure is what the read left.
        w.Text1.setText(QStringLiteral("left"));
        w.Text3.setText(QStringLiteral("left"));
        hold.boxesLeft();
        c.give(w);
        svc.boxes.clear();
        action([&] { EXPECT_EQ(hold.maySave(QStringLiteral("別表四")), c.released); });
        EXPECT_EQ(svc.boxes.size(), c.released ? 0u : 1u);
        // Another company's record is saved whatever the boxes hold.
        action([&] { EXPECT_TRUE(hold.maySave(QStringLiteral("別表四"), other)); });
        EXPECT_EQ(hold.holds(other), false);
        EXPECT_EQ(hold.holds(kRecord), true);
    }
}

} // namespace
} // namespace hz::test
