#include "maintenance/rollover.h"

#include "core/errors.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"
#include "maintenance/company_files.h"
#include "maintenance/file_batch.h"
#include "schedules/core/schedule2.h"
#include "schedules/more/schedule7.h"

#include <functional>

namespace hz {

namespace {

// Line n of the Schedule 7 record.
std::int32_t &line(Schedule7Lines &s7, int n) { return s7.at(std::size_t(n - 1)); }
std::int32_t line(const Schedule7Lines &s7, int n) { return s7.at(std::size_t(n - 1)); }

// The Schedule 4 record leaves out cells 13 and 29, which the form does not have.
bool schedule4Stored(int cell) { return cell != 13 && cell != 29; }

} // namespace

CompanyYear rollOver(const CompanyYear &closing) {
    CompanyYear next;

    // 別表七: each year's loss moves one row older. The 翌期繰越 of a row is what it still carries, so it
    // becomes the 控除未済 of the row below; this year's loss becomes 期首前１年前, and the 6th and 7th years take
    // what the 5th and 6th carried, so the total 計 控除未済 (old 合計) is all still there, row by row.
    const Schedule7Lines &old7 = closing.schedule7;
    Schedule7Lines &s7 = next.schedule7;
    line(s7, 1) = line(old7, 5);   // 期首前５年前 ← 期首前４年前 翌期繰越
    line(s7, 3) = line(old7, 8);   // 期首前４年前 ← 期首前３年前 翌期繰越
    line(s7, 6) = line(old7, 11);  // 期首前３年前 ← 期首前２年前 翌期繰越
    line(s7, 9) = line(old7, 14);  // 期首前２年前 ← 期首前１年前 翌期繰越
    line(s7, 12) = line(old7, 18); // 期首前１年前 ← 当期欠損金額
    line(s7, 15) = line(old7, 19); // 計 控除未済 ← 合計
    line(s7, 20) = line(old7, 24); // 期首前６年前 ← 期首前５年前 翌期繰越
    line(s7, 21) = line(old7, 25); // 期首前７年前 ← 期首前６年前 翌期繰越

    // 別表五（一）: 期首現在① takes 差引翌期首⑤ in every row; the year's movements start at 0.
    next.schedule5_1.rowNames = closing.schedule5_1.rowNames;
    for (int row = 1; row <= s51::totalRow; ++row)
        next.schedule5_1.cells[schedule5_1Cell(row, 1) - 1] = closing.schedule5_1.cells[schedule5_1Cell(row, 5) - 1];

    // 別表五（二）: each tax's 確定 期末未納額⑥ is unpaid at the start of the new year (前期 期首未納額①).
    next.schedule5_2[1 - 1] = closing.schedule5_2[18 - 1];  // 法人税
    next.schedule5_2[25 - 1] = closing.schedule5_2[48 - 1]; // 県民税
    next.schedule5_2[55 - 1] = closing.schedule5_2[72 - 1]; // 市民税

    // 納税充当金: 期末 becomes 期首.
    next.schedule5_2Part2.rowNames = closing.schedule5_2Part2.rowNames;
    next.schedule5_2Part2.cells[s52p2::provisionStart - 1] = closing.schedule5_2Part2.cells[s52p2::provisionEnd - 1];

    // Schedules 1, 4, 6 and 15 start empty; the names the user gave their free lines stay.
    next.schedule4.names = closing.schedule4.names;
    next.schedule6.issueNames = closing.schedule6.issueNames;

    // The interim payments were this year's: the new year's interim return has paid nothing yet.
    if (closing.interim)
        next.interim = InterimAmountRecord{};

    // The business year and the settlement date move one 平成 year on; months and days stay.
    next.profile = closing.profile;
    next.profile.periodStartYear = add(closing.profile.periodStartYear, 1);
    next.profile.periodEndYear = add(closing.profile.periodEndYear, 1);
    next.profile.settlementYear = add(closing.profile.settlementYear, 1);
    return next;
}

namespace {

// Runs the read of one record; readYear hands every record it reads to a step, which may name the record in the
// error of a read that fails.
using ReadStep = std::function<void(const QString &windowsPath, const std::function<void()> &read)>;

CompanyYear readYear(std::int32_t code, const ReadStep &step) {
    CompanyYear y;
    step(profilePath(code), [&] { y.profile = company_files::readFullProfile(profilePath(code)); });
    step(schedule5_1Path(code), [&] { y.schedule5_1 = readSchedule5_1(code); });
    step(schedule5_2Path(code), [&] { y.schedule5_2 = readSchedule5_2File(code); });
    step(schedule5_2Part2Path(code), [&] { y.schedule5_2Part2 = readSchedule5_2Part2File(code); });
    step(schedule7Path(code), [&] {
        RecordReader in(schedule7Path(code));
        int n = 1;
        for (; n <= 19; ++n)
            line(y.schedule7, n) = in.whole();
        // The 6th and 7th years came later; a record without them has nothing to carry there.
        while (n <= 25 && company_files::readIfPresent([&] { line(y.schedule7, n) = in.whole(); }))
            ++n;
    });
    step(schedule1Path(code), [&] { readSchedule1(code, y.schedule1); });
    step(schedule4Path(code), [&] { y.schedule4 = readSchedule4(code); });
    step(schedule6Path(code), [&] { y.schedule6 = readSchedule6(code); });
    step(schedule15Path(code), [&] { y.schedule15 = readSchedule15(code); });
    if (recordExists(interimAmountPath(code)))
        step(interimAmountPath(code), [&] { y.interim = readInterimAmounts(code); });
    return y;
}

} // namespace

CompanyYear readCompanyYear(std::int32_t code) { return readYear(code, company_files::readNamingRecord); }

void stageCompanyYear(FileBatch &batch, std::int32_t code, const CompanyYear &y) {
    {
        RecordWriter out(batch.stage(schedule7Path(code)));
        for (std::int32_t v : y.schedule7)
            out.whole(v);
        out.close();
    }
    writeCellsAndNames(batch.stage(schedule5_1Path(code)), y.schedule5_1.cells, y.schedule5_1.rowNames);
    writeCellsAndNames(batch.stage(schedule5_2Path(code)), y.schedule5_2, std::array<QString, 0>{});
    writeCellsAndNames(batch.stage(schedule5_2Part2Path(code)), y.schedule5_2Part2.cells, y.schedule5_2Part2.rowNames);
    {
        RecordWriter out(batch.stage(schedule1Path(code)));
        for (std::int32_t v : y.schedule1.corporateTaxBlock)
            out.whole(v);
        for (double v : y.schedule1.enterpriseTaxBlock)
            out.dbl(v);
        for (double v : y.schedule1.prefecturalTaxBlock)
            out.dbl(v);
        for (double v : y.schedule1.municipalTaxBlock)
            out.dbl(v);
        out.close();
    }
    {
        RecordWriter out(batch.stage(schedule4Path(code)));
        for (int cell = 1; cell < kIncomeCellCount; ++cell)
            if (schedule4Stored(cell))
                out.whole(y.schedule4.cells[std::size_t(cell)]);
        for (const QString &name : y.schedule4.names)
            out.string(name);
        out.close();
    }
    {
        RecordWriter out(batch.stage(schedule6Path(code)));
        for (int i = 1; i <= 21; ++i)
            out.whole(y.schedule6.items[std::size_t(i)]);
        for (const QString &name : y.schedule6.issueNames)
            out.string(name);
        out.close();
    }
    {
        RecordWriter out(batch.stage(schedule15Path(code)));
        for (int i = 1; i <= 7; ++i)
            out.whole(y.schedule15[std::size_t(i)]);
        out.close();
    }
    if (y.interim)
        writeInterimAmountsAt(batch.stage(interimAmountPath(code)), *y.interim);
    writeProfileAt(batch.stage(profilePath(code)), y.profile);
}

} // namespace hz
