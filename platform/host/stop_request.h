// A request from outside to stop (SIGTERM, SIGHUP) while no terminal front
// end is there to take it: noted when it comes and acted on at the next safe
// point (a read of input, a block written to a file), where the program ends
// as at any other end: an unfinished append is cut back, a replacement
// dropped, the console handed back. A second request ends it at once.
#pragma once

namespace verdan {

// Ending by a request gives the status a shell gives for the signal.
inline constexpr int kStopStatusBase = 128;

// Takes the stop signals; those the starting shell ignored stay ignored.
void take_stop_signals();

// The signal of a pending request, or 0.
int stop_requested();

// Ends the program (ProgramEnd{128 + signal}) when a request is pending.
void stop_if_requested();

}  // namespace verdan
