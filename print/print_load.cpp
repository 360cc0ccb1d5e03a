#include "print/print_load.h"

#include "core/errors.h"
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


namespace hz {

QString taxAccountantPath() { return QStringLiteral("c:\\法人税\\税理士名.txt"); }

void readTaxAccountant(Texts<5> &texts) {
    if (!recordExists(taxAccountantPath()))
        return; // no accountant saved yet
    Texts<5> read = texts;
    readNamedRecord(QStringLiteral("税理士"), taxAccountantPath(), [&] {
        try {
            RecordReader in(taxAccountantPath());
            for (int k = 1; k <= 5; ++k)
                read[k] = in.string();
        } catch (const Error &e) {
            // An older, shorter file: what it does not hold stays.
            if (e.description() != Error::pastEndOfFile().description())
                throw;
        }
    });
    texts = read;
}

void writeTaxAccountant(const Texts<5> &texts) {
    RecordWriter out(taxAccountantPath());
    for (int k = 1; k <= 5; ++k)
        out.string(texts[k]);
    out.tail();
    out.close();
}

void readNamedRecord(const QString &name, const QString &windowsPath, const std::function<void()> &read) {
    try {
        read();
    } catch (const Error &e) {
        throw Error(QStringLiteral("%1のデータ（%2）を読めません。%3").arg(name, windowsPath, e.description()))
            .aboutRecord(windowsPath);
    }
}

void clearCompanyPrintData(PrintData &data) {
    const Texts<5> accountant = data.accountantTexts;
    data = PrintData{};
    data.accountantTexts = accountant;
}

CompanyProfileRecord readProfileForPrint(std::int32_t code, bool &shortForm) {
    CompanyProfileRecord rec;
    shortForm = false;
    readNamedRecord(QStringLiteral("会社情報"), profilePath(code), [&] {
        try {
            readProfile(code, rec, 20);
        } catch (const Error &) {
            // Data maintenance writes the short form, which ends before the representative's name.
            rec = {};
            readProfile(code, rec, 19);
            shortForm = true;
        }
    });
    // The profile names the company whose records are read; a file that speaks for another code would mix two
    // companies on one return.
    if (rec.companyCode != code)
        throw Error(QStringLiteral("会社情報のデータ（%1）は法人コード %2 の会社のものです。")
                        .arg(profilePath(code))
                        .arg(rec.companyCode));
    return rec;
}

void takeProfile(const CompanyProfileRecord &rec, PrintData &data) {
    auto &n = data.companyNumbers;
    n[1] = rec.companyCode;
    n[2] = rec.capitalYen;
    n[3] = rec.periodStartYear;
    n[4] = rec.periodStartMonth;
    n[5] = rec.periodStartDay;
    n[6] = rec.periodEndYear;
    n[7] = rec.periodEndMonth;
    n[8] = rec.periodEndDay;
    n[9] = rec.settlementYear;
    n[10] = rec.settlementMonth;
    n[11] = rec.settlementDay;
    auto &t = data.companyTexts;
    t[1] = rec.nameKana;
    t[2] = rec.companyName;
    t[3] = rec.taxAddress;
    t[4] = rec.representativeKana;
    t[5] = rec.representativeAddress;
    t[6] = rec.businessType;
    t[7] = rec.taxOfficeName;
    t[8] = rec.telephone;
    t[9] = rec.representativeName;
}

bool readSpecialFieldsForPrint(std::int32_t code, SpecialFieldRecord &rec, bool &olderForm) {
    olderForm = false;
    // Only where nothing stands is there no record: a folder or a file that cannot be opened is said.
    if (!recordExists(specialFieldPath(code)))
        return false;
    readNamedRecord(QStringLiteral("特設欄"), specialFieldPath(code), [&] {
        try {
            readSpecialFields(code, rec, 8);
        } catch (const Error &) {
            // The older form holds the first six values, without the addressees.
            rec = {};
            readSpecialFields(code, rec, 6);
            olderForm = true;
        }
    });
    return true;
}

void readScheduleRecords(std::int32_t code, PrintData &d) {
    Schedule1Record s1;
    readNamedRecord(QStringLiteral("別表一"), schedule1Path(code), [&] { readSchedule1(code, s1); });
    for (int k = 1; k <= 18; ++k)
        d.sched1Amounts[k] = s1.A(k);
    for (int k = 1; k <= 15; ++k)
        d.enterpriseTaxValues[k] = s1.B(k);
    for (int k = 1; k <= 11; ++k)
        d.prefTaxValues[k] = s1.C(k);
    for (int k = 1; k <= 9; ++k)
        d.muniTaxValues[k] = s1.D(k);

    // The record keeps the shareholders column by column; the print data row by row, as the reader gives them.
    Schedule2Record s2;
    readNamedRecord(QStringLiteral("別表二"), schedule2Path(code), [&] { s2 = readSchedule2(code); });
    for (int k = 1; k <= 25; ++k)
        d.sched2Texts[k] = s2.holderTexts[std::size_t(k - 1)];
    for (int k = 1; k <= 9; ++k)
        d.sched2Shares[k] = s2.holderAmounts[std::size_t(k - 1)];

    // Cells 13 and 29 are not kept in the record and stay 0.
    Schedule4Record s4;
    readNamedRecord(QStringLiteral("別表四"), schedule4Path(code), [&] { s4 = readSchedule4(code); });
    for (int k = 1; k <= 62; ++k)
        d.schedule4Cells[k] = s4.cells[std::size_t(k)];
    for (int k = 1; k <= 4; ++k)
        d.schedule4RowNames[k] = s4.names[std::size_t(k - 1)];

    Schedule5_1Record s51;
    readNamedRecord(QStringLiteral("別表五（一）"), schedule5_1Path(code), [&] { s51 = readSchedule5_1(code); });
    for (int k = 1; k <= 70; ++k)
        d.schedule5_1Cells[k] = s51.cells[std::size_t(k - 1)];
    for (int k = 1; k <= 7; ++k)
        d.schedule5_1RowNames[k] = s51.rowNames[std::size_t(k - 1)];

    Schedule5_2Cells s52{};
    readNamedRecord(QStringLiteral("別表五（二）"), schedule5_2Path(code), [&] { s52 = readSchedule5_2File(code); });
    for (int k = 1; k <= 78; ++k)
        d.schedule5_2Cells[k] = s52[std::size_t(k - 1)];

    Schedule5_2Part2Record p2;
    readNamedRecord(QStringLiteral("別表五（二）の２"), schedule5_2Part2Path(code),
                    [&] { p2 = readSchedule5_2Part2File(code); });
    for (int k = 1; k <= 70; ++k)
        d.schedule5_2Part2Cells[k] = p2.cells[std::size_t(k - 1)];
    for (int k = 1; k <= 4; ++k)
        d.schedule5_2Part2RowNames[k] = p2.rowNames[std::size_t(k - 1)];

    Schedule6Record s6;
    readNamedRecord(QStringLiteral("別表六"), schedule6Path(code), [&] { s6 = readSchedule6(code); });
    for (int k = 1; k <= 21; ++k)
        d.schedule6Cells[k] = s6.items[std::size_t(k)];
    for (int k = 1; k <= 2; ++k)
        d.schedule6Texts[k] = s6.issueNames[std::size_t(k - 1)];

    // Only the numbers the record holds (1-17, 20, 23, 32-37); the others stay 0.
    Schedule7Items s7{};
    readNamedRecord(QStringLiteral("別表七"), schedule7Path(code), [&] { readSchedule7(code, s7); });
    for (int k : schedule7RecordItems)
        d.sched7Amounts[std::size_t(k)] = s7[std::size_t(k)];

    Schedule15Items s15{};
    readNamedRecord(QStringLiteral("別表十五"), schedule15Path(code), [&] { s15 = readSchedule15(code); });
    for (int k = 1; k <= 7; ++k)
        d.sched15Amounts[k] = s15[std::size_t(k)];

    Schedule5_1CapitalRecord cap;
    readNamedRecord(QStringLiteral("別表五（一）資本金等"), schedule5_1CapitalPath(code),
                    [&] { cap = readSchedule5_1Capital(code); });
    for (int k = 1; k <= 16; ++k)
        d.capitalCells[k] = cap.cells[std::size_t(k - 1)];
    for (int k = 1; k <= 2; ++k)
        d.capitalRowNames[k] = cap.rowNames[std::size_t(k - 1)];
}

} // namespace hz
