#pragma once

#include <QString>

#include <vector>

// Where a Japanese text may break into two lines, as a Japanese reader reads it. The parts of what the text names
// come first (text_parts.h: a company's legal form and the rest of its name, an address's units), read from its
// characters and from lists; ICU's dictionary finds the words inside what they leave and its strict line rules say
// where a line may not end or begin; rules of our own keep whole what the dictionary splits (a number with its 第 and
// counter, a word of one character, a stretch of kana it does not know).
namespace hz {

// How good a place between s[k - 1] and s[k] is to break a text into two lines, worst first.
enum class BreakPlace {
    Never, // no line may begin or end here: before ー, a small kana, 々 ゝ ゞ, a closing bracket or a point, after
           // an opening bracket; or inside a character
    Anywhere,   // inside what a reader reads as one: a run of letters or digits, a number, a katakana word, a part
                // of what the text names but the rest of a name and a building (a place name, a lot number, a legal
                // form), before a word of one character that joins the word before it, before a form in the middle
                // of a name
    InsideWord, // where a line may break, inside a word
    Katakana,   // between two words of a katakana run, each of three characters or more
    Words,      // between two words; between a town and its 丁目, a Kyoto street and its crossing
    Parts,      // between the parts of what the text names: after a legal form that begins a company's name or
                // before one that ends it, after one in the middle before a branch; between an address's
                // prefecture, county, city, ward, town or village, 大字 or 字 with its name, town or street with its
                // crossing, 丁目, lot number and building
};

// What each place of s is: entry k for the place before s[k], k = 0 .. s.size(); the two ends are Never.
std::vector<BreakPlace> breakPlaces(const QString &s);

// The last place at or before k whose class is at least least; 0 where there is none.
qsizetype lastPlaceAtLeast(const std::vector<BreakPlace> &places, qsizetype k, BreakPlace least);

} // namespace hz
