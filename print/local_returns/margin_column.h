#pragma once

#include <QString>

#include <array>
#include <vector>

// A text written down a margin of a form one character a place, at one size and one pitch for the whole text.
namespace hz {

// Characters stand this close at the closest: at the smallest size a page fits a text down to, their ink stays
// clear of each other's.
inline constexpr double closestMarginStep = 2;

// Where the characters of a text down a margin stand.
struct MarginSetting {
    std::vector<double> ys; // the top of each character's square, for those that print
    double pitch;           // from one character to the next
};

// The text s at the form's places while it fits them; else every character on one pitch, that of the places or a
// smaller one that holds them all down to end (the last character's square included), never closer than
// closestMarginStep. A text that does not fit even so is cut where a word ends: fewer ys than characters.
MarginSetting marginSetting(const std::array<double, 8> &places, double end, const QString &s);

} // namespace hz
