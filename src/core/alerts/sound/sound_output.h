#pragma once

// SoundOutput plays the alert clip and the stop beeps. Usage at start-up, during a scan
// and at shutdown (the front end owns the objects):
//
//   SdlAudioDevice device;
//   SoundOutput sound(device);
//   if (!sound.sound_init()) { /* "No sound card found !" */ }
//   else { sound.sound_load(alert_clip, alert_wav()); }
//   sound.sound_play(alert_clip, 0, 100);   // returns at once
//   sound.beep(2000, 100);                  // returns when the tone has ended
//   sound.sound_shutdown();
//
// All calls belong on the user-interface thread. The clip plays inside the audio device,
// so it is heard whichever window is in front.

#include "core/alerts/sound/audio_device.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>

namespace tindrel {

// Waits `ms` milliseconds on the monotonic clock, resuming after signals.
void pause_ms(uint32_t ms);

class SoundOutput {
public:
    // `pause` is how a beep without a device keeps its time; tests pass a fake clock's.
    explicit SoundOutput(AudioDevice& device, std::function<void(uint32_t ms)> pause = pause_ms);
    ~SoundOutput();
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;

    // Opens the output device. True when it is open (at once when it already was), false
    // when no output device can be opened; the program then runs without sound.
    bool sound_init();

    // Reads the RIFF/WAVE clip in `bytes` (see read_wav) and keeps it under `clip_number`,
    // converted for the device, releasing what the number held before. False, with the
    // number left as it was, when the output is not open, the clip is malformed or its
    // format cannot be played (not 8-, 16- or 32-bit PCM or 32-bit float, a block
    // alignment that does not match, no samples).
    bool sound_load(int clip_number, std::span<const uint8_t> bytes);

    // Starts clip `clip_number` from its first sample and returns at once; a play while
    // the clip still sounds restarts it, nothing overlaps or queues. `flags` 0 plays once;
    // other flags are ignored. `volume` is a percentage of the recorded level (100: as
    // recorded), clamped to 0..100. False when the number holds no clip or the device
    // refuses; nothing is heard then.
    bool sound_play(int clip_number, uint32_t flags, int volume);

    // Stops and releases every clip and closes the device. Harmless when sound_init never
    // ran or failed.
    void sound_shutdown();

    // Sounds a tone of `frequency_hz` for `milliseconds` and returns when it has ended,
    // over a clip that may be playing. Without a device, or for a frequency the output
    // cannot play, it waits silently for the same time.
    void beep(int frequency_hz, int milliseconds);

    bool is_open() const { return open_; }

private:
    AudioDevice& device_;
    std::function<void(uint32_t ms)> pause_;
    bool open_ = false;
    std::map<int, std::shared_ptr<const DeviceSound>> clips_;
    std::shared_ptr<const DeviceSound> last_played_;
};

} // namespace tindrel
