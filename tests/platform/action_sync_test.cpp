#include "core/durability.h"
#include "core/errors.h"
#include "core/records.h"
#include "maintenance/file_batch.h"
#include "platform/services.h"
#include "tests/support/fixture.h"

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

// What an action writes is synced once, when the outermost action ends; an action started inside another (a
// click in a message box's own event loop) leaves it to the outer one.
TEST_F(ActionSync, TheOutermostActionSyncsWhatWasWritten) {
    userAction([] {
        save("c:\\a.txt", 1);
        userAction([] { save("c:\\b.txt", 2); });
        EXPECT_EQ(foldersAwaitingSync(), 1);
    });
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

} // namespace
} // namespace hz::test
