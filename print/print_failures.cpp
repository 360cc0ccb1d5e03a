#include "print/print_failures.h"

#include "platform/services.h"

#include <algorithm>
#include <exception>
#include <vector>

namespace hz {

namespace {

int g_depth = 0;
std::vector<PrintFailure> g_failures;
std::vector<ShortenedText> g_shortened;

// Enough of a text's start for the user to know it again.
constexpr qsizetype namedLength = 30;

void showFailures() {
    std::vector<PrintFailure> failures;
    std::vector<ShortenedText> shortened;
    failures.swap(g_failures);
    shortened.swap(g_shortened);
    if (!failures.empty() || !shortened.empty())
        msgBox(printReportMessage(failures, shortened), mb::OkWarning, QStringLiteral("印刷"));
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

QString printReportMessage(const std::vector<PrintFailure> &failures, const std::vector<ShortenedText> &shortened) {
    QString text = failures.empty() ? QString() : printFailureMessage(failures);
    std::vector<ShortenedText> named;
    for (const ShortenedText &s : shortened)
        if (std::none_of(named.begin(), named.end(),
                         [&](const ShortenedText &n) { return n.page == s.page && n.text == s.text; }))
            named.push_back(s);
    if (named.empty())
        return text;
    if (!text.isEmpty())
        text += QStringLiteral("\n\n");
    text +=
        QStringLiteral("次のページは印刷しましたが、欄に入りきらない文字を省きました。欄に入るよう短くして印刷し直して"
                       "ください。");
    for (const ShortenedText &s : named) {
        const QString shown = s.text.size() > namedLength ? s.text.left(namedLength) + u'…' : s.text;
        text += u'\n' + s.page + QStringLiteral("：「") + shown + u'」';
    }
    return text;
}

void reportingPrintFailures(const std::function<void()> &action) {
    struct Depth {
        Depth() { ++g_depth; }
        ~Depth() {
            // The program's end unwinds through here: nothing more is shown.
            if (--g_depth == 0 && std::uncaught_exceptions() > 0) {
                g_failures.clear();
                g_shortened.clear();
            }
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

void noteShortenedText(const QString &page, const QString &text) {
    g_shortened.push_back({page, text});
    if (g_depth == 0)
        showFailures();
}

} // namespace hz
