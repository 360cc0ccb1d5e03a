#pragma once

#include <QString>

// Where the program's links point: the project's own pages and mail addresses.
namespace hz::links {

inline const QString supportForum = QStringLiteral("https://hojinzei.example.org/forum/");
inline const QString homePage = QStringLiteral("https://hojinzei.example.org/");
inline const QString mailAddress = QStringLiteral("info@hojinzei.example.org");
inline const QString supportMailAddress = QStringLiteral("support@hojinzei.example.org");

// "mailto:" + address, unless the address already starts with it (in any case).
QString mailTarget(const QString &address);
// Opens a web page or a mail message in the user's own programs; nothing is reported when none opens.
void open(const QString &target);

} // namespace hz::links
