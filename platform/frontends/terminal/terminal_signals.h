// Signals while a full-screen terminal front end owns the terminal: Ctrl-C
// is noted for the next read, and a fatal signal gives the terminal back
// before the program dies. Shared by the curses and the built-in renderer.
#pragma once

#include <termios.h>

#include <string_view>

namespace verdan {

// Ctrl-C ends the program with ProgramEnd{130}, the status shells give a
// program ended by SIGINT, after the program has unwound and handed back.
inline constexpr int kInterruptStatus = 130;

// Takes SIGINT and the fatal signals; signals the shell ignores stay ignored.
void take_terminal_signals();
// The actions from before take_terminal_signals.
void put_terminal_signals_back();

// What a fatal signal sends to the terminal (`reset`, at most 512 bytes)
// and the modes it puts back, prepared beforehand since a handler may only
// write and tcsetattr.
void prepare_terminal_reset(const termios& shell_modes, std::string_view reset);
// Whether the program's modes are on the terminal now, so a fatal signal
// has something to undo.
void set_terminal_taken(bool taken);

// A Ctrl-C came since the console was opened; a read then throws.
bool interrupt_pending();
void clear_interrupt();

// One full-screen console at a time owns the terminal.
bool claim_terminal();
void free_terminal();

}  // namespace verdan
