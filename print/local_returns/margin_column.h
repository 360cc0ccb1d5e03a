#pragma once

#include <array>
#include <cstddef>
#include <vector>

// A text written down a margin of a form one character a place: the first eight at the form's own places, the
// rest on down the margin's free length.
namespace hz {

// Characters stand this close at the closest: at the smallest size a page fits a text down to, their ink stays
// clear of each other's.
inline constexpr double closestMarginStep = 2;

// The y of each of count characters: the places first; after the eighth, one step for all the rest, the last
// step of the places where the free length down to end holds them so, else the step that holds them all (the
// eighth's em and the last character's included), never closer than closestMarginStep. Characters that do not
// fit even so get no place: fewer ys than count.
std::vector<double> marginPlaces(const std::array<double, 8> &places, double end, std::size_t count);

} // namespace hz
