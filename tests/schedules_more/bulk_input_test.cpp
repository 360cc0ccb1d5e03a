#include "core/errors.h"
#include "core/paths.h"
#include "schedules/more/bulk_input.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <limits>

namespace hz::test {
namespace {

TEST(BulkChoices, LeviesSelectOnlyTheWindowsPairsAndTheLimitIs400ManUnless300Man) {
    struct Case {
        double prefectural, municipal;
        LevyChoice expected;
    } levies[] = {
        {20000, 50000, LevyChoice::small}, {50000, 130000, LevyChoice::large},
        {0, 0, LevyChoice::none},          // after the next-year rollover: Schedule 1 takes the rate table's
        {80000, 130000, LevyChoice::none}, // a levy the window does not offer stays as it is
        {20000, 130000, LevyChoice::none}, // a pair the window does not offer
        {50000, 50000, LevyChoice::none},
    };
    for (const Case &c : levies)
        EXPECT_EQ(levyChoiceFor(c.prefectural, c.municipal), c.expected) << c.prefectural << " " << c.municipal;

    struct Limit {
        std::int32_t limit;
        LimitChoice expected;
    } limits[] = {{3000000, LimitChoice::limit3M},
                  {4000000, LimitChoice::limit4M},
                  {0, LimitChoice::limit4M}, // a new company, or one rolled into its next year
                  {2000000, LimitChoice::limit4M},
                  {2999999, LimitChoice::limit4M},
                  {3000001, LimitChoice::limit4M}};
    for (const Limit &c : limits)
        EXPECT_EQ(limitChoiceFor(c.limit), c.expected) << c.limit;
}

TEST(BulkDividends, TheSecondIssueStaysWhereTheTotalsLeaveRoomForIt) {
    const std::int32_t max = std::numeric_limits<std::int32_t>::max();
    struct Case {
        const char *name;
        std::int32_t received, credited, secondReceived, secondCredited;
        DividendRows expected;
    } const cases[] = {
        {"room for both", 400000, 60000, 100000, 10000, {300000, 50000, true}},
        {"exactly the second issue", 100000, 10000, 100000, 10000, {0, 0, true}},
        {"no second issue", 400000, 60000, 0, 0, {400000, 60000, true}},
        {"received below the second issue", 50000, 60000, 100000, 10000, {50000, 60000, false}},
        {"credited below the second issue", 400000, 5000, 100000, 10000, {400000, 5000, false}},
        {"a second issue below zero leaves no 32-bit room", max, 0, -1, 0, {max, 0, false}},
    };
    for (const Case &c : cases) {
        const DividendRows r = splitDividends(c.received, c.credited, c.secondReceived, c.secondCredited);
        EXPECT_EQ(r.firstReceived, c.expected.firstReceived) << c.name;
        EXPECT_EQ(r.firstWithheld, c.expected.firstWithheld) << c.name;
        EXPECT_EQ(r.keepSecond, c.expected.keepSecond) << c.name;
    }
}

TEST(BulkTaxesTotal, AddsFigures6To17Only) {
    BulkFigures f{};
    for (int n = 1; n <= 23; ++n)
        f[std::size_t(n - 1)] = n * 1000;
    // 6 + 7 + ... + 17 = 138 thousand; figures 1-5 and 18-23 stay out.
    EXPECT_EQ(bulkTaxesTotal(f), 138000);

    BulkFigures negative{};
    negative[5] = -5000;
    negative[16] = 2000;
    EXPECT_EQ(bulkTaxesTotal(negative), -3000);

    BulkFigures huge{};
    huge[5] = std::numeric_limits<std::int32_t>::max();
    huge[6] = 1;
    EXPECT_THROW(bulkTaxesTotal(huge), Error);
}

class BulkScratch : public HzTest {
protected:
    // Every file below the drive, as paths relative to it.
    QStringList filesOnDrive() {
        QStringList out;
        const QDir drive(hostPath(QStringLiteral("c:\\")));
        QDirIterator it(drive.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext())
            out << drive.relativeFilePath(it.next());
        out.sort();
        return out;
    }
};

TEST_F(BulkScratch, TheFileHoldsThe23FiguresOneALineWithoutTail) {
    ensureDataRoot();
    BulkFigures f{};
    for (int n = 1; n <= 23; ++n)
        f[std::size_t(n - 1)] = n;
    f[0] = 1234567;
    f[1] = -250000;
    writeBulkScratch(QStringLiteral("株式会社山田商店"), f);

    const QString path = QStringLiteral("c:\\法人税\\法人税Temp\\株式会社山田商店.txt");
    EXPECT_EQ(bulkScratchPath(QStringLiteral("株式会社山田商店")), path);
    QStringList expected{"1234567", "-250000"};
    for (int n = 3; n <= 23; ++n)
        expected << QString::number(n);
    EXPECT_EQ(readFile(path), lines(expected));

    // A second write replaces the file whole; deleting it twice is no error.
    f.fill(0);
    writeBulkScratch(QStringLiteral("株式会社山田商店"), f);
    EXPECT_EQ(readFile(path), lines(QStringList(23, QStringLiteral("0"))));
    deleteBulkScratch(QStringLiteral("株式会社山田商店"));
    EXPECT_FALSE(exists(path));
    deleteBulkScratch(QStringLiteral("株式会社山田商店"));
}

TEST_F(BulkScratch, NoCompanyNameReachesOutsideTheScratchFolder) {
    ensureDataRoot();
    writeFile(QStringLiteral("c:\\法人税\\税率.txt"), "keep");
    writeFile(QStringLiteral("c:\\法人税\\法人名\\7.txt"), "keep");
    const QStringList before = filesOnDrive();

    const char *names[] = {"../税率", "..\\税率", "..", "../../法人税/法人名/7", "a/b", "c:\\x", "..\\..\\",
                           "/etc/x",  "",         "."};
    for (const char *raw : names) {
        const QString name = QString::fromUtf8(raw);
        const QString path = bulkScratchPath(name);
        ASSERT_TRUE(path.startsWith(dataroot::temp)) << raw;
        const QString file = path.mid(dataroot::temp.size());
        EXPECT_FALSE(file.contains(u'\\') || file.contains(u'/') || file.contains(QStringLiteral(".."))) << raw;

        writeBulkScratch(name, BulkFigures{});
        const QFileInfo written(hostPath(path));
        EXPECT_TRUE(written.isFile()) << raw;
        EXPECT_EQ(written.absolutePath(), QFileInfo(hostPath(dataroot::temp)).absoluteFilePath()) << raw;
        deleteBulkScratch(name);
        EXPECT_FALSE(QFileInfo::exists(written.filePath())) << raw;
    }
    EXPECT_EQ(readFile(QStringLiteral("c:\\法人税\\税率.txt")), "keep");
    EXPECT_EQ(readFile(QStringLiteral("c:\\法人税\\法人名\\7.txt")), "keep");
    EXPECT_EQ(filesOnDrive(), before);
}

TEST_F(BulkScratch, AMissingDataRootFailsTheWrite) {
    EXPECT_THROW(writeBulkScratch(QStringLiteral("株式会社山田商店"), BulkFigures{}), Error);
}

} // namespace
} // namespace hz::test
