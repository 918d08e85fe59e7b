// Environment variables one program sets for the next it hands over to (or
// for a command interpreter it starts): both sides read the names here, so
// the host's code needs no front end for them.
#pragma once

namespace verdan {

// The window's position, "x,y": the next program opens where the last one was.
inline constexpr const char* kPositionVariable = "VERDAN_WINDOW_POSITION";
// "minimized" there: the window opens minimized (a program started so).
inline constexpr const char* kStateVariable = "VERDAN_WINDOW_STATE";

}  // namespace verdan
