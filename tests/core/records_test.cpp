#include "core/cp932.h"
#include "core/durability.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/records.h"
#include "tests/support/fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <sys/wait.h>
#include <unistd.h>

namespace hz::test {
namespace {

class Records : public HzTest {};

const QString kProfile = QStringLiteral("c:\\法人税\\法人名\\12.txt");

QString errorOf(const std::function<void()> &f) {
    try {
        f();
    } catch (const Error &e) {
        return e.description();
    }
    return QString();
}

TEST_F(Records, WriterProducesCp932LinesWithCrLf) {
    ensureDataRoot();
    RecordWriter w(kProfile);
    w.whole(12).whole(-5).whole(0).single(7.3f).single(22.0f).dbl(static_cast<double>(7.3f));
    w.string(QStringLiteral("株式会社山田商店")).string(QString()).string(QStringLiteral("a,b"));
    w.tail(11);
    w.close();
    // Fixture written out by hand: 株式会社 in code page 932 is 8A 94 8E AE 89 EF 8E D0.
    const QByteArray expected = QByteArray("12\r\n-5\r\n0\r\n7.3\r\n22\r\n7.30000019073486\r\n") +
                                "\"\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0\x8E\x52\x93\x63\x8F\xA4\x93\x58\"\r\n" +
                                "\"\"\r\n\"a,b\"\r\n" + "\"\x97\x5C\x94\xF5\x31\x31\"\r\n" +
                                "\"\x97\x5C\x94\xF5\x31\x32\"\r\n";
    EXPECT_EQ(readFile(kProfile), expected);
    EXPECT_FALSE(sharedHandleOpen());
}

TEST_F(Records, ReaderReadsWhatWasWritten) {
    writeFile(kProfile, lines({"  12", "12.5", "13.5", "-2.5", ".5", "0.5", "7.3", "\"a,b\"", "  \"株式会社\"", "\"\"",
                               "", "1E+15"}));
    RecordReader r(kProfile);
    EXPECT_EQ(r.whole(), 12);
    EXPECT_EQ(r.whole(), 12);
    EXPECT_EQ(r.whole(), 14);
    EXPECT_EQ(r.whole(), -2);
    EXPECT_FLOAT_EQ(r.single(), 0.5f);
    EXPECT_DOUBLE_EQ(r.dbl(), 0.5);
    EXPECT_FLOAT_EQ(r.single(), 7.3f);
    EXPECT_EQ(r.string(), QStringLiteral("a,b"));
    EXPECT_EQ(r.string(), QStringLiteral("株式会社"));
    EXPECT_EQ(r.string(), QString());
    EXPECT_EQ(r.whole(), 0); // an empty line reads as 0
    EXPECT_DOUBLE_EQ(r.dbl(), 1e15);
    EXPECT_EQ(errorOf([&] { r.whole(); }), Error::pastEndOfFile().description());
}

TEST_F(Records, ShortFileFailsAtFirstMissingLineKeepingEarlierValues) {
    QStringList nineteen;
    for (int i = 1; i <= 19; ++i)
        nineteen << QString::number(i);
    writeFile(kProfile, lines(nineteen));
    std::vector<int> values;
    const QString err = errorOf([&] {
        RecordReader r(kProfile);
        for (int i = 0; i < 20; ++i)
            values.push_back(r.whole());
    });
    EXPECT_EQ(err, QStringLiteral("ファイルにこれ以上データがありません。"));
    ASSERT_EQ(values.size(), 19u);
    EXPECT_EQ(values.back(), 19);
    // The failure gave the handle back: the next open succeeds without "ファイル閉鎖".
    EXPECT_FALSE(sharedHandleOpen());
    EXPECT_NO_THROW(RecordReader{kProfile});
}

TEST_F(Records, OpenFailuresAndTheSharedHandle) {
    EXPECT_EQ(errorOf([] { RecordReader r(kProfile); }), Error::pathNotFound().description());
    ensureDataRoot();
    EXPECT_EQ(errorOf([] { RecordReader r(kProfile); }), Error::fileNotFound().description());
    EXPECT_EQ(errorOf([] { RecordWriter w(QStringLiteral("c:\\無い\\1.txt")); }), Error::pathNotFound().description());
    writeFile(kProfile, lines({"1"}));
    {
        RecordReader first(kProfile);
        EXPECT_TRUE(sharedHandleOpen());
        EXPECT_EQ(errorOf([] { RecordReader second(kProfile); }), Error::fileAlreadyOpen().description());
        closeSharedHandle(); // "ファイル閉鎖"
        EXPECT_NO_THROW(RecordReader{kProfile});
    }
    closeSharedHandle(); // closing a closed handle does nothing
    EXPECT_FALSE(sharedHandleOpen());
}

TEST_F(Records, FailedWriteKeepsTheOldRecord) {
    ensureDataRoot();
    const QByteArray old = lines({"1", "\"old\""});
    writeFile(kProfile, old);
    EXPECT_EQ(errorOf([] {
                  RecordWriter w(kProfile);
                  w.whole(2).string(QStringLiteral("new")).string(QStringLiteral("😀 cannot be stored"));
                  w.close();
              }),
              QStringLiteral("保存できない文字が含まれています。"));
    EXPECT_EQ(readFile(kProfile), old);
    // A writer abandoned by an error before its close writes nothing either.
    EXPECT_NE(errorOf([] {
                  RecordWriter w(kProfile);
                  w.whole(3);
                  throw Error::overflow();
              }),
              QString());
    EXPECT_EQ(readFile(kProfile), old);
    EXPECT_FALSE(sharedHandleOpen());
    // No temporary file is left beside the record.
    EXPECT_EQ(QDir(hostPath(dataroot::profiles)).entryList(QDir::Files), QStringList{QStringLiteral("12.txt")});
}

// A character is stored as typed or refused: one that cp932 writes as an ASCII byte would come back as another
// sign; the full-width look-alikes that every cp932 program maps come back as the same sign in its full-width form.
// ソ and 表 end in the byte 0x5C, which is no ASCII character of its own.
TEST(Cp932, ACharacterIsStoredAsTypedOrRefused) {
    struct Case {
        const char *typed;
        const char *readBack; // nullptr: refused with what to type instead
        const char *said = nullptr;
    };
    const Case cases[] = {
        {"¥100", nullptr, "「¥100」の「¥」は保存できません。全角の「￥」を入力してください。"},
        {"‾", nullptr, "「‾」の「‾」は保存できません。全角の「￣」を入力してください。"},
        {"ソフト表¥", nullptr, "「ソフト表¥」の「¥」は保存できません。全角の「￥」を入力してください。"},
        {"ｶﾌﾞ‾¥", nullptr, "「ｶﾌﾞ‾¥」の「‾」は保存できません。全角の「￣」を入力してください。"},
        {"\\~", "\\~"},
        {"ソフト表", "ソフト表"},
        {"ｶﾌﾞｼｷｶﾞｲｼｬ", "ｶﾌﾞｼｷｶﾞｲｼｬ"},
        {"〜", "～"},
        {"−", "－"},
        {"‖", "∥"},
        {"—", "―"},
        {"¢£¬", "￠￡￢"},
        {"㈱①Ⅰ×÷°", "㈱①Ⅰ×÷°"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        const QString typed = QString::fromUtf8(c.typed);
        if (!c.readBack) {
            EXPECT_EQ(errorOf([&] { encodeCp932(typed); }), QString::fromUtf8(c.said));
            continue;
        }
        QByteArray bytes;
        EXPECT_EQ(errorOf([&] { bytes = encodeCp932(typed); }), QString());
        EXPECT_EQ(decodeCp932(bytes), QString::fromUtf8(c.readBack));
    }
}

// What no writer of the program leaves is refused as a format error the moment it is met: a line longer than the
// longest value a box can hold (a 10 MB line among them, refused without reading it whole), bytes that are not
// code page 932. Lines after the values a reader reads are never looked at.
TEST_F(Records, LinesNoWriterLeavesAreFormatErrors) {
    const QString formatError = Error::badFileFormat().description();
    const QByteArray longest = '"' + QByteArray(longestRecordLine - 2, 'x') + '"';
    writeFile(kProfile, longest + "\r\n" + '"' + longest + "\r\n");
    {
        RecordReader r(kProfile);
        EXPECT_EQ(r.string().size(), longestRecordLine - 2);
        EXPECT_EQ(errorOf([&] { r.string(); }), formatError);
    }
    writeFile(kProfile, QByteArray(10 * 1024 * 1024, '1') + "\r\n");
    EXPECT_EQ(errorOf([] { RecordReader r(kProfile); }), formatError);
    EXPECT_FALSE(sharedHandleOpen());

    writeFile(kProfile, "12\r\n\"\x81\x20\"\r\n");
    {
        RecordReader r(kProfile);
        EXPECT_EQ(r.whole(), 12);
        EXPECT_EQ(errorOf([&] { r.string(); }), formatError);
    }
    writeFile(kProfile, "12\r\n\x82"); // a character cut in half by a short write
    {
        RecordReader r(kProfile);
        EXPECT_EQ(r.whole(), 12);
        EXPECT_EQ(errorOf([&] { r.whole(); }), formatError);
    }
    writeFile(kProfile, "12\r\n\xFF\xFF\r\n");
    EXPECT_EQ(RecordReader(kProfile).whole(), 12);
    EXPECT_FALSE(sharedHandleOpen());
}

// A record is read whole at every size up to the limit, on both sides of the first read, and refused one byte
// past it.
TEST_F(Records, ARecordIsReadWholeAtEverySizeUpToTheLimit) {
    const QByteArray line = '"' + QByteArray(998, 'x') + "\"\r\n";
    for (const qsizetype size :
         {qsizetype(65535), qsizetype(65536), qsizetype(65537), largestRecordFile, largestRecordFile + 1}) {
        SCOPED_TRACE(size);
        const qsizetype full = size / line.size();
        const qsizetype rest = size - full * line.size();
        writeFile(kProfile, line.repeated(full) + QByteArray(rest, 'y'));
        if (size > largestRecordFile) {
            EXPECT_EQ(errorOf([] { RecordReader r(kProfile); }), Error::badFileFormat().description());
            continue;
        }
        RecordReader r(kProfile);
        for (qsizetype i = 0; i < full; ++i)
            ASSERT_EQ(r.string().size(), 998);
        EXPECT_EQ(r.string(), QString(rest, u'y'));
        // The last line has no line break: the file may have been cut there, and is no older, shorter layout.
        EXPECT_FALSE(r.atEnd());
        EXPECT_EQ(errorOf([&r] { r.string(); }), Error::badFileFormat().description());
    }
    EXPECT_FALSE(sharedHandleOpen());
}

// Something at the path that is no file: a folder, or one that cannot be opened.
TEST_F(Records, AFolderWhereTheFileShouldBeCannotBeRead) {
    QDir().mkpath(hostPath(kProfile));
    EXPECT_EQ(errorOf([] { RecordReader r(kProfile); }), Error::badPath().description());
    EXPECT_FALSE(sharedHandleOpen());
}

// A reader knows when the file has no more lines, for the shorter layouts older writers leave.
TEST_F(Records, AtEndAfterTheLastLine) {
    writeFile(kProfile, lines({"1", "\"a\""}));
    RecordReader r(kProfile);
    EXPECT_FALSE(r.atEnd());
    r.whole();
    EXPECT_FALSE(r.atEnd());
    r.string();
    EXPECT_TRUE(r.atEnd());
}

// Lines that end in LF alone read as CR LF ones. Lines that end in CR alone read as one line where several values
// are due, and are refused, as is a file that ends early inside a line: only a file that ends after whole lines is
// an older, shorter one. A full-width digit in a record is no number: records hold ASCII.
TEST_F(Records, LineEndingsAndWhereAFileMayEnd) {
    const QString damaged = Error::badFileFormat().description();
    const QString pastEnd = Error::pastEndOfFile().description();
    struct Case {
        const char *name;
        QByteArray bytes;
        QStringList reads; // what each read gives until one fails: the value, or the error said
    };
    const Case cases[] = {
        {"CR LF, two values", "1\r\n2\r\n", {"1", "2", pastEnd}},
        {"LF alone", "1\n2\n3\n", {"1", "2", "3", pastEnd}},
        {"no final line break", "1\r\n2\r\n3", {"1", "2", "3", damaged}},
        {"CR alone", "1\r2\r3\r", {damaged}},
        {"CR alone after CR LF", "1\r\n2\r3\r\n", {"1", damaged}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(kProfile, c.bytes);
        RecordReader r(kProfile);
        QStringList reads;
        for (;;) {
            try {
                reads << QString::number(r.whole());
            } catch (const Error &e) {
                reads << e.description();
                break;
            }
        }
        EXPECT_EQ(reads, c.reads);
    }
    // Only a file that ends after whole lines is at its end, where an older, shorter layout ends.
    for (const auto &[bytes, atEnd] : {std::pair{QByteArray("1\n2\n"), true}, {QByteArray("1\r\n2"), false}}) {
        writeFile(kProfile, bytes);
        RecordReader r(kProfile);
        r.whole();
        r.whole();
        EXPECT_EQ(r.atEnd(), atEnd) << bytes.toStdString();
    }
    writeFile(kProfile, "\x82\x50\x82\x51\r\n"); // "１２"
    EXPECT_EQ(errorOf([] { RecordReader(kProfile).whole(); }), Error::typeMismatch().description());
    EXPECT_FALSE(sharedHandleOpen());
}

// A write killed before its rename leaves its temporary file beside the record; the next write of that record
// removes it, also when the record itself does not change.
TEST_F(Records, ALeftoverTemporaryFileGoesAtTheNextWrite) {
    ensureDataRoot();
    const QString leftover = temporaryRecordPath(kProfile, QCoreApplication::applicationPid());
    for (const QByteArray &record : {lines({"1"}), lines({"2"})}) {
        writeFile(kProfile, lines({"1"}));
        writeFile(leftover, "1\r\n\"half a rec");
        RecordWriter w(kProfile);
        w.whole(record == lines({"1"}) ? 1 : 2);
        w.close();
        EXPECT_EQ(readFile(kProfile), record);
        EXPECT_FALSE(exists(leftover));
    }
}

// A user action reads each record from the disk once, however often its chain asks for it. What the program
// itself writes, copies over or removes in the action is read as it now stands, and the next action reads the
// disk afresh, so a change made between two clicks is seen.
TEST_F(Records, RecordsKeptInAnActionFollowTheProgramsOwnChanges) {
    ensureDataRoot();
    const QString other = QStringLiteral("c:\\法人税\\法人名\\13.txt");
    const auto firstValue = [] {
        RecordReader r(kProfile);
        return r.whole();
    };
    writeFile(kProfile, lines({"1"}));
    writeFile(other, lines({"3"}));
    {
        const RecordCacheScope action;
        EXPECT_EQ(firstValue(), 1);
        RecordWriter w(kProfile);
        w.whole(2);
        w.close();
        EXPECT_EQ(firstValue(), 2);
        EXPECT_EQ(readRawFile(kProfile), lines({"2"}));
        deleteFile(kProfile);
        EXPECT_EQ(errorOf(firstValue), Error::fileNotFound().description());
        copyFile(other, kProfile);
        EXPECT_EQ(firstValue(), 3);
    }
    writeFile(kProfile, lines({"5"}));
    const RecordCacheScope next;
    EXPECT_EQ(firstValue(), 5);
    EXPECT_FALSE(sharedHandleOpen());
}

// In a scope that defers writes (a user action), a record closed is written once, when the scope ends, with what
// it was closed with last; until then every look at it through the program sees the record as it will be, and the
// disk keeps the record as it stood. A record closed as it stands on the disk is not written at all.
TEST_F(Records, WritesInADeferringScopeReachTheDiskOnceAtItsEnd) {
    ensureDataRoot();
    const QString other = QStringLiteral("c:\\法人税\\法人名\\13.txt");
    const QString fresh = QStringLiteral("c:\\法人税\\法人名\\14.txt");
    const QString gone = QStringLiteral("c:\\法人税\\法人名\\15.txt");
    const auto save = [](const QString &path, int value) {
        RecordWriter w(path);
        w.whole(value);
        w.close();
    };
    const auto firstValue = [](const QString &path) {
        RecordReader r(path);
        return r.whole();
    };
    writeFile(kProfile, lines({"1"}));
    writeFile(other, lines({"3"}));
    std::vector<QString> written;
    setWriteObserver([&written](const QString &host) { written.push_back(QFileInfo(host).fileName()); });
    {
        const RecordCacheScope action(RecordCacheScope::Writes::atEnd);
        save(fresh, 7);
        save(kProfile, 2);
        save(kProfile, 5);
        save(other, 4);
        save(other, 3); // back as it stands
        save(gone, 9);
        deleteFile(gone);
        {
            // A scope inside joins the outer one.
            const RecordCacheScope inner(RecordCacheScope::Writes::atEnd);
            save(kProfile, 6);
        }
        EXPECT_TRUE(written.empty());
        EXPECT_EQ(firstValue(kProfile), 6);
        EXPECT_EQ(readRawFile(fresh), lines({"7"}));
        EXPECT_TRUE(fileExists(fresh));
        EXPECT_TRUE(recordExists(fresh));
        EXPECT_FALSE(fileExists(gone));
        EXPECT_EQ(errorOf([&gone] { deleteFile(gone); }), Error::fileNotFound().description());
        EXPECT_TRUE(entryNamesIn(dataroot::profiles).contains(QStringLiteral("14.txt")));
        EXPECT_EQ(readFile(kProfile).size(), 3) << "the disk keeps the record as it stood";
        EXPECT_FALSE(exists(fresh));
    }
    setWriteObserver({});
    EXPECT_EQ(written, (std::vector<QString>{"14.txt", "12.txt"}));
    EXPECT_EQ(readFile(kProfile), lines({"6"}));
    EXPECT_EQ(readFile(fresh), lines({"7"}));
    EXPECT_EQ(readFile(other), lines({"3"}));
    EXPECT_FALSE(exists(gone));
    EXPECT_FALSE(sharedHandleOpen());
}

// What works on the files themselves inside a deferring scope sees the records the scope saved: a copy copies them,
// a folder holding one is not empty. What can be known to fail is said when the record is closed, where the
// action's trap says it; the rest fails when the records are written, and is said then.
TEST_F(Records, FileWorkInADeferringScopeSeesTheSavedRecords) {
    ensureDataRoot();
    const QString copy = QStringLiteral("c:\\法人税\\法人名\\13.txt");
    const QString folder = QStringLiteral("c:\\法人税\\作業");
    const RecordCacheScope action(RecordCacheScope::Writes::atEnd);
    {
        RecordWriter w(kProfile);
        w.whole(4);
        w.close();
    }
    copyFile(kProfile, copy);
    EXPECT_EQ(readFile(copy), lines({"4"}));
    createFolder(folder);
    {
        RecordWriter w(folder + QStringLiteral("\\a.txt"));
        w.whole(1);
        w.close();
    }
    EXPECT_EQ(errorOf([&folder] { removeFolder(folder); }), Error::badPath().description());
    EXPECT_EQ(errorOf([&folder] { createFolder(folder + QStringLiteral("\\a.txt")); }), Error::badPath().description());

    // The folder gone before the close, or a folder come in the record's place.
    EXPECT_EQ(errorOf([&folder] {
                  RecordWriter w(folder + QStringLiteral("\\b.txt"));
                  QDir(hostPath(folder)).removeRecursively();
                  w.close();
              }),
              Error::pathNotFound().description());
    EXPECT_EQ(errorOf([] {
                  RecordWriter w(kProfile);
                  w.whole(5);
                  QFile::remove(hostPath(kProfile));
                  QDir().mkpath(hostPath(kProfile));
                  w.close();
              }),
              Error::badPath().description());
    QDir(hostPath(kProfile)).removeRecursively();
    // A folder removed after the close: the record is lost, and writePendingRecords says so; the others are written.
    const QString later = QStringLiteral("c:\\法人税\\後で");
    createFolder(later);
    for (const QString &path : {later + QStringLiteral("\\b.txt"), kProfile}) {
        RecordWriter w(path);
        w.whole(8);
        w.close();
    }
    QDir(hostPath(later)).removeRecursively();
    EXPECT_EQ(errorOf(writePendingRecords), Error::pathNotFound().description());
    EXPECT_EQ(readFile(kProfile), lines({"8"}));
    EXPECT_EQ(errorOf(writePendingRecords), QString()) << "nothing is left to fail again";
    EXPECT_FALSE(sharedHandleOpen());
}

// A kill while a record was being written leaves its temporary file, under a name that says which process wrote
// it. The clearing at the start removes those of processes that are gone (and its own number's, which can only be
// an earlier run's); a living process's file and the user's own files stay.
TEST_F(Records, LeftoverTemporariesOfProcessesGoneAreCleared) {
    ensureDataRoot();
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0);
    const QString schedule = QStringLiteral("c:\\法人税\\別表\\10101.txt");
    const QStringList cleared = {temporaryRecordPath(kProfile, child), temporaryRecordPath(schedule, child),
                                 temporaryRecordPath(kProfile, QCoreApplication::applicationPid())};
    const QStringList kept = {temporaryRecordPath(schedule, 1), kProfile + QStringLiteral(".new"),
                              kProfile + QStringLiteral(".hz-x.new"), QStringLiteral("c:\\法人税\\メモ.txt.new"),
                              QStringLiteral("c:\\他\\12.txt") + temporaryRecordPath(QString(), child)};
    for (const QString &path : cleared + kept)
        writeFile(path, QByteArray());
    clearLeftoverTemporaries(dataroot::root, true);
    for (const QString &path : cleared)
        EXPECT_FALSE(exists(path)) << path.toStdString();
    for (const QString &path : kept)
        EXPECT_TRUE(exists(path)) << path.toStdString();
    // Without its subfolders only the folder's own.
    writeFile(cleared[0], QByteArray());
    writeFile(cleared[1], QByteArray());
    clearLeftoverTemporaries(dataroot::profiles, false);
    EXPECT_FALSE(exists(cleared[0]));
    EXPECT_TRUE(exists(cleared[1]));
}

TEST_F(Records, QuotationMarkIsKeptAsFullWidth) {
    ensureDataRoot();
    RecordWriter w(kProfile);
    w.string(QStringLiteral("ab\"c"));
    w.close();
    RecordReader r(kProfile);
    EXPECT_EQ(r.string(), QStringLiteral("ab＂c"));
}

// A line break typed or pasted into a box never reaches a record: each break becomes one blank, and every value
// after it stays on its own line.
TEST_F(Records, LineBreaksInAValueBecomeBlanks) {
    ensureDataRoot();
    const struct {
        const char *typed;
        const char *saved;
    } cases[] = {{"株式会社\r\n一番", "株式会社 一番"},
                 {"a\nb", "a b"},
                 {"a\rb", "a b"},
                 {"a\n\nb", "a  b"},
                 {"\r\n", " "},
                 {"ab\r", "ab "}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        RecordWriter w(kProfile);
        w.string(QString::fromUtf8(c.typed)).line(QString::fromUtf8(c.typed)).whole(7);
        w.close();
        const QByteArray saved = encodeCp932(QString::fromUtf8(c.saved));
        EXPECT_EQ(readFile(kProfile), '"' + saved + "\"\r\n" + saved + "\r\n7\r\n");
        RecordReader r(kProfile);
        EXPECT_EQ(r.string(), QString::fromUtf8(c.saved));
        r.string();
        EXPECT_EQ(r.whole(), 7);
    }
}

// A record saved in UTF-8 is refused as a file in another code page, however it is met; records in code page 932
// read, also those whose bytes happen to form UTF-8 characters of two bytes, as some pairs of half-width kana do.
TEST_F(Records, ARecordInUtf8IsRefusedAndCp932JapaneseIsRead) {
    // Code page 932 as the program and its users' files have it, byte for byte.
    const struct {
        QByteArray bytes;
        const char *text;
    } cp932[] = {
        {"\x8A\x94\x8E\xAE\x89\xEF\x8E\xD0", "株式会社"},
        {"\x95\xCA\x93\x72\x90\xCF\x97\xA7\x8B\xE0", "別途積立金"},
        {"\x97\x4C\x8C\xC0\x89\xEF\x8E\xD0\x93\xF1\x94\xD4\x8D\x48\x8B\xC6", "有限会社二番工業"},
        {"\x88\xF3\x8E\x86\x90\xC5", "印紙税"},
        {"\x91\xE3\x95\x5C\x8E\xE6\x92\xF7\x96\xF0\x81\x40\x8E\x52\x93\x63", "代表取締役　山田"},
        {"\x87\x8A\xEE\xE0\x8B\xB4\x87\x40", "㈱髙橋①"},
        {"\xB6\xCC\xDE\xBC\xB7\xB6\xDE\xB2\xBC\xAC", "ｶﾌﾞｼｷｶﾞｲｼｬ"},
        {"\xC5\xB6", "ﾅｶ"},                // also UTF-8 "Ŷ"
        {"\xCF\xBD", "ﾏｽ"},                // also UTF-8 "Ͻ"
        {"\xC6\xB6\xDE\x81\x40", "ﾆｶﾞ　"}, // also valid UTF-8
        {"\xC3\x83\x41", "ﾃア"},           // also valid UTF-8
    };
    for (const auto &c : cp932) {
        SCOPED_TRACE(c.text);
        writeFile(kProfile, "12\r\n\"" + c.bytes + "\"\r\n");
        RecordReader r(kProfile);
        EXPECT_EQ(r.whole(), 12);
        EXPECT_EQ(r.string(), QString::fromUtf8(c.text));
    }
    // The same kind of texts saved in UTF-8, alone or among values in ASCII.
    for (const char *text : {"別途積立金", "株式会社一番商事", "ｶﾌﾞｼｷｶﾞｲｼｬ", "①", "税"}) {
        SCOPED_TRACE(text);
        writeFile(kProfile, "1000\r\n\"" + QByteArray(text) + "\"\r\n\"予備1\"\r\n");
        EXPECT_EQ(errorOf([] { RecordReader r(kProfile); }), Error::badFileFormat().description());
        EXPECT_FALSE(sharedHandleOpen());
        // Also when an action met the record before and keeps its bytes.
        const RecordCacheScope action;
        EXPECT_EQ(readRawFile(kProfile), "1000\r\n\"" + QByteArray(text) + "\"\r\n\"予備1\"\r\n");
        EXPECT_EQ(errorOf([] { RecordReader r(kProfile); }), Error::badFileFormat().description());
        EXPECT_FALSE(sharedHandleOpen());
    }
}

TEST_F(Records, TextWhereANumberIsExpectedIsATypeMismatch) {
    writeFile(kProfile, lines({"\"abc\""}));
    RecordReader r(kProfile);
    EXPECT_EQ(errorOf([&] { r.whole(); }), Error::typeMismatch().description());
}

TEST_F(Records, PathsAndTail) {
    EXPECT_EQ(companyPath(dataroot::profilePrefix, 12), QStringLiteral("c:\\法人税\\法人名\\12.txt"));
    EXPECT_EQ(companyPath(dataroot::profilePrefix, 0), QStringLiteral("c:\\法人税\\法人名\\0.txt"));
    EXPECT_EQ(companyPath(QStringLiteral("c:\\法人税\\別表\\1010"), 5), QStringLiteral("c:\\法人税\\別表\\10105.txt"));
    EXPECT_EQ(hostPath(QStringLiteral("c:\\法人税\\別表\\10105.txt")),
              qEnvironmentVariable("HOJINZEI_DRIVE_C") + QStringLiteral("/法人税/別表/10105.txt"));
    EXPECT_EQ(hostPath(QStringLiteral("A:\\法人税")),
              qEnvironmentVariable("HOJINZEI_DRIVE_A") + QStringLiteral("/法人税"));
    EXPECT_EQ(reservedTail().size(), 12);
    EXPECT_EQ(reservedTail(2).first(), QStringLiteral("予備2"));
    EXPECT_EQ(reservedTail(2).last(), QStringLiteral("予備12"));
    EXPECT_EQ(safeFileName(QStringLiteral("..\\..\\x/y")), QStringLiteral("______x_y"));
    EXPECT_EQ(safeFileName(QStringLiteral("..")), QStringLiteral("__"));
    EXPECT_EQ(safeFileName(QStringLiteral("株式会社山田")), QStringLiteral("株式会社山田"));
}

TEST_F(Records, DataRootFoldersAreMadeWhereMissing) {
    ensureDataRoot();
    EXPECT_TRUE(folderExists(dataroot::root));
    EXPECT_TRUE(folderExists(dataroot::profiles));
    EXPECT_TRUE(folderExists(dataroot::schedules));
    removeFolder(dataroot::schedules);
    ensureDataRoot(); // the root exists; the missing sub-folder is made all the same
    EXPECT_TRUE(folderExists(dataroot::schedules));
    EXPECT_EQ(errorOf([] { createFolder(dataroot::root); }), Error::badPath().description());
    EXPECT_EQ(errorOf([] { removeFolder(dataroot::temp); }), Error::pathNotFound().description());
}

} // namespace
} // namespace hz::test
