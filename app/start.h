#pragma once

namespace hz {

// The program's start: loads the main menu. Returns false when the program ended during the start.
bool startProgram();

} // namespace hz
