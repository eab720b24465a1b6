#include "core/alerts/sound/sdl_audio_device.h"

#include "core/alerts/sound/sdl_library.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <vector>

namespace tindrel {
namespace {

constexpr int wanted_rate = 44100;
// About 23 ms at 44100 Hz: the longest a play waits to be heard, and few enough wake-ups
// for an output that stays open all day.
constexpr Uint16 buffer_frames = 1024;
// A prepared sound larger than this is refused (the alert clip needs about 110 KiB).
constexpr std::size_t max_prepared_bytes = std::size_t{64} << 20;

struct SdlSound final : DeviceSound {
    std::vector<Uint8> bytes;
};

// What one voice plays; touched only with the device locked (SDL holds that lock while
// it runs the callback).
struct Playback {
    std::shared_ptr<const SdlSound> sound;
    std::size_t position = 0;
    int volume = SDL_MIX_MAXVOLUME;
    bool finished = true;
    SDL_sem* ended = nullptr; // posted when the sound has been handed to the device in full
};

SDL_AudioFormat sdl_format(const WaveFormat& format) {
    if (format.format_tag == 1 && format.bits_per_sample == 8) {
        return AUDIO_U8;
    }
    if (format.format_tag == 1 && format.bits_per_sample == 16) {
        return AUDIO_S16LSB;
    }
    if (format.format_tag == 1 && format.bits_per_sample == 32) {
        return AUDIO_S32LSB;
    }
    if (format.format_tag == 3 && format.bits_per_sample == 32) {
        return AUDIO_F32LSB;
    }
    return 0;
}

} // namespace

struct SdlAudioDevice::State {
    explicit State(const SdlLibrary& library) : sdl(library) {}

    const SdlLibrary& sdl;
    SDL_AudioDeviceID device = 0;
    SDL_AudioSpec output_format{};
    std::array<Playback, 2> voices;

    Playback& voice(Voice v) { return voices[v == Voice::clip ? 0 : 1]; }

    static void fill(void* userdata, Uint8* stream, int length) {
        auto* state = static_cast<State*>(userdata);
        std::memset(stream, state->output_format.silence, static_cast<std::size_t>(length));
        for (Playback& playback : state->voices) {
            if (!playback.sound || playback.finished) {
                continue;
            }
            const std::vector<Uint8>& bytes = playback.sound->bytes;
            const std::size_t count =
                std::min(bytes.size() - playback.position, static_cast<std::size_t>(length));
            state->sdl.mix_audio_format(stream, bytes.data() + playback.position,
                                        state->output_format.format, static_cast<Uint32>(count),
                                        playback.volume);
            playback.position += count;
            if (playback.position == bytes.size()) {
                playback.finished = true;
                state->sdl.sem_post(playback.ended);
            }
        }
    }
};

SdlAudioDevice::SdlAudioDevice() = default;

SdlAudioDevice::~SdlAudioDevice() {
    close();
}

std::unique_ptr<SdlAudioDevice::State> SdlAudioDevice::open_output() {
    const SdlLibrary* sdl = sdl_library();
    if (sdl == nullptr) {
        return nullptr;
    }
    // Unless told not to, SDL catches SIGINT and SIGTERM to post a quit event that nobody
    // here reads: the program would then no longer end when the system asks it to. A hint
    // rather than the environment variable, which the user may still set to override it.
    sdl->set_hint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (sdl->init_subsystem(SDL_INIT_AUDIO) != 0) {
        return nullptr;
    }
    auto state = std::make_unique<State>(*sdl);
    SDL_AudioSpec wanted{};
    wanted.freq = wanted_rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 1;
    wanted.samples = buffer_frames;
    wanted.callback = &State::fill;
    wanted.userdata = state.get();
    for (Playback& playback : state->voices) {
        playback.ended = sdl->create_semaphore(0);
    }
    state->device = sdl->open_audio_device(nullptr, 0, &wanted, &state->output_format,
                                           SDL_AUDIO_ALLOW_ANY_CHANGE);
    const bool ready = state->device != 0 && state->voices[0].ended != nullptr &&
                       state->voices[1].ended != nullptr;
    if (!ready) {
        if (state->device != 0) {
            sdl->close_audio_device(state->device);
        }
        for (Playback& playback : state->voices) {
            if (playback.ended != nullptr) {
                sdl->destroy_semaphore(playback.ended);
            }
        }
        sdl->quit_subsystem(SDL_INIT_AUDIO);
        return nullptr;
    }
    return state;
}

bool SdlAudioDevice::open() {
    if (state_) {
        return true;
    }
    state_ = open_output();
    if (!state_) {
        return false;
    }
    state_->sdl.pause_audio_device(state_->device, 0);
    return true;
}

void SdlAudioDevice::close() {
    if (!state_) {
        return;
    }
    // Closing waits for SDL's audio thread to end, so nothing reads the sounds afterwards.
    const SdlLibrary& sdl = state_->sdl;
    sdl.close_audio_device(state_->device);
    for (Playback& playback : state_->voices) {
        sdl.destroy_semaphore(playback.ended);
    }
    state_.reset();
    sdl.quit_subsystem(SDL_INIT_AUDIO);
}

std::shared_ptr<const DeviceSound> SdlAudioDevice::prepare(const WaveFormat& format,
                                                           std::span<const uint8_t> samples) {
    const SDL_AudioFormat source_format = sdl_format(format);
    const int frame_size = format.channels * format.bits_per_sample / 8;
    if (!state_ || source_format == 0 || format.channels < 1 || format.channels > 8 ||
        format.block_align != frame_size || format.samples_per_second < 100 ||
        format.samples_per_second > 200000) {
        return nullptr;
    }
    const SDL_AudioSpec& out = state_->output_format;
    const std::size_t frames = samples.size() / static_cast<std::size_t>(frame_size);
    const std::size_t out_frame_size = SDL_AUDIO_BITSIZE(out.format) / 8 * out.channels;
    const double expected =
        static_cast<double>(frames) * out.freq / format.samples_per_second * out_frame_size;
    if (frames == 0 || expected > static_cast<double>(max_prepared_bytes)) {
        return nullptr;
    }

    SDL_AudioStream* stream = state_->sdl.new_audio_stream(
        source_format, static_cast<Uint8>(format.channels),
        static_cast<int>(format.samples_per_second), out.format, out.channels, out.freq);
    if (stream == nullptr) {
        return nullptr;
    }
    std::shared_ptr<SdlSound> sound;
    const int in_bytes = static_cast<int>(frames * static_cast<std::size_t>(frame_size));
    if (state_->sdl.audio_stream_put(stream, samples.data(), in_bytes) == 0 &&
        state_->sdl.audio_stream_flush(stream) == 0) {
        try {
            sound = std::make_shared<SdlSound>();
            sound->bytes.resize(
                static_cast<std::size_t>(state_->sdl.audio_stream_available(stream)));
            const int got = state_->sdl.audio_stream_get(stream, sound->bytes.data(),
                                                         static_cast<int>(sound->bytes.size()));
            sound->bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        } catch (const std::bad_alloc&) {
            sound.reset();
        }
    }
    state_->sdl.free_audio_stream(stream);
    if (!sound || sound->bytes.empty()) {
        return nullptr;
    }
    return sound;
}

bool SdlAudioDevice::start(Voice voice, std::shared_ptr<const DeviceSound> sound, int volume) {
    auto prepared = std::dynamic_pointer_cast<const SdlSound>(std::move(sound));
    if (!state_ || !prepared) {
        return false;
    }
    state_->sdl.lock_audio_device(state_->device);
    Playback& playback = state_->voice(voice);
    playback.sound.swap(prepared);
    playback.position = 0;
    playback.volume = std::clamp(volume, 0, 100) * SDL_MIX_MAXVOLUME / 100;
    playback.finished = false;
    while (state_->sdl.sem_try_wait(playback.ended) == 0) {
    }
    state_->sdl.unlock_audio_device(state_->device);
    // `prepared` now holds the sound that was cut off; it is freed here, not in the
    // audio thread.
    return true;
}

void SdlAudioDevice::stop(Voice voice) {
    if (!state_) {
        return;
    }
    std::shared_ptr<const SdlSound> cut_off;
    state_->sdl.lock_audio_device(state_->device);
    Playback& playback = state_->voice(voice);
    playback.sound.swap(cut_off);
    playback.finished = true;
    state_->sdl.unlock_audio_device(state_->device);
}

bool SdlAudioDevice::wait_until_finished(Voice voice, uint32_t timeout_ms) {
    if (!state_) {
        return false;
    }
    if (state_->sdl.sem_wait_timeout(state_->voice(voice).ended, timeout_ms) != 0) {
        return false;
    }
    // The last samples were handed over with one buffer still to play.
    const Uint32 buffer_ms = static_cast<Uint32>(
        (uint64_t{state_->output_format.samples} * 1000 + state_->output_format.freq - 1) /
        static_cast<uint64_t>(state_->output_format.freq));
    state_->sdl.delay(buffer_ms);
    return true;
}

} // namespace tindrel
