#pragma once

#include "core/alerts/sound/wav_reader.h"

#include <cstdint>
#include <memory>
#include <span>

namespace tindrel {

// Samples already converted to the output's own format, ready to be copied out as they
// are. Only the device that prepared a sound knows its layout.
struct DeviceSound {
    virtual ~DeviceSound() = default;
};

// The two independent voices of the output: clips and tones play over each other, as a
// system beep does over a playing sound; each voice plays one sound at a time.
enum class Voice { clip, tone };

// The audio output behind SoundOutput, so that its logic can be tested with a fake or a
// failing device. Called from the user-interface thread only.
class AudioDevice {
public:
    virtual ~AudioDevice() = default;

    // Opens the default output device. False when none can be opened.
    virtual bool open() = 0;

    // Silences and closes the output; harmless when it is not open.
    virtual void close() = 0;

    // Converts PCM `samples` in `format` to the output's format, once, so that playing
    // needs no further work. Null when the output is not open, the format is not one it
    // can convert, or there are no whole sample frames.
    virtual std::shared_ptr<const DeviceSound> prepare(const WaveFormat& format,
                                                       std::span<const uint8_t> samples) = 0;

    // Starts `sound` on `voice` from its first sample, at `volume` percent of its recorded
    // level (0 to 100), cutting off whatever that voice was playing. Returns at once; false
    // when the output is not open or refuses.
    virtual bool start(Voice voice, std::shared_ptr<const DeviceSound> sound, int volume) = 0;

    // Silences `voice` at once.
    virtual void stop(Voice voice) = 0;

    // Blocks until the sound started last on `voice` has been played to its end, or for at
    // most `timeout_ms`. False on time-out.
    virtual bool wait_until_finished(Voice voice, uint32_t timeout_ms) = 0;
};

} // namespace tindrel
