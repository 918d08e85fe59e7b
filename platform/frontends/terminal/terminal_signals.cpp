#include "platform/frontends/terminal/terminal_signals.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstring>
#include <iterator>

namespace verdan {
namespace {

constexpr int kInputFd = 0;
constexpr int kOutputFd = 1;

volatile std::sig_atomic_t g_taken = 0;
volatile std::sig_atomic_t g_interrupted = 0;
termios g_shell_modes{};
char g_reset[512];
std::size_t g_reset_length = 0;
bool g_claimed = false;

constexpr int kFatalSignals[] = {SIGTERM, SIGHUP, SIGQUIT, SIGABRT,
                                 SIGSEGV, SIGBUS, SIGFPE,  SIGILL};
constexpr std::size_t kFatalCount = std::size(kFatalSignals);

// The actions the signals had before ours, put back when the console goes
// and handed the signal on a fatal one (a sanitizer's report, a core dump).
struct SavedAction {
  struct sigaction action {};
  bool taken = false;
};
SavedAction g_interrupt_before;
std::array<SavedAction, kFatalCount> g_fatal_before;

// Async-signal-safe: write and tcsetattr only.
void give_terminal_back_now() {
  if (!g_taken) return;
  g_taken = 0;
  ssize_t written = ::write(kOutputFd, g_reset, g_reset_length);
  static_cast<void>(written);
  ::tcsetattr(kInputFd, TCSANOW, &g_shell_modes);
}

void on_fatal_signal(int signal) {
  give_terminal_back_now();
  for (std::size_t i = 0; i < kFatalCount; ++i) {
    if (kFatalSignals[i] == signal && g_fatal_before[i].taken) {
      ::sigaction(signal, &g_fatal_before[i].action, nullptr);
    }
  }
  ::raise(signal);
}

void on_interrupt(int signal) {
  if (g_interrupted) {
    // A second Ctrl-C before the program came to a read: it is stuck.
    give_terminal_back_now();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
    return;
  }
  g_interrupted = 1;
}

void take_signal(int signal, void (*handler)(int), int flags, SavedAction& saved) {
  saved.taken = false;
  if (::sigaction(signal, nullptr, &saved.action) != 0 || saved.action.sa_handler == SIG_IGN) {
    return;
  }
  struct sigaction action {};
  sigemptyset(&action.sa_mask);
  action.sa_handler = handler;
  action.sa_flags = flags;
  saved.taken = ::sigaction(signal, &action, nullptr) == 0;
}

}  // namespace

void take_terminal_signals() {
  g_interrupted = 0;
  take_signal(SIGINT, on_interrupt, 0, g_interrupt_before);  // no SA_RESTART: reads wake up
  for (std::size_t i = 0; i < kFatalCount; ++i) {
    take_signal(kFatalSignals[i], on_fatal_signal, SA_RESETHAND | SA_NODEFER, g_fatal_before[i]);
  }
}

void put_terminal_signals_back() {
  auto put_back = [](int signal, SavedAction& saved) {
    if (saved.taken) ::sigaction(signal, &saved.action, nullptr);
    saved.taken = false;
  };
  put_back(SIGINT, g_interrupt_before);
  for (std::size_t i = 0; i < kFatalCount; ++i) put_back(kFatalSignals[i], g_fatal_before[i]);
}

void prepare_terminal_reset(const termios& shell_modes, std::string_view reset) {
  g_shell_modes = shell_modes;
  g_reset_length = std::min(reset.size(), sizeof g_reset);
  std::memcpy(g_reset, reset.data(), g_reset_length);
}

void set_terminal_taken(bool taken) { g_taken = taken ? 1 : 0; }

bool interrupt_pending() { return g_interrupted != 0; }
void clear_interrupt() { g_interrupted = 0; }

bool claim_terminal() {
  if (g_claimed) return false;
  g_claimed = true;
  return true;
}

void free_terminal() { g_claimed = false; }

}  // namespace verdan
