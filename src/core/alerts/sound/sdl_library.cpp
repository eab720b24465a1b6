#include "core/alerts/sound/sdl_library.h"

#include <cstdio>
#include <dlfcn.h>

namespace tindrel {
namespace {

constexpr const char* library_name = "libSDL2-2.0.so.0";

// Resolves `name` into `function`; false when the library lacks it.
template <typename Function> bool resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (function == nullptr) {
        std::fprintf(stderr, "tindrel: %s has no %s\n", library_name, name);
        return false;
    }
    return true;
}

const SdlLibrary* load() {
    void* library = dlopen(library_name, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        std::fprintf(stderr, "tindrel: %s\n", dlerror());
        return nullptr;
    }
    static SdlLibrary table;
    SdlLibrary& t = table;
    const bool complete = resolve(library, "SDL_SetHint", t.set_hint) &&
                          resolve(library, "SDL_InitSubSystem", t.init_subsystem) &&
                          resolve(library, "SDL_QuitSubSystem", t.quit_subsystem) &&
                          resolve(library, "SDL_OpenAudioDevice", t.open_audio_device) &&
                          resolve(library, "SDL_CloseAudioDevice", t.close_audio_device) &&
                          resolve(library, "SDL_PauseAudioDevice", t.pause_audio_device) &&
                          resolve(library, "SDL_LockAudioDevice", t.lock_audio_device) &&
                          resolve(library, "SDL_UnlockAudioDevice", t.unlock_audio_device) &&
                          resolve(library, "SDL_MixAudioFormat", t.mix_audio_format) &&
                          resolve(library, "SDL_NewAudioStream", t.new_audio_stream) &&
                          resolve(library, "SDL_AudioStreamPut", t.audio_stream_put) &&
                          resolve(library, "SDL_AudioStreamFlush", t.audio_stream_flush) &&
                          resolve(library, "SDL_AudioStreamAvailable", t.audio_stream_available) &&
                          resolve(library, "SDL_AudioStreamGet", t.audio_stream_get) &&
                          resolve(library, "SDL_FreeAudioStream", t.free_audio_stream) &&
                          resolve(library, "SDL_CreateSemaphore", t.create_semaphore) &&
                          resolve(library, "SDL_DestroySemaphore", t.destroy_semaphore) &&
                          resolve(library, "SDL_SemPost", t.sem_post) &&
                          resolve(library, "SDL_SemTryWait", t.sem_try_wait) &&
                          resolve(library, "SDL_SemWaitTimeout", t.sem_wait_timeout) &&
                          resolve(library, "SDL_Delay", t.delay);
    if (!complete) {
        dlclose(library); // none of its code has run yet
        return nullptr;
    }
    return &table;
}

} // namespace

const SdlLibrary* sdl_library() {
    static const SdlLibrary* const table = load();
    return table;
}

} // namespace tindrel
