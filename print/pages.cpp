#include "print/pages.h"

#include "core/errors.h"
#include "print/page_images.h"
#include "print/print_failures.h"

#include <iterator>

namespace hz {

namespace {

constexpr double formWidth = 200;
constexpr double formHeight = 288;

constexpr PageSpec specs[] = {
    {u"別表一", 1, 7, formWidth, formHeight, Schedule1Page},
    {u"別表二", 2, 0, 0, 0, Schedule2Page},
    {u"別表四", 3, 0, 0, 0, Schedule4Page},
    {u"別五（一）", 4, 0, 0, 0, Schedule5_1Page},
    {u"別五（二）", 5, 0, 0, 0, Schedule5_2Page},
    {u"別表六", 6, 0, 0, 0, Schedule6Page},
    {u"別表七", 7, 0, 0, 0, Schedule7Page},
    {u"別表十五", 8, 0, 0, 0, Schedule15Page},
    {u"法人県民税", 9, 2, formWidth, formHeight, PrefecturalReturnPage},
    {u"県税の欠損金", 10, 3, formWidth, formHeight, PrefecturalLossPage},
    {u"利子割控除", 11, 4, formWidth, formHeight, InterestLevyCreditPage},
    {u"利子の愛知県", 12, 1, formWidth, formHeight, InterestLevyByPrefecturePage},
    {u"法人市民税", 13, 6, formWidth, formHeight, MunicipalReturnPage},
    {u"市民税入力用", 14, 5, formWidth, formHeight, MunicipalInputCopyPage},
    {u"税務署用紙・別表一", 0, 0, 0, 0, Schedule1OfficeSheetPage},
    // The authority form is laid out on the whole sheet.
    {u"税務代理権限書", 0, 8, 210, 297, TaxAgencyAuthorityPage},
    {u"別表十一", 0, 0, 0, 0, Schedule11BlankPage},
};

} // namespace

std::span<const PageSpec> pageSpecs() { return specs; }

const PageSpec *pageSpec(const QString &caption) {
    for (const PageSpec &s : specs)
        if (QString::fromUtf16(s.caption) == caption)
            return &s;
    return nullptr;
}

const PageSpec *pageSpecForPicture(int picture) {
    for (const PageSpec &s : specs)
        if (s.picture == picture)
            return &s;
    return nullptr;
}

void printPage(const PageSpec &entry, PrintData &data, PageState &state) {
    std::unique_ptr<Printer> job;
    try {
        job = openPrintJob(QString::fromUtf16(entry.caption));
        Page page(*job, data, state);
        job->setScaleModeMm();
        if (entry.picture != 0)
            page.paintPicture(pageImage(entry.picture), entry.pictureWidth, entry.pictureHeight);
        entry.draw(page);
        state.resetOffsets();
        job->endDoc();
        for (const QString &text : page.shortenedTexts())
            noteShortenedText(QString::fromUtf16(entry.caption), text);
    } catch (const Error &) {
        if (job)
            job->abort();
        state.resetOffsets();
        throw;
    }
}

} // namespace hz
