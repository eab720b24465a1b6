#pragma once

#include <SDL.h>

namespace tindrel {

// The SDL functions the audio output uses, resolved from libSDL2 at run time. Loading SDL
// (and the fifty-odd libraries it pulls in) only when sound is started keeps it off the
// program's start-up path, and lets the program run without sound where it is missing.
struct SdlLibrary {
    decltype(&::SDL_SetHint) set_hint;
    decltype(&::SDL_InitSubSystem) init_subsystem;
    decltype(&::SDL_QuitSubSystem) quit_subsystem;
    decltype(&::SDL_OpenAudioDevice) open_audio_device;
    decltype(&::SDL_CloseAudioDevice) close_audio_device;
    decltype(&::SDL_PauseAudioDevice) pause_audio_device;
    decltype(&::SDL_LockAudioDevice) lock_audio_device;
    decltype(&::SDL_UnlockAudioDevice) unlock_audio_device;
    decltype(&::SDL_MixAudioFormat) mix_audio_format;
    decltype(&::SDL_NewAudioStream) new_audio_stream;
    decltype(&::SDL_AudioStreamPut) audio_stream_put;
    decltype(&::SDL_AudioStreamFlush) audio_stream_flush;
    decltype(&::SDL_AudioStreamAvailable) audio_stream_available;
    decltype(&::SDL_AudioStreamGet) audio_stream_get;
    decltype(&::SDL_FreeAudioStream) free_audio_stream;
    decltype(&::SDL_CreateSemaphore) create_semaphore;
    decltype(&::SDL_DestroySemaphore) destroy_semaphore;
    decltype(&::SDL_SemPost) sem_post;
    decltype(&::SDL_SemTryWait) sem_try_wait;
    decltype(&::SDL_SemWaitTimeout) sem_wait_timeout;
    decltype(&::SDL_Delay) delay;
};

// Loads libSDL2 on first use and resolves every function above; later calls, from any
// thread, return the same table. Null when the library or any one function is missing
// (the reason is then written to standard error once). The library stays loaded until
// the process ends: SDL's threads and exit handlers may still run code in it.
const SdlLibrary* sdl_library();

} // namespace tindrel
