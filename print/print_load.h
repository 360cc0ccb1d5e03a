#pragma once

#include "common/profile.h"
#include "print/print_data.h"

#include <QString>

#include <cstdint>
#include <functional>

// What the print window's data load reads into the print data, as plain functions over the record files.
namespace hz {

// "c:\法人税\税理士名.txt": the tax accountant every company's returns name, one file for the installation.
QString taxAccountantPath();
// The first five texts into texts(1) to (5). A missing or short file leaves the texts not read as they were; a
// file that stands there but cannot be read leaves all five and throws a named error.
void readTaxAccountant(Texts<5> &texts);
// The five texts and "予備1" to "予備12", 17 lines. Throws hz::Error when the file cannot be written.
void writeTaxAccountant(const Texts<5> &texts);

// Runs one read of a record; its failure comes back naming the record and its file, so the user knows which one
// is missing or short.
void readNamedRecord(const QString &name, const QString &windowsPath, const std::function<void()> &read);

// Every element that belongs to a company emptied or zeroed. The tax accountant, who signs for every company,
// stays.
void clearCompanyPrintData(PrintData &data);

// The company profile as the print data load reads it: the full layout, or the short form of 19 values (then
// shortForm is set and the representative's name is empty). Throws a named error when neither reads, or when the
// profile belongs to another code than its file's.
CompanyProfileRecord readProfileForPrint(std::int32_t code, bool &shortForm);
// The profile into companyNumbers(1) to (11) and companyTexts(1) to (9).
void takeProfile(const CompanyProfileRecord &rec, PrintData &data);

// The special-field record of code: the full eight values, or the older six (then olderForm is set). Returns false
// when the company has no record; throws a named error when one exists but cannot be read.
bool readSpecialFieldsForPrint(std::int32_t code, SpecialFieldRecord &rec, bool &olderForm);

// The ten schedule records of code into the print data, in the load's order. Throws a named error at the first
// record that cannot be read; the records before it are then in data.
void readScheduleRecords(std::int32_t code, PrintData &data);

} // namespace hz
