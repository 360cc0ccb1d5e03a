#include "print/print_failures.h"

#include "platform/services.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace hz {

namespace {

int g_depth = 0;
std::vector<PrintFailure> g_failures;

void showFailures() {
    std::vector<PrintFailure> failures;
    failures.swap(g_failures);
    if (!failures.empty())
        msgBox(printFailureMessage(failures), mb::OkWarning, QStringLiteral("印刷"));
}

} // namespace

QString printFailureMessage(const std::vector<PrintFailure> &failures) {
    struct Line {
        PrintFailure failure;
        int count;
    };
    std::vector<Line> lines;
    for (const PrintFailure &f : failures) {
        auto same = std::find_if(lines.begin(), lines.end(), [&](const Line &l) {
            return l.failure.page == f.page && l.failure.reason == f.reason;
        });
        if (same != lines.end())
            ++same->count;
        else
            lines.push_back({f, 1});
    }
    QString text = QStringLiteral("次のページは印刷されませんでした。");
    for (const Line &l : lines) {
        text += u'\n' + l.failure.page;
        if (l.count > 1)
            text += QStringLiteral("（%1 回）").arg(l.count);
        text += QStringLiteral("：") + l.failure.reason;
    }
    return text;
}

void reportingPrintFailures(const std::function<void()> &action) {
    struct Depth {
        Depth() { ++g_depth; }
        ~Depth() {
            // The program's end unwinds through here: nothing more is shown.
            if (--g_depth == 0 && std::uncaught_exceptions() > 0)
                g_failures.clear();
        }
    };
    {
        Depth depth;
        action();
    }
    if (g_depth == 0)
        showFailures();
}

void notePrintFailure(const QString &page, const QString &reason) {
    g_failures.push_back({page, reason});
    if (g_depth == 0)
        showFailures();
}

} // namespace hz
