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
#include "platform/console/png_picture.h"
#include "platform/console/unifont.h"
#include "platform/frontends/sdl_window/sdl_calls.h"
#include "platform/frontends/sdl_window/window_icon.h"
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
  // Cells the texture lacks: all of them before the first show.
  ScreenDamage unsent = ScreenDamage::whole_screen();
  // The cells the composition changed in what was shown last.
  ScreenDamage composed;
  int sent_cells = 0;
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
    if (texture != nullptr) sdl_calls().destroy_texture(texture);
    if (renderer != nullptr) sdl_calls().destroy_renderer(renderer);
    if (window != nullptr) sdl_calls().destroy_window(window);
  }

  // The entry with the composition typed over it at its cursor; `damage`
  // is the entry's.
  void show_entry(ScreenDamage damage) {
    if (composition.empty()) {
      show(*entry, damage, entry_row, entry_col);
      return;
    }
    ScreenModel with_composition = *entry;
    with_composition.locate(entry_row, entry_col);
    with_composition.set_color(kCompositionColor);
    with_composition.put_text(composition);
    const ScreenDamage own = with_composition.take_damage();
    damage.merge(own);
    show(with_composition, damage, entry_row, entry_col);
    composed = own;
  }

  // Sends the damaged cells, and those of the composition shown last, to
  // the texture and draws the window.
  void show(const ScreenModel& model, const ScreenDamage& damage, int row, int col) {
    unsent.merge(damage);
    unsent.merge(std::exchange(composed, ScreenDamage{}));
    sent_cells = unsent.count();
    if (sent_cells == ScreenModel::kRows * ScreenModel::kColumns) {
      const std::vector<std::uint8_t> picture = render_picture(model, font);
      std::vector<Uint32> pixels(picture.size());
      std::transform(picture.begin(), picture.end(), pixels.begin(), argb);
      sdl_calls().update_texture(texture, nullptr, pixels.data(), kWindowWidth * 4);
    } else {
      std::array<Uint32, kCellPictureWidth * kCellPictureHeight> pixels{};
      for (int cell_row = 0; cell_row < ScreenModel::kRows; ++cell_row) {
        for (int cell_col = 0; cell_col < ScreenModel::kColumns; ++cell_col) {
          if (!unsent.at(cell_row, cell_col)) continue;
          const CellPicture cell = render_cell(model, font, cell_row, cell_col);
          std::transform(cell.begin(), cell.end(), pixels.begin(), argb);
          const SDL_Rect rect{cell_col * kCellPictureWidth, cell_row * kCellPictureHeight, kCellPictureWidth,
                              kCellPictureHeight};
          sdl_calls().update_texture(texture, &rect, pixels.data(), kCellPictureWidth * 4);
        }
      }
    }
    unsent.clear();
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
    sdl_calls().set_render_draw_color(renderer, 0, 0, 0, 255);
    sdl_calls().render_clear(renderer);
    sdl_calls().render_copy(renderer, texture, nullptr, nullptr);
    if (with_cursor && cursor_on) {
      const Rgb c = palette_color(cursor_color);
      sdl_calls().set_render_draw_color(renderer, c.r, c.g, c.b, 255);
      const SDL_Rect bar{cursor_col * kCellPictureWidth,
                         (cursor_row + 1) * kCellPictureHeight - kCursorHeight, kCellPictureWidth,
                         kCursorHeight};
      sdl_calls().render_fill_rect(renderer, &bar);
    }
  }

  void draw() {
    paint(true);
    sdl_calls().render_present(renderer);
  }

  // The input method's candidate list opens at the cursor.
  void place_input_method() {
    float sx = 1.0f;
    float sy = 1.0f;
    sdl_calls().render_get_scale(renderer, &sx, &sy);
    SDL_Rect view{};
    sdl_calls().render_get_viewport(renderer, &view);
    SDL_Rect at{static_cast<int>(static_cast<float>(view.x + cursor_col * kCellPictureWidth) * sx),
                static_cast<int>(static_cast<float>(view.y + cursor_row * kCellPictureHeight) * sy),
                static_cast<int>(kCellPictureWidth * sx), static_cast<int>(kCellPictureHeight * sy)};
    sdl_calls().set_text_input_rect(&at);
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
        if (entry) show_entry({});
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
      sdl_calls().pump_events();
      if (!idled && options.idle &&
          sdl_calls().peep_events(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 0) {
        idled = true;
        options.idle(*owner);
      }
      Clock::time_point now = Clock::now();
      Clock::time_point wake = next_blink;
      if (timeout_ms >= 0) wake = std::min(wake, deadline);
      auto wait = std::chrono::duration_cast<Milliseconds>(wake - now).count();
      SDL_Event event;
      const int wait_ms = static_cast<int>(std::max<long long>(wait, 0));
      if (sdl_calls().wait_event_timeout(&event, wait_ms) != 0) {
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
  sdl_calls().set_hint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  sdl_calls().set_hint(SDL_HINT_IME_SHOW_UI, "1");
  sdl_calls().set_hint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  sdl_calls().set_hint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  if (sdl_calls().init(SDL_INIT_VIDEO) != 0) {
    problem = std::string("no window: ") + sdl_calls().get_error();
    return nullptr;
  }
  auto window = std::make_unique<Window>();
  try {
    window->font = Unifont::load(Unifont::default_path(), cp932_code_points());
  } catch (const Failure& failure) {
    sdl_calls().quit();
    problem = failure.what();
    return nullptr;
  }
  window->title = options.title.empty() ? std::string(program_invocation_short_name) : options.title;
  window->options = std::move(options);

  int scale = 1;
  SDL_Rect usable{};
  if (sdl_calls().get_display_usable_bounds(0, &usable) == 0) {
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
  window->window = sdl_calls().create_window(window->title.c_str(), x, y, kWindowWidth * scale,
                                             kWindowHeight * scale, flags);
  if (window->window != nullptr) {
    set_window_icon(window->window);
    window->renderer = sdl_calls().create_renderer(window->window, -1, SDL_RENDERER_ACCELERATED);
    if (window->renderer == nullptr) {
      window->renderer = sdl_calls().create_renderer(window->window, -1, SDL_RENDERER_SOFTWARE);
    }
  }
  if (window->renderer != nullptr) {
    sdl_calls().set_window_minimum_size(window->window, kWindowWidth, kWindowHeight);
    sdl_calls().render_set_logical_size(window->renderer, kWindowWidth, kWindowHeight);
    sdl_calls().render_set_integer_scale(window->renderer, SDL_TRUE);
    window->texture = sdl_calls().create_texture(window->renderer, SDL_PIXELFORMAT_ARGB8888,
                                                 SDL_TEXTUREACCESS_STATIC, kWindowWidth, kWindowHeight);
  }
  if (window->texture == nullptr) {
    problem = std::string("no window: ") + sdl_calls().get_error();
    window.reset();
    sdl_calls().quit();
    return nullptr;
  }
  sdl_calls().start_text_input();
  window->place_input_method();
  g_window_open = true;
  return std::unique_ptr<WindowDisplay>(new WindowDisplay(std::move(window)));
}

WindowDisplay::~WindowDisplay() {
  sdl_calls().stop_text_input();
  window_.reset();
  sdl_calls().quit();
  g_window_open = false;
}

std::vector<Rgb> WindowDisplay::shown_pixels() {
  window_->paint(false);
  const int s = scale();
  std::vector<Uint32> read(static_cast<std::size_t>(kWindowWidth * s) * (kWindowHeight * s));
  sdl_calls().render_read_pixels(window_->renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, read.data(),
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

int WindowDisplay::last_damage() const { return window_->sent_cells; }

bool WindowDisplay::reading_entry() const { return window_->reading_entry; }

int WindowDisplay::scale() const {
  float sx = 1.0f;
  float sy = 1.0f;
  sdl_calls().render_get_scale(window_->renderer, &sx, &sy);
  return std::max(1, static_cast<int>(sx));
}

void WindowDisplay::show(const ScreenModel& model, const ScreenDamage& damage, int row, int col,
                         Showing showing) {
  if (showing != Showing::entry) {
    window_->entry.reset();
    window_->show(model, damage, row, col);
    return;
  }
  window_->entry = model;
  window_->entry_row = row;
  window_->entry_col = col;
  window_->show_entry(damage);
}

std::optional<Input> WindowDisplay::poll(int timeout_ms) { return window_->poll(timeout_ms); }

void WindowDisplay::beep() { sdl_calls().flash_window(window_->window, SDL_FLASH_BRIEFLY); }

void WindowDisplay::note(std::string_view cp932) {
  const std::string title = window_->title + " - " + to_utf8(cp932);
  sdl_calls().set_window_title(window_->window, title.c_str());
}

void WindowDisplay::end() {
  // A program started in our place opens in a normal window where this
  // one is.
  if ((sdl_calls().get_window_flags(window_->window) & SDL_WINDOW_MINIMIZED) == 0) {
    WindowPosition position;
    sdl_calls().get_window_position(window_->window, &position.x, &position.y);
    ::setenv(kPositionVariable, position_text(position).c_str(), 1);
  }
  ::unsetenv(kStateVariable);
}

void WindowDisplay::snapshot_problem(const std::string& problem) {
  std::fprintf(stderr, "%s\n", problem.c_str());
}

void WindowDisplay::reads_entry(bool entry) { window_->reading_entry = entry; }

std::optional<std::string> WindowDisplay::clipboard_line() {
  char* clipboard = sdl_calls().get_clipboard_text();
  std::string pasted = clipboard != nullptr ? clipboard : "";
  sdl_calls().free(clipboard);
  return to_cp932(pasted.substr(0, pasted.find_first_of("\r\n")));
}

std::unique_ptr<Console> open_window_console(std::string& problem) {
  std::unique_ptr<WindowDisplay> display = WindowDisplay::open(problem);
  if (!display) return nullptr;
  return std::make_unique<InteractiveConsole>(std::move(display), WindowDisplay::kPlaneWidth,
                                              WindowDisplay::kPlaneHeight);
}

}  // namespace verdan
