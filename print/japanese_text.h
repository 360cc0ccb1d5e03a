#pragma once

#include <QString>

#include <vector>

// Where a Japanese text may break into two lines, as a Japanese reader reads it. ICU's dictionary finds the words and
// its strict line rules say where a line may not end or begin; two rules of our own keep whole what the dictionary
// splits: a number with its 第 and counter, and a word of one character with the word before it.
namespace hz {

// How good a place between s[k - 1] and s[k] is to break a text into two lines, worst first.
enum class BreakPlace {
    Never, // no line may begin or end here: before ー, a small kana, 々 ゝ ゞ, a closing bracket or a point, after
           // an opening bracket; or inside a character
    Anywhere,   // inside what a reader reads as one: a run of letters or digits, a number, a katakana word, before a
                // word of one character that joins the word before it
    InsideWord, // where a line may break, inside a word
    Katakana,   // between two words of a katakana run, each of three characters or more
    Words,      // between two words
};

// What each place of s is: entry k for the place before s[k], k = 0 .. s.size(); the two ends are Never.
std::vector<BreakPlace> breakPlaces(const QString &s);

} // namespace hz
