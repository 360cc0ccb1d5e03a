#pragma once

#include "core/paths.h"
#include "tests/support/fixture.h"

#include <QMap>

namespace hz::test {

// Two registered companies with every record a company can have, written byte for byte as the program and the
// companion program leave them: code 1 "株式会社見本" (year 平成19/4/1 to 20/3/31, a loss carried from seven
// years) and code 2 "有限会社二号". Each record's numbers come from a pattern named beside it, so a test can tell
// which line went where.
class TwoCompanies : public HzTest {
protected:
    void SetUp() override;

    // Company 1's profile (31 lines) with its year starting in 平成 startYear, as filed under code; company 2's.
    static QStringList profile1(int startYear, int code = 1);
    static QStringList profile2();

    // The records of company code (1 or 2), each with its path.
    static QMap<QString, QByteArray> companyFiles(int code);
    // Writes both companies to the data root.
    static void writeCompanies();

    // "c:\法人税\..." as a key of drive("c"): "法人税/...".
    static QString driveKey(const QString &windowsPath);
    // Every file under a drive ("c:" or "a:"), by its path below the drive, with its bytes.
    static QMap<QString, QByteArray> drive(const QString &letter);

    // The seven names of Schedule 5(1) rows 2-8 and the other names the records keep.
    static QStringList quoted(const QStringList &texts);
    static const QStringList names5_1;
    static const QStringList names5_2Part2;
    static const QStringList names4;
    static const QStringList names6;

    // The boxes shown since the last call, each as "title: prompt"; forgets them.
    QStringList shownBoxes();

    // Text6 = code, then the press; answers the questions with answer first when given.
    void pressFor(Button &button, const QString &code, int answer = 0);
};

} // namespace hz::test
