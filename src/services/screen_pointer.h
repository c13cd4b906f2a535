#pragma once

namespace griffwandler::services {

// The program-wide mouse pointer, which overrides the pointer of every control.
enum class ScreenPointer { Default = 0, Hourglass = 11 };

// Sets the program-wide pointer. This is an assignment, not a stack: Default
// removes every override pointer, whoever set it, so that each control shows
// its own pointer again; Hourglass replaces them all with the busy pointer.
void setScreenMousePointer(ScreenPointer pointer);

} // namespace griffwandler::services
