#include "platform/frontends/sdl_window/window_console.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <optional>
#include <set>
#include <utility>

#include "platform/codec/cp932.h"
#include "platform/failure.h"
#include "platform/fallible_step.h"
#include "platform/host/handover_names.h"
#include "platform/console/snapshot.h"
#include "platform/console/terminal_keys.h"
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
// Keys typed during waits that are kept for later reads.
constexpr std::size_t kMaxTypeAhead = 64;
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

// One thing from the desktop that a read cares about.
struct Input {
  enum class Kind { key, text, composition } kind = Kind::key;
  SDL_Keycode key = 0;
  Uint16 modifiers = 0;
  std::string text;  // CP932: committed text, or the composition so far
};

// The first character of CP932 text and the rest.
std::pair<std::string, std::string> first_char(const std::string& cp932) {
  const std::size_t length = char_length(cp932, 0);
  return {cp932.substr(0, length), cp932.substr(length)};
}

}  // namespace

struct WindowConsole::Window {
  WindowConsole* owner = nullptr;
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
  std::deque<Input> type_ahead;
  bool reading_entry = false;

  ~Window() {
    if (texture != nullptr) SDL_DestroyTexture(texture);
    if (renderer != nullptr) SDL_DestroyRenderer(renderer);
    if (window != nullptr) SDL_DestroyWindow(window);
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
        return Input{Input::Kind::key, event.key.keysym.sym, event.key.keysym.mod, ""};
      case SDL_TEXTINPUT:
        composition.clear();
        return Input{Input::Kind::text, 0, 0, to_cp932(event.text.text)};
      case SDL_TEXTEDITING:
        composition = to_cp932(event.edit.text);
        return Input{Input::Kind::composition, 0, 0, composition};
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

  Input next_input() {
    if (!type_ahead.empty()) {
      Input input = type_ahead.front();
      type_ahead.pop_front();
      return input;
    }
    return *poll(-1);
  }

  void keep(const Input& input) {
    if (input.kind != Input::Kind::composition && type_ahead.size() < kMaxTypeAhead) {
      type_ahead.push_back(input);
    }
  }
};

WindowConsole::WindowConsole(std::unique_ptr<Window> window)
    : Console(kPlaneWidth, kPlaneHeight), window_(std::move(window)) {
  window_->owner = this;
}

std::unique_ptr<WindowConsole> WindowConsole::open(std::string& problem, Options options) {
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
  return std::unique_ptr<WindowConsole>(new WindowConsole(std::move(window)));
}

WindowConsole::~WindowConsole() {
  try {
    hand_back();
  } catch (...) {
    // A destructor must not throw; the window goes below anyway.
  }
  SDL_StopTextInput();
  window_.reset();
  SDL_Quit();
  g_window_open = false;
}

std::vector<Rgb> WindowConsole::shown_pixels() {
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

int WindowConsole::last_damage() const { return window_->damage; }

bool WindowConsole::reading_entry() const { return window_->reading_entry; }

int WindowConsole::scale() const {
  float sx = 1.0f;
  float sy = 1.0f;
  SDL_RenderGetScale(window_->renderer, &sx, &sy);
  return std::max(1, static_cast<int>(sx));
}

std::string WindowConsole::take_entry() {
  const ScreenModel before = screen();
  const int row = before.cursor_row();
  const int col = before.output_column();
  // As on the terminal: the entry may wrap down to the window's last row
  // but never scrolls it.
  const int last_row = row <= before.window_bottom() ? before.window_bottom() : row;
  window_->reading_entry = true;
  LineEditor editor(
      [&](std::string_view text) { return entry_fits(text, row, col, last_row); });
  auto insert = [&](const std::string& cp932) {
    for (std::string rest = cp932; !rest.empty();) {
      auto [one, others] = first_char(rest);
      rest = others;
      if (static_cast<unsigned char>(one[0]) < 0x20 || one[0] == 0x7F) continue;
      if (!editor.apply({EntryAction::insert, one})) {
        sound_beep();
        return;
      }
    }
  };
  for (;;) {
    auto [typed, cursor_row, cursor_col] = typed_entry(before, editor);
    if (!window_->composition.empty()) {
      typed.locate(cursor_row, cursor_col);
      typed.set_color(kCompositionColor);
      typed.put_text(window_->composition);
    }
    window_->show(typed, cursor_row, cursor_col);
    Input input = window_->next_input();
    if (input.kind == Input::Kind::text) {
      insert(input.text);
    } else if (input.kind == Input::Kind::key) {
      if (is_paste_key(input.key, input.modifiers)) {
        char* clipboard = SDL_GetClipboardText();
        std::string pasted = clipboard != nullptr ? clipboard : "";
        SDL_free(clipboard);
        insert(to_cp932(pasted.substr(0, pasted.find_first_of("\r\n"))));
        continue;
      }
      std::optional<Key> pressed = window_key(input.key, input.modifiers);
      if (!pressed) continue;
      EntryKey key = entry_key(*pressed);
      if (key.action == EntryAction::enter) break;
      if (key.action != EntryAction::none && !editor.apply(key)) sound_beep();
    }
  }
  echo(editor.text());
  return editor.text();
}

int WindowConsole::take_key() {
  window_->reading_entry = false;
  for (;;) {
    Input input = window_->next_input();
    if (input.kind == Input::Kind::text && !input.text.empty()) {
      // Each character of a committed text is a key of its own.
      auto [one, rest] = first_char(input.text);
      if (!rest.empty()) window_->type_ahead.push_front(Input{Input::Kind::text, 0, 0, rest});
      return static_cast<unsigned char>(one[0]);
    }
    if (input.kind == Input::Kind::key) {
      std::optional<Key> pressed = window_key(input.key, input.modifiers);
      const int code = pressed ? one_key_code(*pressed) : -1;
      if (code >= 0) return code;
    }
  }
}

void WindowConsole::sound_beep() { SDL_FlashWindow(window_->window, SDL_FLASH_BRIEFLY); }

void WindowConsole::pause(int ticks) {
  const Clock::time_point end = Clock::now() + Milliseconds(10LL * ticks);
  for (;;) {
    auto left = std::chrono::duration_cast<Milliseconds>(end - Clock::now()).count();
    if (left <= 0) return;
    if (std::optional<Input> input = window_->poll(static_cast<int>(std::min<long long>(left, 1000)))) {
      window_->keep(*input);
    }
  }
}

void WindowConsole::pause_for_key(int ticks) {
  const Clock::time_point end = Clock::now() + Milliseconds(10LL * ticks);
  for (;;) {
    if (!window_->type_ahead.empty()) {
      window_->type_ahead.pop_front();
      return;
    }
    auto left = std::chrono::duration_cast<Milliseconds>(end - Clock::now()).count();
    if (left <= 0) return;
    std::optional<Input> input = window_->poll(static_cast<int>(std::min<long long>(left, 1000)));
    if (input && input->kind != Input::Kind::composition) return;
  }
}

void WindowConsole::show_note(std::string_view text) {
  const std::string title = window_->title + " - " + to_utf8(text);
  SDL_SetWindowTitle(window_->window, title.c_str());
}

void WindowConsole::present() {
  window_->show(screen(), screen().cursor_row(), screen().cursor_col());
}

void WindowConsole::release() {
  present();
  const std::string problem = write_snapshot(screen());
  if (!problem.empty()) std::fprintf(stderr, "%s\n", problem.c_str());
  // A program started in our place opens in a normal window where this
  // one is.
  if ((SDL_GetWindowFlags(window_->window) & SDL_WINDOW_MINIMIZED) == 0) {
    WindowPosition position;
    SDL_GetWindowPosition(window_->window, &position.x, &position.y);
    ::setenv(kPositionVariable, position_text(position).c_str(), 1);
  }
  ::unsetenv(kStateVariable);
}

std::unique_ptr<Console> open_window_console(std::string& problem) {
  return WindowConsole::open(problem);
}

}  // namespace verdan
