#include "schedules/core/tax_rates.h"

#include "core/paths.h"
#include "core/records.h"

namespace hz {

TaxRateTable readTaxRates() {
    TaxRateTable t;
    RecordReader in(dataroot::taxRateFile);
    for (float &v : t.r)
        v = in.single();
    return t;
}

void writeTaxRates(const TaxRateTable &t) {
    RecordWriter out(dataroot::taxRateFile);
    for (float v : t.r)
        out.single(v);
    out.tail();
    out.close();
}

} // namespace hz
