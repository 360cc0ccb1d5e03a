#include "core/durability.h"
#include "core/errors.h"
#include "core/paths.h"
#include "core/records.h"
#include "maintenance/file_batch.h"
#include "platform/services.h"
#include "tests/support/fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <functional>

namespace hz::test {
namespace {

class ActionSync : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        syncWritten(); // what the fixture itself wrote
    }
    static void save(const QString &path, int value) {
        RecordWriter out(path);
        out.whole(value);
        out.close();
    }
};

// What an action saves is written and synced once, when the outermost action ends; an action started inside
// another (a click in a message box's own event loop) leaves it to the outer one.
TEST_F(ActionSync, TheOutermostActionSyncsWhatWasWritten) {
    userAction([this] {
        save("c:\\a.txt", 1);
        userAction([] { save("c:\\b.txt", 2); });
        EXPECT_FALSE(exists("c:\\a.txt"));
        EXPECT_FALSE(exists("c:\\b.txt"));
        EXPECT_EQ(foldersAwaitingSync(), 0);
    });
    EXPECT_EQ(readFile("c:\\a.txt"), lines({"1"}));
    EXPECT_EQ(readFile("c:\\b.txt"), lines({"2"}));
    EXPECT_EQ(foldersAwaitingSync(), 0);

    // Writes outside any action wait for the next one.
    save("c:\\a.txt", 3);
    EXPECT_EQ(foldersAwaitingSync(), 1);
    EXPECT_TRUE(userAction([] {}));
    EXPECT_EQ(foldersAwaitingSync(), 0);

    // A record saved as it stands writes nothing, and nothing waits.
    save("c:\\a.txt", 3);
    EXPECT_EQ(foldersAwaitingSync(), 0);
}

// The data window's batches are synced like single records, the folder of each file it put in place and the
// journal's, and so is an action that failed half-way.
TEST_F(ActionSync, BatchesAndFailedActionsAreSyncedToo) {
    writeFile("c:\\d\\a.txt", "old");
    writeFile("c:\\e\\b.txt", "old");
    syncWritten();
    {
        FileBatch batch;
        writeFile(batch.stage("c:\\d\\a.txt"), "new");
        writeFile(batch.stage("c:\\e\\b.txt"), "new");
        batch.commit();
    }
    EXPECT_EQ(foldersAwaitingSync(), 3);
    userAction([] {
        save("c:\\a.txt", 1);
        throw Error::cannotWrite();
    });
    EXPECT_EQ(foldersAwaitingSync(), 0);
}

// An action that fails half-way, or ends the program, still writes what it saved before.
TEST_F(ActionSync, WhatAnActionSavedIsWrittenWhenItFailsOrEndsTheProgram) {
    userAction([] {
        save("c:\\a.txt", 1);
        throw Error::overflow();
    });
    EXPECT_EQ(readFile("c:\\a.txt"), lines({"1"}));
    EXPECT_FALSE(userAction([] {
        save("c:\\b.txt", 2);
        endProgram();
    }));
    EXPECT_EQ(readFile("c:\\b.txt"), lines({"2"}));
    EXPECT_EQ(svc.boxes.size(), 0u);
}

// A record that cannot be written when the action ends (its folder removed meanwhile by another program, or a
// folder standing in the place of its temporary file) is said in a box; the old record stays as it was, byte for
// byte, where its folder does, and the other records are written all the same.
TEST_F(ActionSync, ARecordThatCannotBeWrittenAtTheEndIsSaid) {
    const struct {
        const char *what;
        std::function<void()> spoil;
        Error error;
        bool folderStays;
    } cases[] = {
        {"folder removed", [] { QDir(hostPath("c:\\d")).removeRecursively(); }, Error::pathNotFound(), false},
        {"folder in the temporary file's place",
         [] { QDir().mkpath(hostPath(temporaryRecordPath("c:\\d\\a.txt", QCoreApplication::applicationPid()))); },
         Error::cannotWrite(), true},
    };
    const QByteArray old = lines({"7", "\"旧\""});
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QDir(hostPath("c:\\d")).removeRecursively();
        writeFile("c:\\d\\a.txt", old);
        QFile::remove(hostPath("c:\\b.txt"));
        svc.boxes.clear();
        userAction([&c] {
            save("c:\\d\\a.txt", 1);
            save("c:\\b.txt", 2);
            c.spoil();
        });
        ASSERT_EQ(svc.boxes.size(), 1u);
        EXPECT_EQ(svc.boxes[0].title, QStringLiteral("ディスクへの保存"));
        EXPECT_EQ(svc.boxes[0].prompt, c.error.description());
        // Read from the disk itself, not through what the program keeps of its records.
        QFile a(hostPath("c:\\d\\a.txt"));
        if (c.folderStays) {
            ASSERT_TRUE(a.open(QIODevice::ReadOnly));
            EXPECT_EQ(a.readAll(), old);
        } else {
            EXPECT_FALSE(a.exists());
        }
        EXPECT_EQ(readFile("c:\\b.txt"), lines({"2"}));
    }
}

} // namespace
} // namespace hz::test
