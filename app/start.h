#pragma once

namespace hz {

// The program's start: finishes an interrupted set of record replacements before each user action from now on, and
// loads the main menu. Returns false when the program ended during the start.
bool startProgram();

} // namespace hz
