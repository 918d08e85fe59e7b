#include "platform/host/stop_request.h"

#include <csignal>

#include "platform/fallible_step.h"

namespace verdan {
namespace {

volatile std::sig_atomic_t g_stop_signal = 0;

void on_stop(int signal) { g_stop_signal = signal; }

}  // namespace

void take_stop_signals() {
  for (int signal : {SIGTERM, SIGHUP}) {
    struct sigaction before {};
    if (::sigaction(signal, nullptr, &before) != 0 || before.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = on_stop;
    // No SA_RESTART: a read waiting for input wakes up. Reset: a second
    // request is not waited for.
    action.sa_flags = SA_RESETHAND;
    ::sigaction(signal, &action, nullptr);
  }
}

int stop_requested() { return g_stop_signal; }

void stop_if_requested() {
  if (g_stop_signal != 0) throw ProgramEnd{kStopStatusBase + g_stop_signal};
}

}  // namespace verdan
