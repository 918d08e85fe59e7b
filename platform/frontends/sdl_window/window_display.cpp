#include "platform/frontends/sdl_window/window_display.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <utility>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "platform/fallible_step.h"
#include "platform/host/handover_names.h"
#include "platform/console/interactive_console.h"
#include "platform/console/unifont.h"
#include "platform/frontends/sdl_window/window_keys.h"
#include "platform/frontends/sdl_window/window_front.h"
#include "platform/frontends/sdl_window/window_layout.h"

namespace verdan {
namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

constexpr Milliseconds kBlink{530};
// Room left on the display for the title bar and panels when the first
// scale is chosen.
constexpr int kDecorationPixels = 64;
// The input method's composition, until it is committed.
constexpr int kCompositionColor = 14;
constexpr int kCursorHeight = 2;

bool g_window_open = false;

// Every character CP932 has, so that the glyphs are read from the font once.
std::set<char32_t> cp932_code_points() {
  std::set<char32_t> points{0xFFFD};
  std::size_t length = 0;
  for (int b = 0x21; b <= 0xDF; ++b) {
    if (is_lead_byte(static_cast<unsigned char>(b))) continue;
    const char one = static_cast<char>(b);
    points.insert(decode_char(std::string_view(&one, 1), 0, length));
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!is_lead_byte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      const char two[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      points.insert(decode_char(std::string_view(two, 2), 0, length));
    }
  }
  return points;
}

Uint32 argb(int index) {
  const Rgb c = palette_color(index);
  return 0xFF000000u | (Uint32{c.r} << 16) | (Uint32{c.g} << 8) | Uint32{c.b};
}

}  // namespace

struct WindowDisplay::Window {
  WindowDisplay* owner = nullptr;
  Options options;
  std::string title;
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Texture* texture = nullptr;
  Unifont font;
  std::vector<unsigned char> shown;  // palette indices on the texture
  int damage = 0;
  int cursor_row = 0;
  int cursor_col = 0;
  int cursor_color = ScreenModel::kDefaultColor;
  bool cursor_on = true;
  Clock::time_point next_blink = Clock::now() + kBlink;
  std::string composition;
  // The entry shown last, drawn again as the composition changes; none
  // when the last thing shown was not an entry.
  std::optional<ScreenModel> entry;
  int entry_row = 0;
  int entry_col = 0;
  bool reading_entry = false;

  ~Window() {
    if (texture != nullptr) SDL_DestroyTexture(texture);
    if (renderer != nullptr) SDL_DestroyRenderer(renderer);
    if (window != nullptr) SDL_DestroyWindow(window);
  }

  // The entry with the composition typed over it at its cursor.
  void show_entry() {
    if (composition.empty()) {
      show(*entry, entry_row, entry_col);
      return;
    }
    ScreenModel composed = *entry;
    composed.locate(entry_row, entry_col);
    composed.set_color(kCompositionColor);
    composed.put_text(composition);
    show(composed, entry_row, entry_col);
  }

  // Sends the cells that changed to the texture and draws the window.
  void show(const ScreenModel& model, int row, int col) {
    std::vector<unsigned char> picture = render_picture(model, font);
    const std::vector<CellBox> cells = changed_cells(shown, picture);
    if (cells.size() == static_cast<std::size_t>(ScreenModel::kRows * ScreenModel::kColumns)) {
      std::vector<Uint32> pixels(picture.size());
      std::transform(picture.begin(), picture.end(), pixels.begin(), argb);
      SDL_UpdateTexture(texture, nullptr, pixels.data(), kWindowWidth * 4);
    } else {
      std::array<Uint32, kCellPixelsWide * kCellPixelsHigh> pixels{};
      for (const CellBox& cell : cells) {
        const int left = cell.col * kCellPixelsWide;
        const int top = cell.row * kCellPixelsHigh;
        for (int y = 0; y < kCellPixelsHigh; ++y) {
          for (int x = 0; x < kCellPixelsWide; ++x) {
            pixels[static_cast<std::size_t>(y * kCellPixelsWide + x)] =
                argb(picture[static_cast<std::size_t>(top + y) * kWindowWidth + left + x]);
          }
        }
        const SDL_Rect rect{left, top, kCellPixelsWide, kCellPixelsHigh};
        SDL_UpdateTexture(texture, &rect, pixels.data(), kCellPixelsWide * 4);
      }
    }
    shown = std::move(picture);
    damage = static_cast<int>(cells.size());
    if (row != cursor_row || col != cursor_col) {
      cursor_row = row;
      cursor_col = col;
      place_input_method();
    }
    cursor_color = model.color();
    // The cursor shows at once where it lands, then blinks.
    cursor_on = true;
    next_blink = Clock::now() + kBlink;
    draw();
  }

  void paint(bool with_cursor) {
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_RenderCopy(renderer, texture, nullptr, nullptr);
    if (with_cursor && cursor_on) {
      const Rgb c = palette_color(cursor_color);
      SDL_SetRenderDrawColor(renderer, c.r, c.g, c.b, 255);
      const SDL_Rect bar{cursor_col * kCellPixelsWide,
                         (cursor_row + 1) * kCellPixelsHigh - kCursorHeight, kCellPixelsWide,
                         kCursorHeight};
      SDL_RenderFillRect(renderer, &bar);
    }
  }

  void draw() {
    paint(true);
    SDL_RenderPresent(renderer);
  }

  // The input method's candidate list opens at the cursor.
  void place_input_method() {
    float sx = 1.0f;
    float sy = 1.0f;
    SDL_RenderGetScale(renderer, &sx, &sy);
    SDL_Rect view{};
    SDL_RenderGetViewport(renderer, &view);
    SDL_Rect at{static_cast<int>(static_cast<float>(view.x + cursor_col * kCellPixelsWide) * sx),
                static_cast<int>(static_cast<float>(view.y + cursor_row * kCellPixelsHigh) * sy),
                static_cast<int>(kCellPixelsWide * sx), static_cast<int>(kCellPixelsHigh * sy)};
    SDL_SetTextInputRect(&at);
  }

  [[noreturn]] static void closed() { throw ProgramEnd{kClosedStatus}; }

  std::optional<Input> handle(const SDL_Event& event) {
    switch (event.type) {
      case SDL_QUIT:
        closed();
      case SDL_WINDOWEVENT:
        switch (event.window.event) {
          case SDL_WINDOWEVENT_CLOSE:
            closed();
          case SDL_WINDOWEVENT_SIZE_CHANGED:
            place_input_method();
            draw();
            break;
          case SDL_WINDOWEVENT_EXPOSED:
          case SDL_WINDOWEVENT_SHOWN:
          case SDL_WINDOWEVENT_RESTORED:
            draw();
            break;
          default:
            break;
        }
        return std::nullopt;
      case SDL_KEYDOWN:
        // While the input method composes, the keys are its own.
        if (!composition.empty()) return std::nullopt;
        return Input::pressed(window_key(event.key.keysym.sym, event.key.keysym.mod)
                                  .value_or(Key::named(KeyName::other)));
      case SDL_TEXTINPUT:
        composition.clear();
        return Input::typed(to_cp932(event.text.text));
      case SDL_TEXTEDITING:
        composition = to_cp932(event.edit.text);
        if (entry) show_entry();
        return std::nullopt;
      default:
        return std::nullopt;
    }
  }

  // The next input within `timeout_ms` (negative: no limit), blinking the
  // cursor meanwhile. Closing the window ends the program.
  std::optional<Input> poll(int timeout_ms) {
    const Clock::time_point deadline = Clock::now() + Milliseconds(std::max(timeout_ms, 0));
    bool idled = false;
    for (;;) {
      SDL_PumpEvents();
      if (!idled && options.idle &&
          SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 0) {
        idled = true;
        options.idle(*owner);
      }
      Clock::time_point now = Clock::now();
      Clock::time_point wake = next_blink;
      if (timeout_ms >= 0) wake = std::min(wake, deadline);
      auto wait = std::chrono::duration_cast<Milliseconds>(wake - now).count();
      SDL_Event event;
      if (SDL_WaitEventTimeout(&event, static_cast<int>(std::max<long long>(wait, 0))) != 0) {
        if (std::optional<Input> input = handle(event)) return input;
      }
      now = Clock::now();
      if (now >= next_blink) {
        cursor_on = !cursor_on;
        next_blink = now + kBlink;
        draw();
      }
      if (timeout_ms >= 0 && now >= deadline) return std::nullopt;
    }
  }

};

WindowDisplay::WindowDisplay(std::unique_ptr<Window> window)
    : window_(std::move(window)) {
  window_->owner = this;
}

std::unique_ptr<WindowDisplay> WindowDisplay::open(std::string& problem, Options options) {
  if (g_window_open) {
    problem = "another window console is open";
    return nullptr;
  }
  // Ctrl-C in the terminal that started us stays what it always is.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_IME_SHOW_UI, "1");
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    problem = std::string("no window: ") + SDL_GetError();
    return nullptr;
  }
  auto window = std::make_unique<Window>();
  try {
    window->font = Unifont::load(Unifont::default_path(), cp932_code_points());
  } catch (const Failure& failure) {
    SDL_Quit();
    problem = failure.what();
    return nullptr;
  }
  window->title = options.title.empty() ? std::string(program_invocation_short_name) : options.title;
  window->options = std::move(options);

  int scale = 1;
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(0, &usable) == 0) {
    scale = fitting_scale(usable.w, usable.h - kDecorationPixels);
  }
  int x = static_cast<int>(SDL_WINDOWPOS_CENTERED);
  int y = static_cast<int>(SDL_WINDOWPOS_CENTERED);
  if (const char* place = std::getenv(kPositionVariable)) {
    if (std::optional<WindowPosition> position = parse_position(place)) {
      x = position->x;
      y = position->y;
    }
  }
  Uint32 flags = SDL_WINDOW_RESIZABLE;
  const char* state = std::getenv(kStateVariable);
  if (state != nullptr && std::string_view(state) == "minimized") flags |= SDL_WINDOW_MINIMIZED;
  window->window = SDL_CreateWindow(window->title.c_str(), x, y, kWindowWidth * scale,
                                    kWindowHeight * scale, flags);
  if (window->window != nullptr) {
    window->renderer = SDL_CreateRenderer(window->window, -1, SDL_RENDERER_ACCELERATED);
    if (window->renderer == nullptr) {
      window->renderer = SDL_CreateRenderer(window->window, -1, SDL_RENDERER_SOFTWARE);
    }
  }
  if (window->renderer != nullptr) {
    SDL_SetWindowMinimumSize(window->window, kWindowWidth, kWindowHeight);
    SDL_RenderSetLogicalSize(window->renderer, kWindowWidth, kWindowHeight);
    SDL_RenderSetIntegerScale(window->renderer, SDL_TRUE);
    window->texture = SDL_CreateTexture(window->renderer, SDL_PIXELFORMAT_ARGB8888,
                                        SDL_TEXTUREACCESS_STATIC, kWindowWidth, kWindowHeight);
  }
  if (window->texture == nullptr) {
    problem = std::string("no window: ") + SDL_GetError();
    window.reset();
    SDL_Quit();
    return nullptr;
  }
  SDL_StartTextInput();
  window->place_input_method();
  g_window_open = true;
  return std::unique_ptr<WindowDisplay>(new WindowDisplay(std::move(window)));
}

WindowDisplay::~WindowDisplay() {
  SDL_StopTextInput();
  window_.reset();
  SDL_Quit();
  g_window_open = false;
}

std::vector<Rgb> WindowDisplay::shown_pixels() {
  window_->paint(false);
  const int s = scale();
  std::vector<Uint32> read(static_cast<std::size_t>(kWindowWidth * s) * (kWindowHeight * s));
  SDL_RenderReadPixels(window_->renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, read.data(),
                       kWindowWidth * s * 4);
  std::vector<Rgb> pixels;
  pixels.reserve(static_cast<std::size_t>(kWindowWidth) * kWindowHeight);
  for (int y = 0; y < kWindowHeight; ++y) {
    for (int x = 0; x < kWindowWidth; ++x) {
      const Uint32 p = read[static_cast<std::size_t>(y * s) * (kWindowWidth * s) +
                            static_cast<std::size_t>(x * s)];
      pixels.push_back(Rgb{static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                           static_cast<std::uint8_t>(p)});
    }
  }
  window_->draw();
  return pixels;
}

int WindowDisplay::last_damage() const { return window_->damage; }

bool WindowDisplay::reading_entry() const { return window_->reading_entry; }

int WindowDisplay::scale() const {
  float sx = 1.0f;
  float sy = 1.0f;
  SDL_RenderGetScale(window_->renderer, &sx, &sy);
  return std::max(1, static_cast<int>(sx));
}

void WindowDisplay::show(const ScreenModel& model, int row, int col, Showing showing) {
  if (showing != Showing::entry) {
    window_->entry.reset();
    window_->show(model, row, col);
    return;
  }
  window_->entry = model;
  window_->entry_row = row;
  window_->entry_col = col;
  window_->show_entry();
}

std::optional<Input> WindowDisplay::poll(int timeout_ms) { return window_->poll(timeout_ms); }

void WindowDisplay::beep() { SDL_FlashWindow(window_->window, SDL_FLASH_BRIEFLY); }

void WindowDisplay::note(std::string_view cp932) {
  const std::string title = window_->title + " - " + to_utf8(cp932);
  SDL_SetWindowTitle(window_->window, title.c_str());
}

void WindowDisplay::end() {
  // A program started in our place opens in a normal window where this
  // one is.
  if ((SDL_GetWindowFlags(window_->window) & SDL_WINDOW_MINIMIZED) == 0) {
    WindowPosition position;
    SDL_GetWindowPosition(window_->window, &position.x, &position.y);
    ::setenv(kPositionVariable, position_text(position).c_str(), 1);
  }
  ::unsetenv(kStateVariable);
}

void WindowDisplay::snapshot_problem(const std::string& problem) {
  std::fprintf(stderr, "%s\n", problem.c_str());
}

void WindowDisplay::reads_entry(bool entry) { window_->reading_entry = entry; }

std::optional<std::string> WindowDisplay::clipboard_line() {
  char* clipboard = SDL_GetClipboardText();
  std::string pasted = clipboard != nullptr ? clipboard : "";
  SDL_free(clipboard);
  return to_cp932(pasted.substr(0, pasted.find_first_of("\r\n")));
}

std::unique_ptr<Console> open_window_console(std::string& problem) {
  std::unique_ptr<WindowDisplay> display = WindowDisplay::open(problem);
  if (!display) return nullptr;
  return std::make_unique<InteractiveConsole>(std::move(display), WindowDisplay::kPlaneWidth,
                                              WindowDisplay::kPlaneHeight);
}

}  // namespace verdan
