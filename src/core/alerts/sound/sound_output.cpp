#include "core/alerts/sound/sound_output.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <ctime>
#include <numbers>
#include <vector>

namespace tindrel {
namespace {

constexpr uint32_t tone_rate = 44100;
// Quiet enough not to startle, loud enough to be heard over the alert clip.
constexpr double tone_amplitude = 0.5 * 32767;
// Short fades keep the tone's edges from clicking.
constexpr double tone_fade_s = 0.003;
// How long past its length a tone may take to be heard to its end before beep gives up
// waiting for a device that has stalled.
constexpr uint32_t tone_grace_ms = 1000;

// A sine tone as 16-bit mono PCM, little-endian.
std::vector<uint8_t> sine_tone(int frequency_hz, int milliseconds) {
    const auto count = static_cast<std::size_t>(uint64_t{tone_rate} * milliseconds / 1000);
    const double fade = tone_fade_s * tone_rate;
    std::vector<uint8_t> bytes(count * 2);
    for (std::size_t n = 0; n < count; ++n) {
        const double edge = std::min({1.0, (n + 0.5) / fade, (count - n - 0.5) / fade});
        const double phase =
            2 * std::numbers::pi * frequency_hz * static_cast<double>(n) / tone_rate;
        const auto value =
            static_cast<int16_t>(std::lround(tone_amplitude * edge * std::sin(phase)));
        bytes[2 * n] = static_cast<uint8_t>(value & 0xFF);
        bytes[2 * n + 1] = static_cast<uint8_t>((value >> 8) & 0xFF);
    }
    return bytes;
}

} // namespace

void pause_ms(uint32_t ms) {
    timespec left{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (clock_nanosleep(CLOCK_MONOTONIC, 0, &left, &left) == EINTR) {
    }
}

SoundOutput::SoundOutput(AudioDevice& device, std::function<void(uint32_t ms)> pause)
    : device_(device), pause_(std::move(pause)) {}

SoundOutput::~SoundOutput() {
    sound_shutdown();
}

bool SoundOutput::sound_init() {
    if (!open_) {
        open_ = device_.open();
    }
    return open_;
}

bool SoundOutput::sound_load(int clip_number, std::span<const uint8_t> bytes) {
    if (!open_) {
        return false;
    }
    const std::optional<WaveClip> clip = read_wav(bytes);
    if (!clip) {
        return false;
    }
    std::shared_ptr<const DeviceSound> sound = device_.prepare(clip->format, clip->samples);
    if (!sound) {
        return false;
    }
    auto& slot = clips_[clip_number];
    if (slot && slot == last_played_) {
        device_.stop(Voice::clip);
        last_played_.reset();
    }
    slot = std::move(sound);
    return true;
}

bool SoundOutput::sound_play(int clip_number, uint32_t /*flags*/, int volume) {
    const auto it = clips_.find(clip_number);
    if (!open_ || it == clips_.end()) {
        return false;
    }
    if (!device_.start(Voice::clip, it->second, std::clamp(volume, 0, 100))) {
        return false;
    }
    last_played_ = it->second;
    return true;
}

void SoundOutput::sound_shutdown() {
    if (!open_) {
        return;
    }
    device_.stop(Voice::clip);
    device_.stop(Voice::tone);
    last_played_.reset();
    clips_.clear();
    device_.close();
    open_ = false;
}

void SoundOutput::beep(int frequency_hz, int milliseconds) {
    if (milliseconds <= 0) {
        return;
    }
    const auto length = static_cast<uint32_t>(milliseconds);
    if (open_ && frequency_hz > 0 && static_cast<uint32_t>(frequency_hz) < tone_rate / 2) {
        const WaveFormat format{1, 1, tone_rate, tone_rate * 2, 2, 16};
        const std::vector<uint8_t> samples = sine_tone(frequency_hz, milliseconds);
        std::shared_ptr<const DeviceSound> tone = device_.prepare(format, samples);
        if (tone && device_.start(Voice::tone, tone, 100)) {
            device_.wait_until_finished(Voice::tone, length + tone_grace_ms);
            device_.stop(Voice::tone);
            return;
        }
    }
    pause_(length);
}

} // namespace tindrel
