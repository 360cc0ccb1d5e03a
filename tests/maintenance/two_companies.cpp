#include "tests/maintenance/two_companies.h"

#include "core/paths.h"
#include "maintenance/Form10.h"

#include <QDir>
#include <QDirIterator>

#include <functional>

namespace hz::test {

const QStringList TwoCompanies::names5_1{"別途積立金", "賞与引当金",     "未収還付金", "仮払税金",
                                         "圧縮積立金", "特別償却準備金", "貸倒引当金"};
const QStringList TwoCompanies::names5_2Part2{"印紙税", "固定資産税", "罰金", "寄附金"};
const QStringList TwoCompanies::names4{"雑収入", "受取配当", "減価償却超過", "寄附金不算入"};
const QStringList TwoCompanies::names6{"銘柄Ａ", "銘柄Ｂ"};

void TwoCompanies::SetUp() {
    HzTest::SetUp();
    writeCompanies();
}

QStringList TwoCompanies::quoted(const QStringList &texts) {
    QStringList out;
    for (const QString &t : texts)
        out << u'"' + t + u'"';
    return out;
}

namespace {

QStringList tail(int from = 1) {
    QStringList t;
    for (int i = from; i <= 12; ++i)
        t << QStringLiteral("\"予備%1\"").arg(i);
    return t;
}

// count numbers first, first + 1, ...; negative where negate says so.
QStringList numbers(int count, int first, const std::function<bool(int)> &negate = {}) {
    QStringList l;
    for (int i = 1; i <= count; ++i)
        l << QString::number(negate && negate(i) ? -(first + i - 1) : first + i - 1);
    return l;
}

QString path(const char *prefix, int code) { return QString::fromUtf8(prefix) + QString::number(code) + ".txt"; }

} // namespace

// clang-format off
QStringList TwoCompanies::profile1(int startYear, int code) {
    const QString start = QString::number(startYear), next = QString::number(startYear + 1);
    return QStringList{
        QString::number(code), "10000000", start, "4", "1", next, "3", "31",
        "\"カブシキガイシャミホン\"", "\"株式会社見本\"", "\"東京都千代田区丸の内1-1-1\"", "\"ミホンタロウ\"",
        "\"東京都港区芝公園2-2-2\"", "\"卸売業\"", "\"麹町\"", "\"03-0000-0000\"",
        next, "5", "31", "\"見本太郎\""} + tail(2);
}

QStringList TwoCompanies::profile2() {
    return QStringList{
        "2", "3000000", "19", "10", "1", "20", "9", "30",
        "\"ユウゲンガイシャニゴウ\"", "\"有限会社二号\"", "\"大阪府大阪市北区1-2-3\"", "\"ニゴウハナコ\"",
        "\"大阪府吹田市4-5-6\"", "\"小売業\"", "\"北\"", "\"06-1111-2222\"",
        "20", "11", "30", "\"二号花子\""} + tail(2);
}
// clang-format on

QStringList TwoCompanies::shownBoxes() {
    QStringList shown;
    for (const ShownBox &b : svc.boxes)
        shown << b.title + QStringLiteral(": ") + b.prompt;
    svc.boxes.clear();
    return shown;
}

QMap<QString, QByteArray> TwoCompanies::companyFiles(int code) {
    const int b = 1000 * code;
    QMap<QString, QByteArray> f;
    f[path("c:\\法人税\\法人名\\", code)] = lines(code == 1 ? profile1(19) : profile2());

    // Schedule 1: A1-A18 = b+301.., B1-B15 = b+401.. with the enterprise-tax rates B9-B11, C1-C11 = b+501..,
    // D1-D9 = b+601...
    QStringList s1 = numbers(18, b + 301) + numbers(8, b + 401) + QStringList{"5", "7.3", "9.6"} + numbers(4, b + 412) +
                     numbers(11, b + 501) + numbers(9, b + 601) + tail();
    f[path("c:\\法人税\\別表\\1010", code)] = lines(s1);
    // Schedule 2: the verdict, six shareholder rows column by column (rank, address, name, relation), the amounts.
    f[path("c:\\法人税\\別表\\1020", code)] =
        lines(quoted(QStringList{"同族会社", "1",        "2", "", "", "", "",     "東京都", "東京都", "", "", "", "",
                                 "見本太郎", "見本花子", "",  "", "", "", "本人", "妻",     "",       "", "", ""}) +
              QStringList{"1000", "1000", "100", "600", "400", "0", "0", "0", "0"});
    // Schedule 4: the 60 stored cells b+501.., the four names, the tail.
    f[path("c:\\法人税\\別表\\1040", code)] = lines(numbers(60, b + 501) + quoted(names4) + tail());
    // Schedule 5(1): cell k = b+k, the unpaid taxes (rows 11-13, cells 51-65) negative.
    f[path("c:\\法人税\\別表\\1051", code)] =
        lines(numbers(70, b + 1, [](int k) { return k >= 51 && k <= 65; }) + quoted(names5_1));
    // Schedule 5(2): cell k = b+100+k.
    f[path("c:\\法人税\\別表\\1052", code)] = lines(numbers(78, b + 101));
    // Schedule 5(2) part 2: cell k = b+200+k, the four names.
    f[path("c:\\法人税\\別表\\1053", code)] = lines(numbers(70, b + 201) + quoted(names5_2Part2));
    // Schedule 6: item i = b+600+i, the two issues.
    f[path("c:\\法人税\\別表\\1060", code)] = lines(numbers(21, b + 601) + quoted(names6));
    // clang-format off
    if (code == 1)
        // A loss this year (6,000) and losses carried from the 1st to the 7th year before; no deduction.
        f[path("c:\\法人税\\別表\\1070", 1)] = lines(QStringList{
            "1000", "0",            // 期首前５年前: 控除未済, 当期控除
            "2000", "0", "2000",    // 期首前４年前: 控除未済, 当期控除, 翌期繰越
            "3000", "0", "3000",    // 期首前３年前
            "4000", "0", "4000",    // 期首前２年前
            "5000", "0", "5000",    // 期首前１年前
            "16500", "0", "15700",  // 計
            "6000", "21700",        // 当期欠損金額, 合計
            "700", "800",           // 控除未済 of 期首前６年前 and 期首前７年前
            "0", "0",               // their 当期控除
            "1000", "700"           // 翌期繰越 of 期首前５年前 and 期首前６年前
        } + tail());
    else
        f[path("c:\\法人税\\別表\\1070", 2)] = lines(QStringList{
            "0", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0",
            "300", "100", "200", "300", "100", "200", "0", "200", "0", "0", "0", "0", "0", "0"} + tail());
    // clang-format on
    f[path("c:\\法人税\\別表\\1150", code)] =
        lines(QStringList{"3000000", "1200000", "4000000", "1200000", "120000", "0", QString::number(b)} + tail());

    f[path("c:\\法人税\\別表\\特設欄", code)] =
        lines(QStringList{"\"見本銀行\"", "\"本店\"", "\"1234567\"", "\"8\"", "\"千代田\"", "\"普通預金\"",
                          "\"東京都知事\"", "\"千代田区長\""} +
              tail());
    // The capital part of Schedule 5(1): 16 cells b+801.., the names of rows 2 and 3.
    f[path("c:\\法人税\\別表\\1051資準", code)] =
        lines(numbers(16, b + 801) + quoted({"資本準備金", "その他資本剰余金"}));
    f[path("c:\\法人税\\別表\\中間申告", code)] = lines(numbers(6, b + 701) + tail());
    // Schedule 11: lines 1-17 b+851..; its receivables: six accounts named, D1-D53 b+901...
    f[path("c:\\法人税\\別表\\100111", code)] = lines(numbers(17, b + 851) + tail());
    f[path("c:\\法人税\\別表\\100112", code)] =
        lines(quoted({"売掛金", "受取手形", "", "", "", ""}) + numbers(53, b + 901) + tail());
    if (code == 1) {
        f[path("c:\\法人税\\附属明細\\①", 1)] = lines({"\"預貯金等の内訳\"", "1500000"});
        f[path("c:\\法人税\\附属明細\\A⑯益小計", 1)] = lines({"\"雑益の小計\"", "25000"});
        f[QStringLiteral("c:\\法人税\\法人税Temp\\株式会社見本.txt")] = lines(numbers(23, 1));
    } else {
        f[path("c:\\法人税\\附属明細\\⑤", 2)] = lines({"\"棚卸資産の内訳\"", "800000"});
        f[QStringLiteral("c:\\法人税\\法人税Temp\\有限会社二号.txt")] = lines(numbers(23, 2));
    }
    return f;
}

void TwoCompanies::writeCompanies() {
    for (int code : {1, 2}) {
        const auto files = companyFiles(code);
        for (auto it = files.begin(); it != files.end(); ++it)
            writeFile(it.key(), it.value());
    }
}

QString TwoCompanies::driveKey(const QString &windowsPath) { return windowsPath.mid(3).replace(u'\\', u'/'); }

QMap<QString, QByteArray> TwoCompanies::drive(const QString &letter) {
    QMap<QString, QByteArray> files;
    const QString root = hostPath(letter + QStringLiteral(":\\"));
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        QFile f(file);
        if (f.open(QIODevice::ReadOnly))
            files[QDir(root).relativeFilePath(file)] = f.readAll();
    }
    return files;
}

void TwoCompanies::pressFor(Button &button, const QString &code, int answer) {
    form10().Text6.setText(code);
    if (answer)
        svc.answer(answer);
    click(button);
}

} // namespace hz::test
