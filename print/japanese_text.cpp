#include "print/japanese_text.h"

#include <QStringView>

#include <memory>

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/uscript.h>

namespace hz {

namespace {

// The character that starts at s[k], a surrogate pair read as one.
char32_t charAt(const QString &s, qsizetype k) {
    if (s.at(k).isHighSurrogate() && k + 1 < s.size() && s.at(k + 1).isLowSurrogate())
        return QChar::surrogateToUcs4(s.at(k), s.at(k + 1));
    return s.at(k).unicode();
}

// The character that ends at s[k - 1].
char32_t charBefore(const QString &s, qsizetype k) {
    if (s.at(k - 1).isLowSurrogate() && k >= 2 && s.at(k - 2).isHighSurrogate())
        return QChar::surrogateToUcs4(s.at(k - 2), s.at(k - 1));
    return s.at(k - 1).unicode();
}

// The characters of s from one offset to another, a surrogate pair counting once.
qsizetype characters(const QString &s, qsizetype from, qsizetype to) {
    qsizetype n = 0;
    for (qsizetype k = from; k < to; ++k)
        if (!s.at(k).isLowSurrogate())
            ++n;
    return n;
}

// Japanese letters, as far as the one-character words go.
enum class Script { other, kanji, hiragana, katakana, prolonged };
Script scriptOf(char32_t c) {
    if (c == U'ー' || c == U'ｰ')
        return Script::prolonged;
    UErrorCode status = U_ZERO_ERROR;
    switch (uscript_getScript(UChar32(c), &status)) {
    case USCRIPT_HAN:
        return Script::kanji;
    case USCRIPT_HIRAGANA:
        return Script::hiragana;
    case USCRIPT_KATAKANA:
        return Script::katakana;
    default:
        return Script::other;
    }
}
bool isKana(Script s) { return s == Script::hiragana || s == Script::katakana || s == Script::prolonged; }
bool isJapaneseLetter(Script s) { return s == Script::kanji || isKana(s); }

// Where no line may begin: before a closing bracket or a point, a mark that ends a sentence, ー, a small kana, 々 ゝ ゞ
// and the like (a conditional starter is not one under strict rules), or a mark that belongs to the character before.
bool mayNotBeginLine(char32_t c) {
    switch (u_getIntPropertyValue(UChar32(c), UCHAR_LINE_BREAK)) {
    case U_LB_CLOSE_PUNCTUATION:
    case U_LB_CLOSE_PARENTHESIS:
    case U_LB_EXCLAMATION:
    case U_LB_INFIX_NUMERIC:
    case U_LB_NONSTARTER:
    case U_LB_CONDITIONAL_JAPANESE_STARTER:
    case U_LB_COMBINING_MARK:
    case U_LB_ZWJ:
        return true;
    default:
        return false;
    }
}
// Where no line may end: after an opening bracket.
bool mayNotEndLine(char32_t c) { return u_getIntPropertyValue(UChar32(c), UCHAR_LINE_BREAK) == U_LB_OPEN_PUNCTUATION; }

// What a character is, as far as runs that break only where a reader reads two words go: letters and digits, half or
// full width; katakana, whose names the dictionary knows too few of; or neither.
enum class Run { none, letters, katakana };
Run runOf(QChar c) {
    const char16_t u = c.unicode();
    if ((u < 0x80 && c.isLetterOrNumber()) || (u >= 0xFF10 && u <= 0xFF19) || (u >= 0xFF21 && u <= 0xFF3A) ||
        (u >= 0xFF41 && u <= 0xFF5A))
        return Run::letters;
    if ((u >= 0x30A1 && u <= 0x30FA) || u == 0x30FC || (u >= 0xFF66 && u <= 0xFF9F))
        return Run::katakana;
    return Run::none;
}
// Marks that join the letters and digits on both sides of them into one word: Class-A, 1.5, S&K, ３／４.
bool joinsWords(QChar c) { return QStringView(u"-'.,/&－＆．，／").contains(c); }

// True where s[k - 1] and s[k] belong to one run of letters and digits.
bool insideLetters(const QString &s, qsizetype k) {
    const auto letters = [&](qsizetype i) { return i >= 0 && i < s.size() && runOf(s.at(i)) == Run::letters; };
    return (letters(k - 1) && letters(k)) || (joinsWords(s.at(k - 1)) && letters(k - 2) && letters(k)) ||
           (joinsWords(s.at(k)) && letters(k - 1) && letters(k + 1));
}

// The places where an ICU break iterator for Japanese finds a boundary in s: the words of its dictionary, or where
// its strict line rules allow a line to break.
std::vector<bool> icuBoundaries(const QString &s, bool lines) {
    std::vector<bool> at(std::size_t(s.size()) + 1, false);
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> it(
        lines ? icu::BreakIterator::createLineInstance(icu::Locale("ja", "", "", "lb=strict"), status)
              : icu::BreakIterator::createWordInstance(icu::Locale::getJapanese(), status));
    if (U_FAILURE(status) || !it)
        return at;
    const icu::UnicodeString text(false, reinterpret_cast<const UChar *>(s.utf16()), int32_t(s.size()));
    it->setText(text);
    for (int32_t k = it->first(); k != icu::BreakIterator::DONE; k = it->next())
        if (k >= 0 && k <= s.size())
            at[std::size_t(k)] = true;
    return at;
}

bool isNumeral(QChar c) {
    return QStringView(u"〇一二三四五六七八九十百千万").contains(c) || (c >= u'0' && c <= u'9') ||
           (c >= u'０' && c <= u'９');
}
bool isDash(QChar c) { return QStringView(u"-－‐−").contains(c); }
qsizetype numeralsFrom(const QString &s, qsizetype k) {
    while (k < s.size() && isNumeral(s.at(k)))
        ++k;
    return k;
}
bool numeralAt(const QString &s, qsizetype k) { return k < s.size() && isNumeral(s.at(k)); }
bool startsAt(const QString &s, qsizetype k, QStringView w) { return QStringView(s).mid(k).startsWith(w); }

// The places inside a number: its numerals, the 第 before them and the counter after them (五八〇番地, 第３回).
std::vector<bool> insideNumbers(const QString &s) {
    static const char16_t *const counters[] = {u"丁目", u"番地", u"番", u"号", u"階", u"回"};
    std::vector<bool> inside(std::size_t(s.size()) + 1, false);
    for (qsizetype a = 0; a < s.size();) {
        if (!isNumeral(s.at(a))) {
            ++a;
            continue;
        }
        const qsizetype b = numeralsFrom(s, a);
        const qsizetype start = a > 0 && s.at(a - 1) == u'第' ? a - 1 : a;
        qsizetype end = b;
        for (const char16_t *counter : counters)
            if (startsAt(s, b, counter)) {
                end += QStringView(counter).size();
                break;
            }
        for (qsizetype k = start + 1; k < end; ++k)
            inside[std::size_t(k)] = true;
        a = end;
    }
    return inside;
}

struct Span {
    qsizetype start;
    qsizetype end;
};

// The numbers of an address, found in its characters (the dictionary splits kanji numerals anywhere: 一一|一番|地):
// the 丁目 numbers, and the lot numbers N番M号, N番地のM, N番地M, N-M and N-M-L, N番 and N番地 alone included.
struct AddressNumbers {
    std::vector<Span> choume;
    std::vector<Span> lots;
};
AddressNumbers addressNumbers(const QString &s) {
    AddressNumbers out;
    for (qsizetype a = 0; a < s.size();) {
        if (!isNumeral(s.at(a))) {
            ++a;
            continue;
        }
        const qsizetype b = numeralsFrom(s, a);
        qsizetype end = b;
        if (startsAt(s, b, u"丁目")) {
            out.choume.push_back({a, b + 2});
            a = b + 2;
            continue;
        }
        if (startsAt(s, b, u"番地")) {
            end = b + 2;
            const qsizetype m = startsAt(s, end, u"の") && numeralAt(s, end + 1) ? end + 1 : end;
            if (numeralAt(s, m))
                end = numeralsFrom(s, m);
        } else if (startsAt(s, b, u"番")) {
            end = b + 1;
            if (numeralAt(s, end)) {
                end = numeralsFrom(s, end);
                if (startsAt(s, end, u"号"))
                    ++end;
            }
        } else {
            for (int dashes = 0; dashes < 2 && end < s.size() && isDash(s.at(end)) && numeralAt(s, end + 1); ++dashes)
                end = numeralsFrom(s, end + 1);
        }
        if (end > b)
            out.lots.push_back({a, end});
        a = end;
    }
    return out;
}

// A company's legal forms, as they begin or end its name.
constexpr const char16_t *legalForms[] = {u"株式会社",     u"有限会社",     u"合同会社",     u"合資会社",
                                          u"合名会社",     u"一般社団法人", u"一般財団法人", u"公益社団法人",
                                          u"公益財団法人", u"医療法人",     u"医療法人社団", u"医療法人財団",
                                          u"社会福祉法人", u"学校法人",     u"宗教法人",     u"特定非営利活動法人",
                                          u"税理士法人",   u"監査法人",     u"弁護士法人",   u"司法書士法人",
                                          u"農業協同組合", u"生活協同組合", u"事業協同組合", u"協同組合",
                                          u"（株）",       u"（有）",       u"㈱",           u"㈲"};

// The length of the longest legal form s begins with (atEnd: ends with) and that is not all of s; 0 where none.
qsizetype legalForm(const QString &s, bool atEnd) {
    qsizetype longest = 0;
    for (const char16_t *form : legalForms) {
        const QStringView f(form);
        if (f.size() < s.size() && f.size() > longest && (atEnd ? s.endsWith(f) : s.startsWith(f)))
            longest = f.size();
    }
    return longest;
}

constexpr const char16_t *prefectures[] = {
    u"北海道", u"青森県", u"岩手県", u"宮城県",   u"秋田県", u"山形県",   u"福島県", u"茨城県", u"栃木県", u"群馬県",
    u"埼玉県", u"千葉県", u"東京都", u"神奈川県", u"新潟県", u"富山県",   u"石川県", u"福井県", u"山梨県", u"長野県",
    u"岐阜県", u"静岡県", u"愛知県", u"三重県",   u"滋賀県", u"京都府",   u"大阪府", u"兵庫県", u"奈良県", u"和歌山県",
    u"鳥取県", u"島根県", u"岡山県", u"広島県",   u"山口県", u"徳島県",   u"香川県", u"愛媛県", u"高知県", u"福岡県",
    u"佐賀県", u"長崎県", u"熊本県", u"大分県",   u"宮崎県", u"鹿児島県", u"沖縄県"};

// The length of the prefecture s begins with; 0 where it begins with none.
qsizetype prefecture(const QString &s) {
    for (const char16_t *p : prefectures)
        if (s.startsWith(QStringView(p)))
            return QStringView(p).size();
    return 0;
}

// The last character of a city, ward, town, village or county.
bool endsUnit(QChar c) { return QStringView(u"市区町村郡").contains(c); }

// The direction of a Kyoto crossing (烏丸通七条下る: south of where 烏丸通 crosses 七条), longest first.
constexpr const char16_t *directions[] = {u"西入ル", u"東入ル", u"西入る", u"東入る", u"上ル",
                                          u"下ル",   u"上る",   u"下る",   u"西入",   u"東入"};
qsizetype direction(const QString &s, qsizetype k) {
    for (const char16_t *d : directions)
        if (startsAt(s, k, d))
            return QStringView(d).size();
    return 0;
}

// The words between the boundaries at, as offsets [start, end).
struct Word {
    qsizetype start;
    qsizetype end;
};
std::vector<Word> wordsOf(const std::vector<bool> &at) {
    std::vector<Word> words;
    qsizetype start = 0;
    for (std::size_t k = 1; k < at.size(); ++k)
        if (at[k] || k + 1 == at.size()) {
            words.push_back({start, qsizetype(k)});
            start = qsizetype(k);
        }
    return words;
}

} // namespace

std::vector<BreakPlace> breakPlaces(const QString &s) {
    const auto n = std::size_t(s.size());
    std::vector<BreakPlace> places(n + 1, BreakPlace::Never);
    if (s.size() < 2)
        return places;
    const std::vector<bool> lines = icuBoundaries(s, true);

    // The dictionary's words, with every number and lot number made whole.
    std::vector<bool> words = icuBoundaries(s, false);
    std::vector<bool> numbers = insideNumbers(s);
    const AddressNumbers numbered = addressNumbers(s);
    for (const Span &lot : numbered.lots)
        for (qsizetype k = lot.start + 1; k < lot.end; ++k)
            numbers[std::size_t(k)] = true;
    for (std::size_t k = 1; k < n; ++k)
        words[k] = words[k] && !numbers[k];
    const auto oneCharacter = [&](const Word &w) { return characters(s, w.start, w.end) == 1; };

    // A stretch of kana the dictionary does not know comes back a character a word (ち|ゅ|ー|り|っ|ぷ, デ|ン|キ): one
    // word, of hiragana or of katakana.
    {
        const std::vector<Word> pieces = wordsOf(words);
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            const Script a = scriptOf(charAt(s, pieces[i - 1].start)), b = scriptOf(charAt(s, pieces[i].start));
            const bool mixed =
                (a == Script::hiragana && b == Script::katakana) || (a == Script::katakana && b == Script::hiragana);
            if (oneCharacter(pieces[i - 1]) && oneCharacter(pieces[i]) && isKana(a) && isKana(b) && !mixed)
                words[std::size_t(pieces[i].start)] = false;
        }
    }
    const std::vector<Word> pieces = wordsOf(words);
    const std::vector<bool> kanaWords = words;

    // The parts of what the text names: a legal form at the start or the end of a company's name.
    std::vector<bool> parts(n + 1, false);
    parts[std::size_t(legalForm(s, false))] = true;
    parts[n - std::size_t(legalForm(s, true))] = true;

    // An address: the units before its first number (prefecture, city, ward, town, village, county), its 丁目 and its
    // lot numbers. A text is one where it begins with a prefecture, holds a 丁目 or a lot number, or begins with two
    // units. A unit ends after 市 区 町 村 郡 where the dictionary ends a word, unless the next word is that character
    // alone (野々市|市, 十日町|市: the unit's own name ends in it).
    const qsizetype firstNumber = std::min(numbered.choume.empty() ? s.size() : numbered.choume.front().start,
                                           numbered.lots.empty() ? s.size() : numbered.lots.front().start);
    const qsizetype prefectureEnd = prefecture(s);
    std::vector<bool> unitEnds(n + 1, false);
    unitEnds[std::size_t(prefectureEnd)] = prefectureEnd > 0;
    std::size_t units = 0;
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const qsizetype k = pieces[i].start;
        if (k > firstNumber || !endsUnit(s.at(k - 1)) || numbers[std::size_t(k)] ||
            (oneCharacter(pieces[i]) && endsUnit(s.at(k))))
            continue;
        unitEnds[std::size_t(k)] = true;
        ++units;
    }
    std::vector<bool> joined(n + 1, false);
    std::vector<bool> joinsForward(n + 1, false);
    if (prefectureEnd > 0 || !numbered.choume.empty() || !numbered.lots.empty() || units >= 2) {
        for (std::size_t k = 1; k < n; ++k)
            parts[k] = parts[k] || unitEnds[k];
        for (const Span &c : numbered.choume)
            parts[std::size_t(c.end)] = c.end < s.size();
        for (const Span &lot : numbered.lots) {
            parts[std::size_t(lot.start)] = true;
            parts[std::size_t(lot.end)] = lot.end < s.size();
        }
        for (std::size_t i = 1; i < pieces.size(); ++i) {
            const Word &w = pieces[i];
            if (w.start >= firstNumber)
                break;
            // A word of one character after a unit begins the next one, which the dictionary split (港|北区: 港北区,
            // 字|兼城, 北|八条西).
            if (unitEnds[std::size_t(w.start)] && oneCharacter(w) && isJapaneseLetter(scriptOf(charAt(s, w.start))) &&
                !isNumeral(s.at(w.start)) && !endsUnit(s.at(w.start)) && i + 1 < pieces.size() &&
                pieces[i + 1].start < firstNumber && isJapaneseLetter(scriptOf(charAt(s, pieces[i + 1].start)))) {
                joinsForward[std::size_t(w.start)] = true;
                joined[std::size_t(w.end)] = true;
            }
            // A Kyoto crossing keeps its direction and ends a unit: 烏丸通七条下る|東塩小路町.
            if (const qsizetype d = direction(s, w.start);
                d > 0 && isJapaneseLetter(scriptOf(charBefore(s, w.start)))) {
                for (qsizetype k = w.start; k < w.start + d; ++k)
                    joined[std::size_t(k)] = true;
                parts[std::size_t(w.start + d)] = w.start + d < s.size();
            }
        }
    }
    parts[0] = parts[n] = false;

    // Any other word of one character joins the word before it: a suffix (超過|額, 活性|化, 神奈川|県), a counter
    // (第6|位), a particle (資産|の), a kana the dictionary left over (パート|ナ). Not a number, not one that begins a
    // place name, and not a katakana after other letters, which starts a name rather than ends a word.
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const Word &w = pieces[i];
        const Script own = scriptOf(charAt(s, w.start));
        const Script before = scriptOf(charBefore(s, w.start));
        const bool afterNumber = isNumeral(s.at(w.start - 1));
        if (!oneCharacter(w) || isNumeral(s.at(w.start)) || !isJapaneseLetter(own) ||
            !(isJapaneseLetter(before) || afterNumber) || joinsForward[std::size_t(w.start)])
            continue;
        if (own == Script::katakana && before != Script::katakana && before != Script::prolonged)
            continue;
        joined[std::size_t(w.start)] = true;
    }

    // The dictionary's words of a katakana run that may stand on lines of their own: three characters or more, as
    // it found them or as a stretch it did not know, neither beginning with a mark that may not begin a line. It
    // finds shorter ones inside names it does not know (ヒ|ガ|シ|ニ|ホン|ソ|ウゴ, ファースト|リ|テイ|リング).
    const auto katakanaWords = [&](qsizetype k) {
        qsizetype runStart = k - 1, runEnd = k + 1;
        while (runStart > 0 && runOf(s.at(runStart - 1)) == Run::katakana)
            --runStart;
        while (runEnd < s.size() && runOf(s.at(runEnd)) == Run::katakana)
            ++runEnd;
        qsizetype start = k - 1, end = k + 1;
        while (start > runStart && !kanaWords[std::size_t(start)])
            --start;
        while (end < runEnd && !kanaWords[std::size_t(end)])
            ++end;
        return characters(s, start, k) >= 3 && characters(s, k, end) >= 3 && !mayNotBeginLine(charAt(s, start)) &&
               !mayNotBeginLine(charAt(s, k));
    };

    for (qsizetype k = 1; k < s.size(); ++k) {
        const auto i = std::size_t(k);
        if (s.at(k).isLowSurrogate())
            continue;
        // Where the line rules allow no break, a text that fits nowhere else still breaks, but not at these marks.
        if (!lines[i])
            places[i] = mayNotBeginLine(charAt(s, k)) || mayNotEndLine(charBefore(s, k)) ? BreakPlace::Never
                                                                                         : BreakPlace::Anywhere;
        else if (insideLetters(s, k) || numbers[i] || joined[i])
            places[i] = BreakPlace::Anywhere;
        else if (parts[i])
            places[i] = BreakPlace::Parts;
        else if (runOf(s.at(k - 1)) == Run::katakana && runOf(s.at(k)) == Run::katakana)
            places[i] = kanaWords[i] && katakanaWords(k) ? BreakPlace::Katakana : BreakPlace::Anywhere;
        else
            places[i] = words[i] ? BreakPlace::Words : BreakPlace::InsideWord;
    }
    return places;
}

qsizetype lastPlaceAtLeast(const std::vector<BreakPlace> &places, qsizetype k, BreakPlace least) {
    while (k > 0 && places[std::size_t(k)] < least)
        --k;
    return k;
}

} // namespace hz
