// The window console under a virtual X display of its own (Xvfb), driven
// through SDL's event queue as a person would type: each script item is
// typed when the program waits for it, as text and RETURN for a line entry,
// as one key otherwise. When the script runs out the window is closed.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/codec/cp932.h"
#include "platform/fallible_step.h"
#include "platform/console/interactive_console.h"
#include "platform/frontends/sdl_window/window_display.h"
#include "tests/platform/host_fixtures.h"

namespace verdan::test {

// Starts Xvfb on a free display and points DISPLAY at it; stops it after.
class VirtualDisplay {
 public:
  VirtualDisplay() {
    int ready[2];
    if (::pipe(ready) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(ready[0]);
      const std::string fd = std::to_string(ready[1]);
      int null_fd = ::open("/dev/null", O_RDWR);
      ::dup2(null_fd, 1);
      ::dup2(null_fd, 2);
      ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
               "tcp", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(ready[1]);
    std::string number;
    pollfd wait{ready[0], POLLIN, 0};
    char c = 0;
    while (::poll(&wait, 1, 10000) > 0 && ::read(ready[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(ready[0]);
    if (number.empty()) return;
    display_ = std::make_unique<ScopedEnv>("DISPLAY", ":" + number);
    driver_ = std::make_unique<ScopedEnv>("SDL_VIDEODRIVER", std::string("x11"));
  }
  ~VirtualDisplay() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  bool running() const { return display_ != nullptr; }

 private:
  pid_t pid_ = -1;
  std::unique_ptr<ScopedEnv> display_;
  std::unique_ptr<ScopedEnv> driver_;
};

inline void push_key(SDL_Keycode key, Uint16 modifiers = KMOD_NONE) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.state = SDL_PRESSED;
  event.key.keysym.sym = key;
  event.key.keysym.mod = modifiers;
  SDL_PushEvent(&event);
}

// Text as the input method commits it (UTF-8).
inline void push_text(const std::string& utf8) {
  SDL_Event event{};
  event.type = SDL_TEXTINPUT;
  std::strncpy(event.text.text, utf8.c_str(), sizeof event.text.text - 1);
  SDL_PushEvent(&event);
}

// The input method's composition so far (UTF-8).
inline void push_composition(const std::string& utf8) {
  SDL_Event event{};
  event.type = SDL_TEXTEDITING;
  std::strncpy(event.edit.text, utf8.c_str(), sizeof event.edit.text - 1);
  event.edit.length = static_cast<Sint32>(utf8.size());
  SDL_PushEvent(&event);
}

inline void push_close() {
  SDL_Event event{};
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
}

class WindowRun {
 public:
  // Called each time the program waits with nothing typed, with the number
  // of the item next to be typed; true when it typed something itself, and
  // the item waits.
  std::function<bool(WindowDisplay&, std::size_t)> on_wait;

  // Opens the window and runs `program` on it, typing `script` (UTF-8
  // items); returns the exit status.
  int run(const std::vector<std::string>& script,
          const std::function<int(Console&)>& program) {
    std::size_t next = 0;
    WindowDisplay::Options options;
    options.title = "test";
    options.idle = [&](WindowDisplay& window) {
      if (on_wait && on_wait(window, next)) return;
      if (next == script.size()) {
        push_close();
        return;
      }
      const std::string& item = script[next++];
      if (window.reading_entry()) {
        if (!item.empty()) push_text(item);
        push_key(SDLK_RETURN);
      } else if (item.empty()) {
        push_key(SDLK_RETURN);
      } else {
        push_text(item);
      }
    };
    std::string problem;
    std::unique_ptr<WindowDisplay> display = WindowDisplay::open(problem, options);
    if (!display) {
      ADD_FAILURE() << "no window: " << problem;
      return -1;
    }
    window_ = std::make_unique<InteractiveConsole>(std::move(display), WindowDisplay::kPlaneWidth,
                                                   WindowDisplay::kPlaneHeight);
    int status = 0;
    try {
      status = program(*window_);
    } catch (const ProgramEnd& end) {
      status = end.status;
    }
    window_->hand_back();
    typed_ = next;
    window_.reset();
    return status;
  }

  std::size_t typed() const { return typed_; }

 private:
  std::unique_ptr<InteractiveConsole> window_;
  std::size_t typed_ = 0;
};

#define VERDAN_NEED_DISPLAY(display)                                              \
  if (!(display).running()) GTEST_SKIP() << "Xvfb is not installed (package xvfb); " \
                                            "the window is not tested"

}  // namespace verdan::test
