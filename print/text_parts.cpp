#include "print/text_parts.h"

#include <QStringView>

#include <algorithm>
#include <span>
#include <string_view>

namespace hz {

namespace {

using Table = std::span<const std::u16string_view>;

bool oneOf(std::u16string_view set, QChar c) { return set.find(c.unicode()) != std::u16string_view::npos; }

bool startsAt(const QString &s, qsizetype k, std::u16string_view w) {
    return k <= s.size() && QStringView(s).mid(k).startsWith(QStringView(w.data(), qsizetype(w.size())));
}

// The length of the longest entry of table that s holds at k; 0 where it holds none.
qsizetype longestAt(Table table, const QString &s, qsizetype k) {
    qsizetype longest = 0;
    for (const std::u16string_view entry : table)
        if (qsizetype(entry.size()) > longest && startsAt(s, k, entry))
            longest = qsizetype(entry.size());
    return longest;
}

// The legal forms of Japanese law, longest first, with the short forms filers type; the longest that matches counts
// (医療法人財団 over 医療法人).
// clang-format off
constexpr std::u16string_view legalForms[] = {
    u"弁護士・外国法事務弁護士共同法人",
    u"外国法事務弁護士法人", u"投資事業有限責任組合", u"大学共同利用機関法人",
    u"農業協同組合連合会", u"漁業協同組合連合会", u"水産加工業協同組合", u"特定非営利活動法人", u"土地家屋調査士法人",
    u"社会保険労務士法人",
    u"社会医療法人社団", u"社会医療法人財団", u"消費生活協同組合", u"有限責任事業組合", u"有限責任監査法人",
    u"地方独立行政法人",
    u"事業協同小組合", u"協同組合連合会", u"商店街振興組合",
    u"一般社団法人", u"一般財団法人", u"公益社団法人", u"公益財団法人", u"医療法人社団", u"医療法人財団",
    u"社会医療法人", u"社会福祉法人", u"更生保護法人", u"職業訓練法人", u"農事組合法人", u"管理組合法人",
    u"独立行政法人", u"国立大学法人", u"特定目的会社", u"司法書士法人", u"行政書士法人", u"特許業務法人",
    u"農業協同組合", u"漁業協同組合", u"生活協同組合", u"事業協同組合", u"信用協同組合", u"技術研究組合",
    u"生産森林組合", u"認可地縁団体",
    u"税理士法人", u"弁護士法人", u"弁理士法人", u"ＮＰＯ法人", u"NPO法人",
    u"株式会社", u"有限会社", u"合同会社", u"合資会社", u"合名会社", u"相互会社", u"投資法人", u"監査法人",
    u"医療法人", u"学校法人", u"宗教法人", u"協同組合", u"企業組合", u"協業組合", u"商工組合", u"森林組合",
    u"労働組合", u"信用金庫", u"信用組合", u"労働金庫",
    u"（特非）", u"（一社）", u"（一財）", u"（公社）", u"（公財）",
    u"（株）", u"（有）", u"（同）", u"（資）", u"（名）", u"（医）", u"（福）", u"（学）", u"（宗）", u"（社）", u"（財）",
    u"(株)", u"(有)", u"㈱", u"㈲"};
// clang-format on

// What follows a form in the middle of a name as a branch or an office of the company: …株式会社‖東京支社.
constexpr std::u16string_view branches[] = {u"営業所", u"出張所", u"事業所", u"事務所", u"本店", u"支店",
                                            u"本社",   u"支社",   u"工場",   u"支所",   u"本部", u"支部"};

constexpr std::u16string_view prefectures[] = {
    u"北海道", u"青森県", u"岩手県", u"宮城県",   u"秋田県", u"山形県",   u"福島県", u"茨城県", u"栃木県", u"群馬県",
    u"埼玉県", u"千葉県", u"東京都", u"神奈川県", u"新潟県", u"富山県",   u"石川県", u"福井県", u"山梨県", u"長野県",
    u"岐阜県", u"静岡県", u"愛知県", u"三重県",   u"滋賀県", u"京都府",   u"大阪府", u"兵庫県", u"奈良県", u"和歌山県",
    u"鳥取県", u"島根県", u"岡山県", u"広島県",   u"山口県", u"徳島県",   u"香川県", u"愛媛県", u"高知県", u"福岡県",
    u"佐賀県", u"長崎県", u"熊本県", u"大分県",   u"宮崎県", u"鹿児島県", u"沖縄県"};

// 大字 and 字 (and 小字) begin a part with the name after them.
constexpr std::u16string_view oazaMarks[] = {u"大字", u"小字", u"字"};

// The direction of a Kyoto crossing from where the streets cross (烏丸通七条下る: south of 七条 on 烏丸通).
constexpr std::u16string_view directions[] = {u"上がる", u"下がる", u"西入る", u"東入る", u"西入ル", u"東入ル",
                                              u"上る",   u"下る",   u"上ル",   u"下ル",   u"西入",   u"東入"};

// The characters that end a county, city, ward, town or village.
constexpr std::u16string_view unitCharacters = u"市区町村郡";

// The longest place name before its unit character (つくばみらい市, いちき串木野市), and the longest Kyoto street
// with its crossing before the direction (西洞院通四条, 河原町通丸太町).
constexpr qsizetype longestPlaceName = 7;
constexpr qsizetype longestCrossing = 12;

bool isDigit(QChar c) { return (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９'); }
bool isDash(QChar c) { return oneOf(u"-－‐−", c); }
bool isBlank(QChar c) { return c == u' ' || c == u'　'; }

qsizetype blanksFrom(const QString &s, qsizetype k) {
    while (k < s.size() && isBlank(s.at(k)))
        ++k;
    return k;
}

// A letter a place name may hold: a kanji (kanji numerals and 々 among them), a kana, ー.
bool isNameLetter(const QString &s, qsizetype k) {
    if (k < 0 || k >= s.size())
        return false;
    char32_t c = s.at(k).unicode();
    if (s.at(k).isHighSurrogate() && k + 1 < s.size())
        c = QChar::surrogateToUcs4(s.at(k), s.at(k + 1));
    else if (s.at(k).isLowSurrogate() && k > 0)
        c = QChar::surrogateToUcs4(s.at(k - 1), s.at(k));
    const QChar::Script script = QChar::script(c);
    return c == U'ー' || script == QChar::Script_Han || script == QChar::Script_Hiragana ||
           script == QChar::Script_Katakana;
}

qsizetype numeralsFrom(const QString &s, qsizetype k) {
    while (k < s.size() && isNumeral(s.at(k)))
        ++k;
    return k;
}
bool numeralAt(const QString &s, qsizetype k) { return k < s.size() && isNumeral(s.at(k)); }

enum class NumberKind {
    plain,   // numerals alone, with or without 第
    counted, // with a counter that makes no address number: 第３回, 二十一階, 十番 in 麻布十番
    choume,
    lot,
};
struct Number {
    Span span;
    NumberKind kind;
    bool digits; // written in digits, not kanji
};

// Every number of s with its 第 and its counter, read from the characters (the dictionary splits kanji numerals
// anywhere: 一一|一番|地), and what it is to an address: a 丁目 number, a lot number (N番M号, N番地のM, N番地M, N-M,
// N-M-L, N番地, and N番 where a reader reads one), or another. N番 alone is a lot number after a 丁目, or in digits
// where no name goes on after it; elsewhere it belongs to a name (一番町, 麻布十番, ３番館).
std::vector<Number> numbersOf(const QString &s) {
    std::vector<Number> out;
    for (qsizetype a = 0; a < s.size();) {
        if (!isNumeral(s.at(a))) {
            ++a;
            continue;
        }
        const qsizetype b = numeralsFrom(s, a);
        Number n{{a > 0 && s.at(a - 1) == u'第' ? a - 1 : a, b}, NumberKind::plain, isDigit(s.at(a))};
        const bool afterChoume = !out.empty() && out.back().kind == NumberKind::choume && out.back().span.end == a;
        if (startsAt(s, b, u"丁目")) {
            n.kind = NumberKind::choume;
            n.span.end = b + 2;
        } else if (startsAt(s, b, u"番地")) {
            n.kind = NumberKind::lot;
            const qsizetype m = startsAt(s, b + 2, u"の") && numeralAt(s, b + 3) ? b + 3 : b + 2;
            n.span.end = numeralsFrom(s, m);
        } else if (startsAt(s, b, u"番")) {
            // The numerals after 番 are the lot's, unless they are the next 丁目's (麻布十番二丁目).
            const qsizetype m = numeralsFrom(s, b + 1);
            n.kind = NumberKind::counted;
            n.span.end = b + 1;
            if (m > b + 1 && !startsAt(s, m, u"丁目")) {
                n.kind = NumberKind::lot;
                n.span.end = startsAt(s, m, u"号") ? m + 1 : m;
            } else if (afterChoume || (n.digits && m == b + 1 && !isNameLetter(s, b + 1))) {
                n.kind = NumberKind::lot;
            }
        } else if (b < s.size() && isDash(s.at(b)) && numeralAt(s, b + 1)) {
            n.kind = NumberKind::lot;
            for (int dashes = 0;
                 dashes < 2 && n.span.end < s.size() && isDash(s.at(n.span.end)) && numeralAt(s, n.span.end + 1);
                 ++dashes)
                n.span.end = numeralsFrom(s, n.span.end + 1);
        } else if (b < s.size() && oneOf(u"号階回", s.at(b))) {
            n.kind = NumberKind::counted;
            n.span.end = b + 1;
        }
        out.push_back(n);
        a = n.span.end;
    }
    return out;
}

// A number that ends the town before it: a 丁目, a lot number, or plain digits (大字上横場２５０２).
bool endsTown(const QString &s, const Number &n) {
    return n.kind == NumberKind::choume || n.kind == NumberKind::lot ||
           (n.kind == NumberKind::plain && n.digits && s.at(n.span.start) != u'第');
}

// Where a place name that begins at p may end: after each unit character but its first, up to a character no place
// name holds. A unit character that another of glue follows at once belongs to the name, and that other ends it:
// 野々市市, 十日町市, 余市郡 (glue 市郡); in a county, 上市町 and 大町町 (glue 町村).
std::vector<qsizetype> unitEnds(const QString &s, qsizetype p, std::u16string_view glue) {
    std::vector<qsizetype> ends;
    if (!isNameLetter(s, p))
        return ends;
    for (qsizetype k = p + 1; k - p <= longestPlaceName && isNameLetter(s, k); ++k)
        if (oneOf(unitCharacters, s.at(k)) &&
            !(oneOf(u"市町村", s.at(k)) && k + 1 < s.size() && oneOf(glue, s.at(k + 1))))
            ends.push_back(k + 1);
    return ends;
}

// The first end of ends, where it is after one of units.
qsizetype firstEndIn(const QString &s, const std::vector<qsizetype> &ends, std::u16string_view units) {
    return !ends.empty() && oneOf(units, s.at(ends.front() - 1)) ? ends.front() : 0;
}

// The municipalities an address names from p: a county and its town or village, a city and its ward, a ward, or a town
// or village; none where no place name begins at p. Each ends where the unit is read from what follows it: a county
// holds towns and villages (大和郡山市 is a city), no city or county follows a town or village (東村山市, 北村山郡).
std::vector<Span> municipalities(const QString &s, qsizetype p) {
    for (const qsizetype end : unitEnds(s, p, u"市郡")) {
        const qsizetype next = blanksFrom(s, end);
        switch (s.at(end - 1).unicode()) {
        case u'郡':
            if (const qsizetype town = firstEndIn(s, unitEnds(s, next, u"町村"), u"町村"); town > 0)
                return {{p, next}, {next, town}};
            break;
        case u'町':
        case u'村':
            if (firstEndIn(s, unitEnds(s, next, u"市郡"), u"市郡") == 0)
                return {{p, next}};
            break;
        case u'市':
            for (const qsizetype ward : unitEnds(s, next, {}))
                if (s.at(ward - 1) == u'区')
                    return {{p, next}, {next, ward}};
            return {{p, next}};
        default:
            return {{p, next}};
        }
    }
    return {};
}

// A Kyoto crossing from q: the street, where it is named (烏丸通, 四条通り), the street it crosses and the direction
// from there (七条下る, 烏丸西入ル). The end of the street's name (q where it is not named) and of the direction; 0
// where no direction follows.
struct Crossing {
    qsizetype streetEnd;
    qsizetype end;
};
Crossing crossingAt(const QString &s, qsizetype q) {
    for (qsizetype d = q + 1; d - q <= longestCrossing && isNameLetter(s, d); ++d)
        if (const qsizetype direction = longestAt(directions, s, d); direction > 0) {
            const qsizetype street = s.indexOf(u'通', q + 1);
            const qsizetype streetEnd = street < 0 ? d : street + (startsAt(s, street + 1, u"り") ? 2 : 1);
            return {streetEnd < d ? streetEnd : q, d + direction};
        }
    return {q, 0};
}

// An address's parts: the prefecture where a place follows it, its municipalities, then 大字 and 字 with their names,
// a street with its crossing, the town, the 丁目, the lot number and the building. None where s does not read as an
// address: one begins with a prefecture, names two municipalities, or one with 大字, 字 or a Kyoto crossing, or holds
// a 丁目 or a lot number after a place name.
std::vector<Part> addressParts(const QString &s, const std::vector<Number> &numbers) {
    std::vector<Part> parts;
    qsizetype q = 0;
    const auto add = [&](PartKind kind, qsizetype end) {
        end = blanksFrom(s, end);
        parts.push_back({kind, {q, end}});
        q = end;
    };
    // The first number from k that ends a town, or the end.
    const auto townEnd = [&](qsizetype k) {
        for (const Number &n : numbers)
            if (n.span.start >= k && endsTown(s, n))
                return n.span.start;
        return s.size();
    };
    const qsizetype prefecture = longestAt(prefectures, s, 0);
    if (prefecture > 0 && !municipalities(s, blanksFrom(s, prefecture)).empty())
        add(PartKind::prefecture, prefecture);
    for (const Span &m : municipalities(s, q))
        add(PartKind::municipality, m.end);
    const std::size_t places = parts.size();
    bool named = false;    // 大字, 字 or a crossing
    bool numbered = false; // a 丁目 or a lot number
    while (q < s.size()) {
        const auto number = std::find_if(numbers.begin(), numbers.end(),
                                         [&](const Number &n) { return n.span.start == q && endsTown(s, n); });
        if (number != numbers.end()) {
            add(number->kind == NumberKind::choume ? PartKind::choume : PartKind::lot, number->span.end);
            numbered = true;
        } else if (numbered) {
            add(PartKind::building, s.size());
        } else if (const qsizetype mark = longestAt(oazaMarks, s, q); mark > 0 && isNameLetter(s, q + mark)) {
            // The name after 大字 runs to its number or to the next 字: 大字上富, 大字黒川字宮ノ前.
            const qsizetype number = townEnd(q + mark + 1);
            qsizetype end = q + mark + 1;
            while (end < number && longestAt(oazaMarks, s, end) == 0)
                ++end;
            add(PartKind::oaza, end);
            named = true;
        } else if (const Crossing crossing = crossingAt(s, q); crossing.end > 0) {
            if (crossing.streetEnd > q)
                add(PartKind::street, crossing.streetEnd);
            add(PartKind::crossing, crossing.end);
            named = true;
        } else {
            add(PartKind::town, townEnd(q + 1));
        }
    }
    // Without a municipality, the numbers follow a town's name: 丸の内二丁目.
    const qsizetype firstNumber = townEnd(0);
    qsizetype town = 0;
    while (town < firstNumber && town < longestPlaceName && isNameLetter(s, town))
        ++town;
    const bool address = places > 1 || (places == 1 && (named || numbered)) ||
                         (places == 0 && numbered && town > 0 && town == firstNumber);
    return address ? parts : std::vector<Part>{};
}

// The forms whose corporations are named in 会 by custom (医療法人社団高邦会, 社会福祉法人恩賜財団済生会): what follows
// the name is a hospital, a clinic or a home the corporation runs.
constexpr std::u16string_view namedInKai[] = {u"医療法人", u"医療法人社団", u"医療法人財団", u"社会医療法人",
                                              u"社会医療法人社団", u"社会医療法人財団", u"社会福祉法人"};
// The longest such name before its 会 (恩賜財団済生会).
constexpr qsizetype longestNameInKai = 6;

// Where the name from p ends in its 会 and a facility follows; 0 where it does not. The 会 of 社会 (社会福祉協議会) and
// of a word that goes on (会計, 会館) ends no name.
qsizetype nameInKaiEnd(const QString &s, qsizetype p) {
    for (qsizetype k = p + 1; k - p <= longestNameInKai && k + 2 < s.size() && isNameLetter(s, k); ++k)
        if (s.at(k) == u'会' && s.at(k - 1) != u'社' && !oneOf(u"計館社員長議話場", s.at(k + 1)) &&
            isNameLetter(s, k + 1) && isNameLetter(s, k + 2))
            return k + 1;
    return 0;
}

// A company's name with its legal form at the start (株式会社‖みなと商事), at the end (みなと商事‖株式会社), or in the
// middle before a branch (ＡＢＣ株式会社‖北海道支店); none where it holds no form there.
std::vector<Part> nameParts(const QString &s) {
    const qsizetype n = s.size();
    if (const qsizetype form = longestAt(legalForms, s, 0); form > 0 && blanksFrom(s, form) < n) {
        const qsizetype name = blanksFrom(s, form);
        const qsizetype named = longestAt(namedInKai, s, 0) == form ? nameInKaiEnd(s, name) : 0;
        if (named > 0)
            return {{PartKind::legalForm, {0, name}}, {PartKind::name, {name, named}}, {PartKind::facility, {named, n}}};
        return {{PartKind::legalForm, {0, name}}, {PartKind::name, {name, n}}};
    }
    // The first place from which a form runs to the end is where the longest one begins.
    for (qsizetype k = 1; k < n; ++k)
        if (longestAt(legalForms, s, k) == n - k)
            return {{PartKind::name, {0, k}}, {PartKind::legalForm, {k, n}}};
    for (qsizetype k = 1; k < n; ++k)
        if (const qsizetype form = longestAt(legalForms, s, k); form > 0) {
            const qsizetype branch = blanksFrom(s, k + form);
            for (qsizetype j = branch; j < n; ++j)
                if (longestAt(branches, s, j) == n - j)
                    return {
                        {PartKind::name, {0, k}}, {PartKind::legalForm, {k, branch}}, {PartKind::branch, {branch, n}}};
        }
    return {};
}

} // namespace

bool isNumeral(QChar c) { return oneOf(u"〇一二三四五六七八九十百千万", c) || isDigit(c); }

TextParts readParts(const QString &s) {
    TextParts read;
    const std::vector<Number> numbers = numbersOf(s);
    for (const Number &n : numbers)
        read.numbers.push_back(n.span);
    read.parts = nameParts(s);
    if (read.parts.empty())
        read.parts = addressParts(s, numbers);
    return read;
}

} // namespace hz
