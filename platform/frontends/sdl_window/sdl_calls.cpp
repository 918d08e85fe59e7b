#include "platform/frontends/sdl_window/sdl_calls.h"

#include <dlfcn.h>

#include <string>

namespace verdan {
namespace {

constexpr const char* kLibrary = "libSDL2-2.0.so.0";

struct Library {
  Library() {
    handle = ::dlopen(kLibrary, RTLD_NOW | RTLD_GLOBAL);
    if (handle == nullptr) {
      const char* why = ::dlerror();
      problem = why != nullptr ? why : std::string(kLibrary) + " not found";
    }
  }
  void* handle = nullptr;
  std::string problem;
};

const Library& library() {
  static const Library opened;
  return opened;
}

// Stands for a routine the library does not have: gives `failed`, as the
// routine itself gives when it fails.
template <auto failed, typename Routine>
struct Missing;
template <auto failed, typename Result, typename... Args>
struct Missing<failed, Result (*)(Args...)> {
  static Result SDLCALL call(Args...) { return static_cast<Result>(failed); }
};

const char* SDLCALL why_missing() { return library().problem.c_str(); }

void* symbol(const char* name) {
  return library().handle != nullptr ? ::dlsym(library().handle, name) : nullptr;
}

template <auto failed, typename Routine>
void resolve(Routine& entry, const char* name) {
  void* found = symbol(name);
  entry = found != nullptr ? reinterpret_cast<Routine>(found) : &Missing<failed, Routine>::call;
}

SdlCalls resolved() {
  SdlCalls sdl{};
  void* get_error = symbol("SDL_GetError");
  sdl.get_error = get_error != nullptr ? reinterpret_cast<decltype(sdl.get_error)>(get_error) : &why_missing;
  resolve<-1>(sdl.init, "SDL_Init");
  resolve<0>(sdl.quit, "SDL_Quit");
  resolve<SDL_FALSE>(sdl.set_hint, "SDL_SetHint");
  resolve<0>(sdl.free, "SDL_free");
  resolve<-1>(sdl.get_display_usable_bounds, "SDL_GetDisplayUsableBounds");
  resolve<nullptr>(sdl.create_window, "SDL_CreateWindow");
  resolve<0>(sdl.destroy_window, "SDL_DestroyWindow");
  resolve<0>(sdl.set_window_title, "SDL_SetWindowTitle");
  resolve<0>(sdl.set_window_icon, "SDL_SetWindowIcon");
  resolve<nullptr>(sdl.create_surface_from, "SDL_CreateRGBSurfaceWithFormatFrom");
  resolve<0>(sdl.free_surface, "SDL_FreeSurface");
  resolve<0>(sdl.set_window_minimum_size, "SDL_SetWindowMinimumSize");
  resolve<0>(sdl.get_window_flags, "SDL_GetWindowFlags");
  resolve<0>(sdl.get_window_position, "SDL_GetWindowPosition");
  resolve<-1>(sdl.flash_window, "SDL_FlashWindow");
  resolve<nullptr>(sdl.create_renderer, "SDL_CreateRenderer");
  resolve<0>(sdl.destroy_renderer, "SDL_DestroyRenderer");
  resolve<-1>(sdl.render_set_logical_size, "SDL_RenderSetLogicalSize");
  resolve<-1>(sdl.render_set_integer_scale, "SDL_RenderSetIntegerScale");
  resolve<0>(sdl.render_get_scale, "SDL_RenderGetScale");
  resolve<0>(sdl.render_get_viewport, "SDL_RenderGetViewport");
  resolve<-1>(sdl.set_render_draw_color, "SDL_SetRenderDrawColor");
  resolve<-1>(sdl.render_clear, "SDL_RenderClear");
  resolve<-1>(sdl.render_fill_rect, "SDL_RenderFillRect");
  resolve<-1>(sdl.render_copy, "SDL_RenderCopy");
  resolve<0>(sdl.render_present, "SDL_RenderPresent");
  resolve<-1>(sdl.render_read_pixels, "SDL_RenderReadPixels");
  resolve<nullptr>(sdl.create_texture, "SDL_CreateTexture");
  resolve<0>(sdl.destroy_texture, "SDL_DestroyTexture");
  resolve<-1>(sdl.update_texture, "SDL_UpdateTexture");
  resolve<0>(sdl.pump_events, "SDL_PumpEvents");
  resolve<-1>(sdl.peep_events, "SDL_PeepEvents");
  // No event came: the caller waits again rather than reading an empty one.
  resolve<0>(sdl.wait_event_timeout, "SDL_WaitEventTimeout");
  resolve<0>(sdl.start_text_input, "SDL_StartTextInput");
  resolve<0>(sdl.stop_text_input, "SDL_StopTextInput");
  resolve<0>(sdl.set_text_input_rect, "SDL_SetTextInputRect");
  resolve<nullptr>(sdl.get_clipboard_text, "SDL_GetClipboardText");
  return sdl;
}

}  // namespace

const SdlCalls& sdl_calls() {
  static const SdlCalls calls = resolved();
  return calls;
}

}  // namespace verdan
