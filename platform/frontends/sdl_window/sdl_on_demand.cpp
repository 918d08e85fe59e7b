// SDL2 is opened when the window front end first calls it, not when a
// program starts: its library pulls some fifty others after it (sound, X11,
// Wayland), which would hold up every headless and terminal run at start.
// Each routine the front end uses is defined here and forwards to the
// library's own; without the library SDL_Init fails and SDL_GetError says
// why, and the front end chooser falls back as for any missing window.
#include <SDL.h>
#include <dlfcn.h>

#include <string>

namespace {

struct Library {
  Library() {
    handle = ::dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_GLOBAL);
    if (handle == nullptr) {
      const char* why = ::dlerror();
      problem = why != nullptr ? why : "libSDL2-2.0.so.0 not found";
    }
  }
  void* handle = nullptr;
  std::string problem;
};

const Library& library() {
  static const Library opened;
  return opened;
}

void* symbol(const char* name) {
  const Library& sdl = library();
  return sdl.handle != nullptr ? ::dlsym(sdl.handle, name) : nullptr;
}

}  // namespace

// A routine with the library's signature; `fallback` when it is not there.
#define VERDAN_SDL_FORWARD(R, name, params, args, fallback)                     \
  extern "C" R SDLCALL name params {                                           \
    static const auto real = reinterpret_cast<decltype(&name)>(symbol(#name)); \
    if (real == nullptr) return fallback;                                      \
    return real args;                                                          \
  }

extern "C" const char* SDLCALL SDL_GetError(void) {
  static const auto real = reinterpret_cast<decltype(&SDL_GetError)>(symbol("SDL_GetError"));
  return real != nullptr ? real() : library().problem.c_str();
}

VERDAN_SDL_FORWARD(int, SDL_Init, (Uint32 flags), (flags), -1)
VERDAN_SDL_FORWARD(void, SDL_Quit, (void), (), void())
VERDAN_SDL_FORWARD(SDL_bool, SDL_SetHint, (const char* name, const char* value), (name, value), SDL_FALSE)
VERDAN_SDL_FORWARD(void, SDL_free, (void* mem), (mem), void())
VERDAN_SDL_FORWARD(int, SDL_GetDisplayUsableBounds, (int index, SDL_Rect* rect), (index, rect), -1)
VERDAN_SDL_FORWARD(SDL_Window*, SDL_CreateWindow, (const char* title, int x, int y, int w, int h, Uint32 flags),
                   (title, x, y, w, h, flags), nullptr)
VERDAN_SDL_FORWARD(void, SDL_DestroyWindow, (SDL_Window * window), (window), void())
VERDAN_SDL_FORWARD(void, SDL_SetWindowTitle, (SDL_Window * window, const char* title), (window, title), void())
VERDAN_SDL_FORWARD(void, SDL_SetWindowMinimumSize, (SDL_Window * window, int w, int h), (window, w, h), void())
VERDAN_SDL_FORWARD(Uint32, SDL_GetWindowFlags, (SDL_Window * window), (window), 0)
VERDAN_SDL_FORWARD(void, SDL_GetWindowPosition, (SDL_Window * window, int* x, int* y), (window, x, y), void())
VERDAN_SDL_FORWARD(int, SDL_FlashWindow, (SDL_Window * window, SDL_FlashOperation operation), (window, operation),
                   -1)
VERDAN_SDL_FORWARD(SDL_Renderer*, SDL_CreateRenderer, (SDL_Window * window, int index, Uint32 flags),
                   (window, index, flags), nullptr)
VERDAN_SDL_FORWARD(void, SDL_DestroyRenderer, (SDL_Renderer * renderer), (renderer), void())
VERDAN_SDL_FORWARD(int, SDL_RenderSetLogicalSize, (SDL_Renderer * renderer, int w, int h), (renderer, w, h), -1)
VERDAN_SDL_FORWARD(int, SDL_RenderSetIntegerScale, (SDL_Renderer * renderer, SDL_bool enable), (renderer, enable),
                   -1)
VERDAN_SDL_FORWARD(void, SDL_RenderGetScale, (SDL_Renderer * renderer, float* x, float* y), (renderer, x, y),
                   void())
VERDAN_SDL_FORWARD(void, SDL_RenderGetViewport, (SDL_Renderer * renderer, SDL_Rect* rect), (renderer, rect), void())
VERDAN_SDL_FORWARD(int, SDL_SetRenderDrawColor, (SDL_Renderer * renderer, Uint8 r, Uint8 g, Uint8 b, Uint8 a),
                   (renderer, r, g, b, a), -1)
VERDAN_SDL_FORWARD(int, SDL_RenderClear, (SDL_Renderer * renderer), (renderer), -1)
VERDAN_SDL_FORWARD(int, SDL_RenderFillRect, (SDL_Renderer * renderer, const SDL_Rect* rect), (renderer, rect), -1)
VERDAN_SDL_FORWARD(int, SDL_RenderCopy,
                   (SDL_Renderer * renderer, SDL_Texture* texture, const SDL_Rect* from, const SDL_Rect* to),
                   (renderer, texture, from, to), -1)
VERDAN_SDL_FORWARD(void, SDL_RenderPresent, (SDL_Renderer * renderer), (renderer), void())
VERDAN_SDL_FORWARD(int, SDL_RenderReadPixels,
                   (SDL_Renderer * renderer, const SDL_Rect* rect, Uint32 format, void* pixels, int pitch),
                   (renderer, rect, format, pixels, pitch), -1)
VERDAN_SDL_FORWARD(SDL_Texture*, SDL_CreateTexture,
                   (SDL_Renderer * renderer, Uint32 format, int access, int w, int h),
                   (renderer, format, access, w, h), nullptr)
VERDAN_SDL_FORWARD(void, SDL_DestroyTexture, (SDL_Texture * texture), (texture), void())
VERDAN_SDL_FORWARD(int, SDL_UpdateTexture,
                   (SDL_Texture * texture, const SDL_Rect* rect, const void* pixels, int pitch),
                   (texture, rect, pixels, pitch), -1)
VERDAN_SDL_FORWARD(void, SDL_PumpEvents, (void), (), void())
VERDAN_SDL_FORWARD(int, SDL_PeepEvents,
                   (SDL_Event * events, int count, SDL_eventaction action, Uint32 min_type, Uint32 max_type),
                   (events, count, action, min_type, max_type), -1)
VERDAN_SDL_FORWARD(int, SDL_WaitEventTimeout, (SDL_Event * event, int timeout), (event, timeout), 0)
VERDAN_SDL_FORWARD(void, SDL_StartTextInput, (void), (), void())
VERDAN_SDL_FORWARD(void, SDL_StopTextInput, (void), (), void())
VERDAN_SDL_FORWARD(void, SDL_SetTextInputRect, (const SDL_Rect* rect), (rect), void())
VERDAN_SDL_FORWARD(char*, SDL_GetClipboardText, (void), (), nullptr)
