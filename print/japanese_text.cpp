#include "print/japanese_text.h"

#include "print/text_parts.h"

#include <QStringView>

#include <memory>
#include <optional>

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

// Whether the dictionary decides inside a part: the rest of a company's name, its branch or facility, a building.
// Every other part reads as one (野々市市, 大字上横場, 麻布十番, 七番三号, 医療法人財団).
bool wordsInside(PartKind kind) {
    return kind == PartKind::name || kind == PartKind::branch || kind == PartKind::building ||
           kind == PartKind::facility;
}

// The place where part i meets the part before it: between parts, but between words where a reader reads the two as
// one (a town and its 丁目: 栄|三丁目; a street and its crossing: 烏丸通|七条下る), and only where nothing else fits
// before a form in the middle of a name, whose branch follows it (a line that begins 「株式会社北海道支店」 reads as
// another company's name).
BreakPlace placeBefore(const std::vector<Part> &parts, std::size_t i) {
    const PartKind before = parts[i - 1].kind, kind = parts[i].kind;
    if (kind == PartKind::legalForm && i + 1 < parts.size() && parts[i + 1].kind == PartKind::branch)
        return BreakPlace::Anywhere;
    if ((before == PartKind::town && kind == PartKind::choume) ||
        (before == PartKind::street && kind == PartKind::crossing))
        return BreakPlace::Words;
    return BreakPlace::Parts;
}

} // namespace

std::vector<BreakPlace> breakPlaces(const QString &s) {
    const auto n = std::size_t(s.size());
    std::vector<BreakPlace> places(n + 1, BreakPlace::Never);
    if (s.size() < 2)
        return places;
    const std::vector<bool> lines = icuBoundaries(s, true);

    // What the reader found decides first: where two parts meet, and inside a part that reads as one.
    const TextParts read = readParts(s);
    std::vector<std::optional<BreakPlace>> found(n + 1);
    std::vector<bool> edges(n + 1, false);
    for (std::size_t i = 0; i < read.parts.size(); ++i) {
        const Part &part = read.parts[i];
        if (!wordsInside(part.kind))
            for (qsizetype k = part.span.start + 1; k < part.span.end; ++k)
                found[std::size_t(k)] = BreakPlace::Anywhere;
        if (i > 0) {
            found[std::size_t(part.span.start)] = placeBefore(read.parts, i);
            edges[std::size_t(part.span.start)] = true;
        }
    }
    std::vector<bool> numbers(n + 1, false);
    for (const Span &number : read.numbers)
        for (qsizetype k = number.start + 1; k < number.end; ++k)
            numbers[std::size_t(k)] = true;

    // The dictionary's words, with every number whole and no word across two parts.
    std::vector<bool> words = icuBoundaries(s, false);
    for (std::size_t k = 1; k < n; ++k)
        words[k] = (words[k] && !numbers[k]) || edges[k];
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
    std::vector<bool> joined(n + 1, false);

    // Any other word of one character joins the word before it: a suffix (超過|額, 活性|化, 神奈川|県), a counter
    // (第6|位), a particle (資産|の), a kana the dictionary left over (パート|ナ). Not a number, and not a katakana
    // after other letters, which starts a name rather than ends a word.
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const Word &w = pieces[i];
        const Script own = scriptOf(charAt(s, w.start));
        const Script before = scriptOf(charBefore(s, w.start));
        const bool afterNumber = isNumeral(s.at(w.start - 1));
        if (!oneCharacter(w) || isNumeral(s.at(w.start)) || !isJapaneseLetter(own) ||
            !(isJapaneseLetter(before) || afterNumber))
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
        else if (insideLetters(s, k) || numbers[i])
            places[i] = BreakPlace::Anywhere;
        else if (found[i]) // over a word of one character that would join the word before it: 医療法人財団‖順和会
            places[i] = *found[i];
        else if (joined[i])
            places[i] = BreakPlace::Anywhere;
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
