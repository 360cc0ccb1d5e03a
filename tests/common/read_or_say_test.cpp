#include "common/read_or_say.h"

#include "core/errors.h"
#include "core/paths.h"
#include "core/records.h"
#include "platform/controls.h"
#include "platform/services.h"
#include "tests/support/fixture.h"

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

} // namespace
} // namespace hz::test
