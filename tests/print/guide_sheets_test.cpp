// The eight picture pages printed over their guide sheets with large figures, in as many variants as it takes to
// make every row print that a page prints only under some condition: the sheet's title block stands clear of every
// item, every item lies inside a box of the sheet with no box line through it, every box is used, and the labels
// stay off the items.

#include "print/page_images.h"
#include "print/pages.h"
#include "tests/print/page_checks.h"
#include "tests/support/fixture.h"
#include "tests/support/print_support.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <sstream>

namespace hz::test {
namespace {

// A company with long texts and every text of the pages filled.
PrintData company() {
    PrintData d;
    d.companyNumbers = {0, 12, 987654321, 30, 4, 1, 31, 3, 31, 31, 5, 24};
    d.companyTexts[1] = QStringLiteral("カブシキガイシャ　サンプルショウジ");
    d.companyTexts[2] = QStringLiteral("株式会社サンプル商事");
    d.companyTexts[3] = QStringLiteral("愛知県名古屋市中区栄三丁目１５番２７号");
    d.companyTexts[4] = QStringLiteral("ヤマダ　タロウ");
    d.companyTexts[5] = QStringLiteral("愛知県名古屋市千種区今池五丁目２番１号");
    d.companyTexts[6] = QStringLiteral("卸売業");
    d.companyTexts[7] = QStringLiteral("名古屋中");
    d.companyTexts[8] = QStringLiteral("052-123-4567");
    d.companyTexts[9] = QStringLiteral("山田　太郎");
    d.companyTexts[10] = d.companyTexts[9];
    d.accountantTexts = {QString(),
                         QStringLiteral("長谷川一郎右衛門"),
                         QStringLiteral("052-987-6543"),
                         QStringLiteral("名古屋市東区泉一丁目１番１号"),
                         QStringLiteral("123456"),
                         QStringLiteral("名古屋")};
    d.refundBankTexts = {QString(),
                         QStringLiteral("中央信用"),
                         QStringLiteral("栄"),
                         QStringLiteral("1234567"),
                         QStringLiteral("普通預金"),
                         QString(),
                         QStringLiteral("125"),
                         QStringLiteral("中区")};
    d.specialFieldTexts = {QString(), QStringLiteral("名古屋中県税事務所長"), QStringLiteral("名古屋市長")};
    return d;
}

using Variant = std::function<void(PrintData &)>;

void schedule1Profit(PrintData &d) {
    // Income, tax due after the credit and the interim tax: lines 1, 33, 12, 13, 15 and the others.
    d.sched1Amounts = {0,        98765432, 29629600, 12345678, 10000000, 18395033, 18000000,
                       39600000, 80765432, 24229600, 0,        12345678, 87654321};
}

void schedule1LossAndRefunds(PrintData &d) {
    // A loss (▲ on line 1), a credit larger than the tax (line 16) and an interim tax to refund (lines 17, 19).
    d.sched1Amounts = {0, -98765432, 100, 87654321, 12345678, -12345678, 0, 0, 0, 0, 0, 23456789, 76543210};
}

void schedule1Billions(PrintData &d) {
    // Ten digits on every line the page prints when the tax is due: the billions and hundred millions left of the
    // ten-millions box.
    for (std::size_t k = 1; k < d.sched1Amounts.size(); ++k)
        d.sched1Amounts[k] = 2147483647;
    d.sched1Amounts[3] = 1000000000;
    d.companyNumbers[2] = 2147483647; // the capital, placed by its own width
}

void schedule1BillionsOfRefunds(PrintData &d) {
    // A ten-digit loss (the mark two boxes further left) and ten-digit refunds.
    d.sched1Amounts = {0, -2147483647, 1000000000, 2147483647, 1000000000, -1, 0, 0, 0, 0, 0, 0, 0};
}

void prefecturalBillions(PrintData &d) {
    // Ten digits in every row, negative where a row marks negatives, so that every mark moves left with the billions.
    d.sched1Amounts[2] = -2147483647;
    const double big = 2147483647;
    d.enterpriseTaxValues = {0, -big, big, big, big, big, 0, big, -big, 3.4, 5.1, 6.7, big, big, big, big};
    // ⑱'s yearly per-capita amount before 円 × ⑰/12 is no digit row: nine digits are the most it takes.
    d.prefTaxValues = {0, -big, 3.2, -big, big, -big, -big, 999999999, big, -big, -big, 0};
    d.schedule4Cells[42] = -2147483647;
    d.schedule4Cells[48] = 2147483647;
    d.schedule4Cells[52] = -2147483647;
    d.companyNumbers[2] = 2147483647;
}

void prefecturalBillionsCredited(PrintData &d) {
    // The levy credited in ⑪, ten digits.
    d.prefTaxValues = {0, 1000, 3.2, 2147483647, 2147483646, 0, 0, 0, 0, 0, 0, 0};
}

void prefecturalCredited(PrintData &d) {
    // Nine digits in every row; the levy below the 法人税割額, credited in ⑪.
    d.sched1Amounts[2] = 987654321;
    d.enterpriseTaxValues = {0,         987654321, 123456789, 234567891, 345678912, 456789123, 0,         567891234,
                             678912345, 3.4,       5.1,       6.7,       789123456, 891234567, 912345678, 987654321};
    d.prefTaxValues = {0,         987654321, 3.2,       987654321, 123456789, 234567891,
                       345678912, 456789123, 567891234, 678912345, 789123456, 0};
    d.schedule4Cells[42] = 987654321;
    d.schedule4Cells[48] = 123456789;
    d.schedule4Cells[52] = 864197532;
}

void prefecturalNegative(PrintData &d) {
    // Every row that marks a negative gets one; the levy above the 法人税割額 goes to ㉚ and the refund claim, the
    // enterprise tax due below 0 to the refund of the interim payment.
    d.sched1Amounts[2] = -987654321;
    d.enterpriseTaxValues = {0, -987654321, 0, 0, 0, 0, 0, 123456700, -678912345, 3.4, 5.1, 6.7, 0, 0, 0, 0};
    d.prefTaxValues = {0, -987654321, 3.2, -987654321, 500000000, 0, -345678912, -800000, 0, -567891234, -678912345, 0};
    d.schedule4Cells[42] = -987654321;
    d.schedule4Cells[48] = 0;
    d.schedule4Cells[52] = -864197532;
}

void prefecturalNegativeLevy(PrintData &d) {
    // A levy below 0 (㉘ marked), credited against the 法人税割額.
    d.prefTaxValues = {0, 1000, 3.2, 87654321, -123456789, 0, 0, 0, 0, 0, 0, 0};
}

// The municipal return: 均等割 of 50,000 or 130,000 yen, the amounts still due the form is filled in for, the four
// bands of the totals, both account types.
Variant municipal(double perCapita, double perCapitaPaid, double due, const char *accountType, double levyPaid) {
    return [=](PrintData &d) {
        d.sched1Amounts[2] = 987654321;
        d.muniTaxValues = {0, 987654000, 12.3, 121481442, levyPaid, 0, perCapita, perCapitaPaid, 0, due};
        d.refundBankTexts[4] = QString::fromUtf8(accountType);
    };
}

void municipalLargestCapital(PrintData &d) {
    // Ten digits of capital, placed by their own width.
    municipal(50000, 25000, 98765, "普通預金", 1234500)(d);
    d.companyNumbers[2] = 2147483647;
}

void lossCarriedForward(PrintData &d) {
    for (std::size_t k = 1; k < d.sched7Amounts.size(); ++k)
        d.sched7Amounts[k] = 987654321;
    d.sched7Amounts[15] = 100000000;
}

void extremeLoss(PrintData &d) {
    // The widest amounts there are, either side of 0.
    for (std::size_t k = 1; k < d.sched7Amounts.size(); ++k)
        d.sched7Amounts[k] = k % 2 ? -2147483647 - 1 : 2147483647;
    d.sched7Amounts[15] = -1;
    d.sched7Amounts[20] = 2147483647;
}

void interestLevy(PrintData &d) {
    d.schedule6Cells[1] = 987654321;
    d.schedule5_2Cells[32] = 148148148;
    d.prefTaxValues[4] = 148148148;
}

void extremeInterestLevy(PrintData &d) {
    d.schedule6Cells[1] = 2147483647;
    d.schedule5_2Cells[32] = -2147483647 - 1;
    d.prefTaxValues[4] = -2147483648.0;
}

void nothingMore(PrintData &) {}

struct PictureCase {
    const char *caption;
    std::vector<Variant> variants;
};

const std::vector<PictureCase> &pictureCases() {
    static const std::vector<PictureCase> cases = {
        {"別表一", {schedule1Profit, schedule1LossAndRefunds, schedule1Billions, schedule1BillionsOfRefunds}},
        {"法人県民税",
         {prefecturalCredited, prefecturalNegative, prefecturalNegativeLevy, prefecturalBillions,
          prefecturalBillionsCredited}},
        {"県税の欠損金", {lossCarriedForward, extremeLoss}},
        {"利子割控除", {interestLevy, extremeInterestLevy}},
        {"利子の愛知県", {interestLevy, extremeInterestLevy}},
        {"法人市民税",
         {municipal(50000, 25000, 98765, "普通預金", 1234500), municipal(130000, 65000, 987654, "当座預金", 0),
          municipal(50000, 0, 9876543, "普通預金", 987654321), municipal(130000, 0, 98765432, "当座預金", 1234500),
          municipalLargestCapital}},
        {"市民税入力用",
         {municipal(50000, 25000, 98765, "普通預金", 1234500), municipal(130000, 65000, 987654, "当座預金", 0),
          municipal(50000, 0, 9876543, "普通預金", 987654321), municipal(130000, 0, 98765432, "当座預金", 1234500),
          municipalLargestCapital}},
        {"税務代理権限書", {nothingMore}},
    };
    return cases;
}

std::string describe(const PrintOp &t) {
    std::ostringstream out;
    out << '"' << t.text.toStdString() << "\" " << t.size << "pt at (" << t.x << ", " << t.y << ")";
    return out.str();
}

std::string describe(const QRectF &r) {
    std::ostringstream out;
    out << "(" << r.left() << ", " << r.top() << ")-(" << r.right() << ", " << r.bottom() << ")";
    return out.str();
}

constexpr double tolerance = 0.01;

bool contains(const QRectF &box, const QRectF &ink) {
    return box.adjusted(-tolerance, -tolerance, tolerance, tolerance).contains(ink);
}

bool overlaps(const QRectF &a, const QRectF &b) {
    return a.adjusted(tolerance, tolerance, -tolerance, -tolerance).intersects(b);
}

class GuideSheets : public HzTest {};

TEST_F(GuideSheets, EveryItemOfEveryPicturePageLiesInABoxOfItsSheetAndClearOfItsTitle) {
    for (const PictureCase &c : pictureCases()) {
        const QString caption = QString::fromUtf8(c.caption);
        SCOPED_TRACE(c.caption);
        const PageSpec &entry = *pageSpec(caption);
        const GuideLayout layout = guideLayout(entry.picture, entry);
        ASSERT_FALSE(layout.titleBlock.isEmpty());
        std::vector<bool> used(layout.boxes.size(), false);
        for (std::size_t v = 0; v < c.variants.size(); ++v) {
            SCOPED_TRACE(v);
            PrintData data = company();
            c.variants[v](data);
            PageState state;
            const PrintJobLog job = recordPage(caption, data, state);
            ASSERT_TRUE(job.ended());
            PrintData again = data;
            renderPage(caption, again, QStringLiteral("guide-%1-%2").arg(caption).arg(v + 1));

            for (const PrintOp &t : job.texts()) {
                const QRectF ink = inkRect(t);
                if (ink.isEmpty())
                    continue;
                EXPECT_FALSE(overlaps(layout.titleBlock, ink)) << describe(t) << " under the title block";
                bool inside = false;
                for (std::size_t b = 0; b < layout.boxes.size(); ++b) {
                    if (contains(layout.boxes[b], ink)) {
                        inside = used[b] = true;
                    } else if (overlaps(layout.boxes[b], ink)) {
                        ADD_FAILURE() << "the box " << describe(layout.boxes[b]) << " cuts through " << describe(t);
                    }
                }
                EXPECT_TRUE(inside) << describe(t) << " lies in no box";
                for (const GuideLayout::Label &l : layout.labels)
                    EXPECT_FALSE(overlaps(l.rect, ink))
                        << "the label " << l.text.toStdString() << " falls on " << describe(t);
            }
            for (const PrintOp &l : job.lines())
                EXPECT_FALSE(overlaps(layout.titleBlock, QRectF(QPointF(l.x, l.y), QPointF(l.x2, l.y2)).normalized()))
                    << "a line under the title block";
        }
        for (std::size_t b = 0; b < layout.boxes.size(); ++b)
            EXPECT_TRUE(used[b]) << "nothing printed in the box " << describe(layout.boxes[b]);
    }
}

TEST_F(GuideSheets, Schedule1sLineOneHasABoxForEachFigureAndOneForTheLossMark) {
    // The widest loss: the mark stands left of the billions and hundred millions, which go left of box 1.
    const PageSpec &entry = *pageSpec(QStringLiteral("別表一"));
    const GuideLayout layout = guideLayout(entry.picture, entry);
    PrintData data = company();
    data.sched1Amounts[1] = std::numeric_limits<std::int32_t>::min();
    PageState state;
    const PrintJobLog job = recordPage(QStringLiteral("別表一"), data, state);
    const auto marks = job.textsEqual(QStringLiteral("▲"));
    ASSERT_EQ(marks.size(), 1u);
    const QRectF mark = inkRect(marks.front());
    std::vector<QRectF> row;
    for (const QRectF &b : layout.boxes)
        if (b.top() < mark.center().y() && b.bottom() > mark.center().y() && b.right() > mark.left() - 1 &&
            b.left() < mark.left() + 11 * 5)
            row.push_back(b);
    std::sort(row.begin(), row.end(), [](const QRectF &a, const QRectF &b) { return a.left() < b.left(); });
    // The mark's, the billions', the hundred millions', and boxes 1 to 8, each on the 5 mm pitch.
    ASSERT_EQ(row.size(), 11u);
    EXPECT_TRUE(contains(row[0], mark)) << describe(row[0]) << " does not hold the mark";
    // Its ink clear of the box's rules, by half a rule and a gap a reader sees.
    for (const double gap : {mark.top() - row[0].top(), row[0].bottom() - mark.bottom(), mark.left() - row[0].left(),
                             row[0].right() - mark.right()})
        EXPECT_GE(gap, 0.25) << describe(row[0]);
    EXPECT_LT(row[0].right(), row[1].left()) << "the mark's box runs into the next";
    for (std::size_t k = 0; k < row.size(); ++k) {
        EXPECT_LE(row[k].width(), 5 + tolerance) << describe(row[k]);
        if (k > 0) {
            EXPECT_NEAR(row[k].left() - row[k - 1].left(), 5, 0.5) << describe(row[k]);
        }
    }
}

} // namespace
} // namespace hz::test
