// The SDL2 routines the window front end uses, under this system's names.
// The library is opened at the first call to sdl_calls(), not when a program
// starts: it pulls some fifty others after it (sound, X11, Wayland), which
// would hold up every headless and terminal run. Without the library, or
// without one of its routines, that routine fails as SDL's own would (init
// gives -1, creators give null) and get_error says why, so the front end
// chooser falls back as for any missing window.
#pragma once

#include <SDL.h>

namespace verdan {

struct SdlCalls {
  decltype(&SDL_GetError) get_error;
  decltype(&SDL_Init) init;
  decltype(&SDL_Quit) quit;
  decltype(&SDL_SetHint) set_hint;
  decltype(&SDL_free) free;
  decltype(&SDL_GetDisplayUsableBounds) get_display_usable_bounds;
  decltype(&SDL_CreateWindow) create_window;
  decltype(&SDL_DestroyWindow) destroy_window;
  decltype(&SDL_SetWindowTitle) set_window_title;
  decltype(&SDL_SetWindowIcon) set_window_icon;
  decltype(&SDL_CreateRGBSurfaceWithFormatFrom) create_surface_from;
  decltype(&SDL_FreeSurface) free_surface;
  decltype(&SDL_SetWindowMinimumSize) set_window_minimum_size;
  decltype(&SDL_GetWindowFlags) get_window_flags;
  decltype(&SDL_GetWindowPosition) get_window_position;
  decltype(&SDL_FlashWindow) flash_window;
  decltype(&SDL_CreateRenderer) create_renderer;
  decltype(&SDL_DestroyRenderer) destroy_renderer;
  decltype(&SDL_RenderSetLogicalSize) render_set_logical_size;
  decltype(&SDL_RenderSetIntegerScale) render_set_integer_scale;
  decltype(&SDL_RenderGetScale) render_get_scale;
  decltype(&SDL_RenderGetViewport) render_get_viewport;
  decltype(&SDL_SetRenderDrawColor) set_render_draw_color;
  decltype(&SDL_RenderClear) render_clear;
  decltype(&SDL_RenderFillRect) render_fill_rect;
  decltype(&SDL_RenderCopy) render_copy;
  decltype(&SDL_RenderPresent) render_present;
  decltype(&SDL_RenderReadPixels) render_read_pixels;
  decltype(&SDL_CreateTexture) create_texture;
  decltype(&SDL_DestroyTexture) destroy_texture;
  decltype(&SDL_UpdateTexture) update_texture;
  decltype(&SDL_PumpEvents) pump_events;
  decltype(&SDL_PeepEvents) peep_events;
  decltype(&SDL_WaitEventTimeout) wait_event_timeout;
  decltype(&SDL_StartTextInput) start_text_input;
  decltype(&SDL_StopTextInput) stop_text_input;
  decltype(&SDL_SetTextInputRect) set_text_input_rect;
  decltype(&SDL_GetClipboardText) get_clipboard_text;
};

// Every entry is set: the library's routine, or one that fails.
const SdlCalls& sdl_calls();

}  // namespace verdan
