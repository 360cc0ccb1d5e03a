#include "core/errors.h"
#include "core/paths.h"
#include "maintenance/file_batch.h"
#include "tests/support/fixture.h"

#include <QDir>

namespace hz::test {
namespace {

class FileBatchTest : public HzTest {
protected:
    void SetUp() override {
        HzTest::SetUp();
        writeFile(a, "old a");
        writeFile(b, "old b");
    }
    // Makes new content ready for target through the batch.
    static void stageText(FileBatch &batch, const QString &target, const QByteArray &bytes) {
        writeFile(batch.stage(target), bytes);
    }
    // Every file in the folder, so that nothing the batch made is left behind.
    static QStringList folder() {
        return QDir(hostPath("c:\\d")).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }

    const QString a = QStringLiteral("c:\\d\\a.txt");
    const QString b = QStringLiteral("c:\\d\\b.txt");
    const QString c = QStringLiteral("c:\\d\\c.txt");
};

TEST_F(FileBatchTest, CommitPutsEveryFileInPlace) {
    FileBatch batch;
    stageText(batch, a, "new a");
    stageText(batch, c, "new c");
    batch.stageCopy(a, b); // the old a, read before anything moved
    EXPECT_EQ(readFile(a), "old a");
    batch.commit();
    EXPECT_EQ(readFile(a), "new a");
    EXPECT_EQ(readFile(b), "old a");
    EXPECT_EQ(readFile(c), "new c");
    EXPECT_EQ(folder(), QStringList({"a.txt", "b.txt", "c.txt"}));
}

TEST_F(FileBatchTest, WithoutACommitNothingChanges) {
    {
        FileBatch batch;
        stageText(batch, a, "new a");
        stageText(batch, c, "new c");
        EXPECT_THROW(batch.stageCopy("c:\\d\\missing.txt", b), Error);
    }
    EXPECT_EQ(readFile(a), "old a");
    EXPECT_EQ(readFile(b), "old b");
    EXPECT_EQ(folder(), QStringList({"a.txt", "b.txt"}));
}

TEST_F(FileBatchTest, AFailureWhileReplacingPutsTheOldFilesBack) {
    // The second file cannot be set aside: something else stands under that name.
    QDir().mkpath(hostPath(b + FileBatch::keptAsideSuffix + "\\x"));
    FileBatch batch;
    stageText(batch, a, "new a");
    stageText(batch, b, "new b");
    stageText(batch, c, "new c");
    try {
        batch.commit();
        FAIL() << "the commit went through";
    } catch (const Error &e) {
        EXPECT_EQ(e.description(), Error::cannotWrite().description());
    }
    EXPECT_EQ(readFile(a), "old a");
    EXPECT_EQ(readFile(b), "old b");
    EXPECT_FALSE(exists(c));
    EXPECT_EQ(folder(), QStringList({"a.txt", "b.txt", "b.txt" + FileBatch::keptAsideSuffix}));
}

} // namespace
} // namespace hz::test
