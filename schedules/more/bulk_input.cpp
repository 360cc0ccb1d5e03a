#include "schedules/more/bulk_input.h"

#include "common/profile.h"
#include "core/errors.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"
#include "schedules/core/capital.h"
#include "schedules/core/schedule1.h"
#include "schedules/core/schedule2.h"
#include "schedules/core/schedule4.h"
#include "schedules/core/schedule5_1.h"
#include "schedules/more/schedule15.h"
#include "schedules/more/schedule5_2.h"
#include "schedules/more/schedule6.h"
#include "schedules/more/schedule7.h"

#include <algorithm>
#include <functional>
#include <limits>

namespace hz {

LevyChoice levyChoiceFor(double prefecturalLevy, double municipalLevy) {
    if (prefecturalLevy == 20000 && municipalLevy == 50000)
        return LevyChoice::small;
    if (prefecturalLevy == 50000 && municipalLevy == 130000)
        return LevyChoice::large;
    return LevyChoice::none;
}

LimitChoice limitChoiceFor(std::int32_t fixedLimit) {
    return fixedLimit == 3000000 ? LimitChoice::limit3M : LimitChoice::limit4M;
}

std::optional<BulkLoad> readBulkLoad(std::int32_t code, const BulkRecordReader &readOne) {
    BulkLoad out;
    auto &fig = out.figures;
    auto set = [&fig](int n, std::int32_t v) { fig[std::size_t(n - 1)] = v; };
    auto read = [&readOne](const QString &path, const std::function<void()> &reader, bool required = false) {
        return readOne(path, reader, required) != RecordRead::unreadable;
    };

    CompanyProfileRecord profile;
    if (!read(profilePath(code), [&] { readProfile(code, profile, 19); }, true))
        return std::nullopt;

    Schedule1Record s1;
    Schedule4Record s4;
    Schedule5_1Record s51;
    Schedule5_2Cells s52{};
    Schedule5_2Part2Record p2;
    Schedule6Record s6;
    Schedule15Items s15{};
    const bool allRead =
        read(schedule1Path(code), [&] { readSchedule1(code, s1); }) &&
        read(schedule2Path(code), [&] { readSchedule2(code); }) &&
        read(schedule4Path(code), [&] { s4 = readSchedule4(code); }) &&
        read(schedule5_1Path(code), [&] { s51 = readSchedule5_1(code); }) &&
        read(schedule5_2Path(code), [&] { s52 = readSchedule5_2File(code); }) &&
        read(schedule5_2Part2Path(code), [&] { p2 = readSchedule5_2Part2File(code); }) &&
        read(schedule6Path(code), [&] { s6 = readSchedule6(code); }) &&
        // Only the newer years: the next-year rollover leaves a record of 19 values, which must load.
        read(schedule7Path(code),
             [&] {
                 RecordReader in(schedule7Path(code));
                 for (int i = 0; i < 19; ++i)
                     in.whole();
             }) &&
        read(schedule15Path(code), [&] { s15 = readSchedule15(code); }) &&
        read(schedule5_1CapitalPath(code), [&] { readSchedule5_1Capital(code); });
    if (!allRead)
        return std::nullopt;

    auto p2cell = [&p2](int k) { return p2.cells[std::size_t(k - 1)]; };
    auto s52cell = [&s52](int k) { return cellAt(s52, k); };

    set(bulk::profit, s4.cells[1]);
    set(bulk::retainedEarnings, s51.cells[schedule5_1Cell(s51::retainedEarningsRow, 4) - 1]);
    // Schedule 1 keeps the local-tax figures as doubles holding whole yen.
    try {
        const std::int32_t c5 = roundHalfEven(s1.C(5)), c8 = roundHalfEven(s1.C(8));
        const std::int32_t d4 = roundHalfEven(s1.D(4)), d7 = roundHalfEven(s1.D(7));
        set(bulk::interimPrefecturalTax, add(c5, c8)); // 中間納付額⑬ + 中間均等割額⑲
        set(bulk::interimMunicipalTax, add(d4, d7));   // 中間納付額⑪ + 中間均等割額⑯
    } catch (const Error &e) {
        throw Error(QStringLiteral("別表一の中間申告額を合計できません。%1").arg(e.description()));
    }

    set(bulk::interestLevy, s52cell(32));           // 利子割 ②
    set(bulk::previousCorporateTax, s52cell(5));    // 法人税 前期 ⑤
    set(bulk::previousPrefecturalTax, s52cell(29)); // 県民税 前期 ⑤
    set(bulk::previousMunicipalTax, s52cell(59));   // 市民税 前期 ⑤
    set(bulk::previousEnterpriseTax, p2cell(5));    // 事業税 前期 ⑤
    set(bulk::consumptionTax, p2cell(38));          // 消費税 ②
    set(bulk::otherDeductible, p2cell(35));         // 印紙税外 ⑤
    set(bulk::withheldIncomeTax, p2cell(59));       // 源泉所得税 ⑤
    set(bulk::otherNonDeductible, p2cell(65));      // fourth 損金不算入 row ⑤

    // A first total until the window computes its own: what both Schedule 5(2) windows hold as paid and
    // expensed, the consumption tax by its ⑤ column (line 41) where figure 14 shows its ②.
    try {
        std::int32_t total = 0;
        for (int k : {32, 5, 29, 59})
            total = add(total, s52cell(k));
        for (int k : {5, 41, 35, 59, 65})
            total = add(total, p2cell(k));
        set(bulk::taxesTotal, total);
    } catch (const Error &e) {
        throw Error(QStringLiteral("租税公課合計を計算できません。%1").arg(e.description()));
    }

    set(bulk::interest, s6.items[s6::interest]);
    set(bulk::interestIncomeTax, s6.items[s6::interestTax]);
    set(bulk::dividends, s6.items[s6::dividends]);
    set(bulk::dividendIncomeTax, s6.items[s6::dividendTax]);
    set(bulk::entertainment, s15[s15::expenditure]);

    out.secondIssueReceived = s6.items[std::size_t(s6::issueFirst[1] + s6::received)];
    out.secondIssueCredit = s6.items[std::size_t(s6::issueFirst[1] + s6::credit)];
    out.levies = levyChoiceFor(s1.C(7), s1.D(6));
    out.limit = limitChoiceFor(s15[s15::fixedLimit]);
    out.enteredFlag = s51.cells[schedule5_1Cell(s51::retainedEarningsRow, 4) - 1];
    return out;
}

DividendRows splitDividends(std::int32_t totalReceived, std::int32_t totalCredit, std::int32_t secondReceived,
                            std::int32_t secondCredit) {
    // Differences of two 32-bit figures fit in 64 bits; a first row that would not fit in 32 bits leaves no room.
    const std::int64_t received = std::int64_t(totalReceived) - secondReceived;
    // Figure 22 counts what each issue credits; the first issue is held the whole year, so its withheld tax is
    // what it credits.
    const std::int64_t withheld = std::int64_t(totalCredit) - secondCredit;
    const auto fits = [](std::int64_t v) { return v >= 0 && v <= std::numeric_limits<std::int32_t>::max(); };
    if (fits(received) && fits(withheld))
        return {std::int32_t(received), std::int32_t(withheld), true};
    return {totalReceived, totalCredit, false};
}

std::int32_t bulkTaxesTotal(const BulkFigures &figures) {
    std::int32_t total = 0;
    for (int n = 6; n <= 17; ++n)
        total = add(total, figures[std::size_t(n - 1)]);
    return total;
}

QString bulkScratchPath(const QString &companyName) {
    return dataroot::temp + safeFileName(companyName) + QStringLiteral(".txt");
}

void writeBulkScratch(const QString &companyName, const BulkFigures &figures) {
    // The folder usually exists already; the write below reports what really fails.
    try {
        createFolder(dataroot::temp);
    } catch (const Error &) {
    }
    RecordWriter out(bulkScratchPath(companyName));
    for (std::int32_t v : figures)
        out.whole(v);
    out.close();
}

void deleteBulkScratch(const QString &companyName) {
    try {
        deleteFile(bulkScratchPath(companyName));
    } catch (const Error &) {
    }
}

} // namespace hz
