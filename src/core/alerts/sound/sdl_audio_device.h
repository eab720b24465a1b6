#pragma once

#include "core/alerts/sound/audio_device.h"

#include <memory>

namespace tindrel {

// The audio output on SDL2's default device. It asks for 16-bit mono at 44100 Hz but takes
// whatever the device prefers, and converts every sound to that format when it is
// prepared; SDL's audio thread then only copies samples out. SDL_AUDIODRIVER chooses
// the driver as usual (tests use "disk"). Prepares 8-, 16- and 32-bit PCM and 32-bit
// float, 1 to 8 channels, 100 to 200000 Hz. SDL itself is loaded when the output is first
// opened; without libSDL2 the output cannot be opened. SDL is kept from catching SIGINT
// and SIGTERM, so the process still ends when the system asks it to.
class SdlAudioDevice final : public AudioDevice {
public:
    SdlAudioDevice();
    ~SdlAudioDevice() override;
    SdlAudioDevice(const SdlAudioDevice&) = delete;
    SdlAudioDevice& operator=(const SdlAudioDevice&) = delete;

    bool open() override;
    void close() override;
    std::shared_ptr<const DeviceSound> prepare(const WaveFormat& format,
                                               std::span<const uint8_t> samples) override;
    bool start(Voice voice, std::shared_ptr<const DeviceSound> sound, int volume) override;
    void stop(Voice voice) override;
    bool wait_until_finished(Voice voice, uint32_t timeout_ms) override;

private:
    struct State;

    // Loads SDL and opens its default output, paused. Null when either fails.
    static std::unique_ptr<State> open_output();

    std::unique_ptr<State> state_;
};

} // namespace tindrel
