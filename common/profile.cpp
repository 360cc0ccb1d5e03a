#include "common/profile.h"

#include "core/numbers.h"
#include "core/paths.h"
#include "core/records.h"
#include "platform/controls.h"

namespace hz {

QString profilePath(std::int64_t code) { return companyPath(dataroot::profilePrefix, code); }

void readProfilePrefix(RecordReader &r, CompanyProfileRecord &rec, int n) {
    std::int32_t *wholes[] = {&rec.companyCode,    &rec.capitalYen,    &rec.periodStartYear, &rec.periodStartMonth,
                              &rec.periodStartDay, &rec.periodEndYear, &rec.periodEndMonth,  &rec.periodEndDay};
    QString *strings[] = {
        &rec.nameKana,     &rec.companyName,   &rec.taxAddress, &rec.representativeKana, &rec.representativeAddress,
        &rec.businessType, &rec.taxOfficeName, &rec.telephone};
    std::int32_t *settlement[] = {&rec.settlementYear, &rec.settlementMonth, &rec.settlementDay};
    int line = 0;
    for (auto *v : wholes)
        if (line++ < n)
            *v = r.whole();
    for (auto *v : strings)
        if (line++ < n)
            *v = r.string();
    for (auto *v : settlement)
        if (line++ < n)
            *v = r.whole();
    if (line++ < n)
        rec.representativeName = r.string();
}

void readProfile(std::int64_t code, CompanyProfileRecord &rec, int n) {
    RecordReader r(profilePath(code));
    readProfilePrefix(r, rec, n);
}

bool readProfileWithName(std::int64_t code, CompanyProfileRecord &rec) {
    RecordReader r(profilePath(code));
    readProfilePrefix(r, rec, 19);
    rec.representativeName.clear();
    if (r.atEnd())
        return false;
    rec.representativeName = r.string();
    return true;
}

namespace {
void writeProfileValues(RecordWriter &w, const CompanyProfileRecord &rec) {
    w.whole(rec.companyCode).whole(rec.capitalYen);
    w.whole(rec.periodStartYear).whole(rec.periodStartMonth).whole(rec.periodStartDay);
    w.whole(rec.periodEndYear).whole(rec.periodEndMonth).whole(rec.periodEndDay);
    w.string(rec.nameKana).string(rec.companyName).string(rec.taxAddress).string(rec.representativeKana);
    w.string(rec.representativeAddress).string(rec.businessType).string(rec.taxOfficeName).string(rec.telephone);
    w.whole(rec.settlementYear).whole(rec.settlementMonth).whole(rec.settlementDay);
}
} // namespace

void writeProfile(std::int64_t code, const CompanyProfileRecord &rec) { writeProfileAt(profilePath(code), rec); }

void writeProfileAt(const QString &windowsPath, const CompanyProfileRecord &rec) {
    RecordWriter w(windowsPath);
    writeProfileValues(w, rec);
    w.string(rec.representativeName).tail(2);
    w.close();
}

void writeProfileShortForm(std::int64_t code, const CompanyProfileRecord &rec) {
    RecordWriter w(profilePath(code));
    writeProfileValues(w, rec);
    w.close();
}

QString specialFieldPath(std::int64_t code) { return companyPath(QStringLiteral("c:\\法人税\\別表\\特設欄"), code); }

void readSpecialFields(std::int64_t code, SpecialFieldRecord &rec, int n) {
    QString *fields[] = {&rec.refundBankName,       &rec.refundBranchName,  &rec.refundAccountNumber,
                         &rec.employeeCount,        &rec.wardName,          &rec.refundAccountType,
                         &rec.prefecturalAddressee, &rec.municipalAddressee};
    RecordReader r(specialFieldPath(code));
    for (int i = 0; i < n && i < 8; ++i)
        *fields[i] = r.string();
}

bool readSpecialFieldsAnyFormAt(const QString &windowsPath, SpecialFieldRecord &rec) {
    QString *fields[] = {&rec.refundBankName,       &rec.refundBranchName,  &rec.refundAccountNumber,
                         &rec.employeeCount,        &rec.wardName,          &rec.refundAccountType,
                         &rec.prefecturalAddressee, &rec.municipalAddressee};
    RecordReader r(windowsPath);
    for (int i = 0; i < 8; ++i) {
        if (i == 6 && r.atEnd()) {
            rec.prefecturalAddressee.clear();
            rec.municipalAddressee.clear();
            return false;
        }
        *fields[i] = r.string();
    }
    return true;
}

bool readSpecialFieldsAnyForm(std::int64_t code, SpecialFieldRecord &rec) {
    return readSpecialFieldsAnyFormAt(specialFieldPath(code), rec);
}

void writeSpecialFields(std::int64_t code, const SpecialFieldRecord &rec, int tailFrom) {
    RecordWriter w(specialFieldPath(code));
    w.string(rec.refundBankName).string(rec.refundBranchName).string(rec.refundAccountNumber);
    w.string(rec.employeeCount).string(rec.wardName).string(rec.refundAccountType);
    w.string(rec.prefecturalAddressee).string(rec.municipalAddressee);
    w.tail(tailFrom);
    w.close();
}

void showBusinessYear(const CompanyProfileRecord &rec, const std::array<TextBox *, 6> &boxes) {
    const std::int32_t figures[] = {rec.periodStartYear, rec.periodStartMonth, rec.periodStartDay,
                                    rec.periodEndYear,   rec.periodEndMonth,   rec.periodEndDay};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setText(plain(figures[i]));
}

} // namespace hz
