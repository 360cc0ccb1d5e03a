#pragma once

#include <QString>

#include <vector>

// Where a Japanese text may break into two lines, as a Japanese reader reads it. ICU's dictionary finds the words and
// its strict line rules say where a line may not end or begin; rules of our own keep whole what the dictionary
// splits (a number with its 第 and counter, a lot number, a place name, a word of one character) and find the parts
// of what a text names: a company's legal form and the name, an address's units.
namespace hz {

// How good a place between s[k - 1] and s[k] is to break a text into two lines, worst first.
enum class BreakPlace {
    Never, // no line may begin or end here: before ー, a small kana, 々 ゝ ゞ, a closing bracket or a point, after
           // an opening bracket; or inside a character
    Anywhere,   // inside what a reader reads as one: a run of letters or digits, a number, a lot number, a katakana
                // word, a place name, before a word of one character that joins the word before it
    InsideWord, // where a line may break, inside a word
    Katakana,   // between two words of a katakana run, each of three characters or more
    Words,      // between two words
    Parts,      // between the parts of what the text names: after a legal form that begins a company's name or
                // before one that ends it; after an address's prefecture, its city, ward, town, village or county,
                // after its 丁目, before and after its lot number
};

// What each place of s is: entry k for the place before s[k], k = 0 .. s.size(); the two ends are Never.
std::vector<BreakPlace> breakPlaces(const QString &s);

// The last place at or before k whose class is at least least; 0 where there is none.
qsizetype lastPlaceAtLeast(const std::vector<BreakPlace> &places, qsizetype k, BreakPlace least);

} // namespace hz
