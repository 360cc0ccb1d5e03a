#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace hz {

class RecordReader;
class TextBox;

// The company profile "c:\法人税\法人名\<code>.txt": 20 values and the tail "予備2".."予備12".
struct CompanyProfileRecord {
    std::int32_t companyCode = 0;
    std::int32_t capitalYen = 0;
    std::int32_t periodStartYear = 0; // 平成
    std::int32_t periodStartMonth = 0;
    std::int32_t periodStartDay = 0;
    std::int32_t periodEndYear = 0;
    std::int32_t periodEndMonth = 0;
    std::int32_t periodEndDay = 0;
    QString nameKana;
    QString companyName;
    QString taxAddress;
    QString representativeKana;
    QString representativeAddress;
    QString businessType;
    QString taxOfficeName;
    QString telephone;
    std::int32_t settlementYear = 0;
    std::int32_t settlementMonth = 0;
    std::int32_t settlementDay = 0;
    QString representativeName;

    bool operator==(const CompanyProfileRecord &) const = default;
};

QString profilePath(std::int64_t code);

// The codes a company can have: the company list shows 1 to 999, so no record is made under any other.
inline constexpr std::int32_t firstCompanyCode = 1;
inline constexpr std::int32_t lastCompanyCode = 999;
inline bool isCompanyCode(std::int64_t code) { return code >= firstCompanyCode && code <= lastCompanyCode; }
// The text that refuses a code outside them.
inline const QString companyCodeRangeText = QStringLiteral("法人コードは 1 から 999 までです。");

// Reads the first n values (4, 5, 10, 16, 19 or 20) into rec, in line order. A short file throws at the first
// missing line with the values before it already in rec.
void readProfilePrefix(RecordReader &reader, CompanyProfileRecord &rec, int n);
// Opens the profile of code and reads its first n values; throws like the reader.
void readProfile(std::int64_t code, CompanyProfileRecord &rec, int n);

// Reads the 20 values of the full layout. A profile in the short form, which ends right after its 19th value,
// reads with an empty representative's name and returns false; true when the name was read. Throws like the
// reader for a profile that ends anywhere else or holds a value that does not read.
bool readProfileWithName(std::int64_t code, CompanyProfileRecord &rec);

// The full layout: 20 values and the tail (31 lines).
void writeProfile(std::int64_t code, const CompanyProfileRecord &rec);
// The same layout written to another name, such as a new record made ready beside the old one.
void writeProfileAt(const QString &windowsPath, const CompanyProfileRecord &rec);
// The short form: the first 19 values only.
void writeProfileShortForm(std::int64_t code, const CompanyProfileRecord &rec);

// The special-field record "c:\法人税\別表\特設欄<code>.txt": 8 strings and the tail.
struct SpecialFieldRecord {
    QString refundBankName;
    QString refundBranchName;
    QString refundAccountNumber;
    QString employeeCount;
    QString wardName;
    QString refundAccountType; // "当座預金", "普通預金" or empty
    QString prefecturalAddressee;
    QString municipalAddressee;

    bool operator==(const SpecialFieldRecord &) const = default;
};

QString specialFieldPath(std::int64_t code);

// Reads the first n values (8, or 6 for the older form that has no addressees) into rec.
void readSpecialFields(std::int64_t code, SpecialFieldRecord &rec, int n);
// Reads the 8 values, or the 6 of the older form, which ends right after its 6th value and has no addressees
// (they read as empty, and the result is false). Throws like the reader for a file that ends anywhere else.
bool readSpecialFieldsAnyForm(std::int64_t code, SpecialFieldRecord &rec);
// The same from the record at windowsPath, such as a copy of it on the backup drive.
bool readSpecialFieldsAnyFormAt(const QString &windowsPath, SpecialFieldRecord &rec);
// The 8 values, then the tail from "予備<tailFrom>": 20 lines, or 18 with tailFrom 3.
void writeSpecialFields(std::int64_t code, const SpecialFieldRecord &rec, int tailFrom = 1);

// Shows the business year of rec in six boxes: 自 year, month, day, then 至 year, month, day.
void showBusinessYear(const CompanyProfileRecord &rec, const std::array<TextBox *, 6> &boxes);

} // namespace hz
