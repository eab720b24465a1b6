#pragma once

#include "core/alerts/sound/audio_device.h"

#include <vector>

namespace tindrel::testing {

// An output that records what it is asked to do; each part can be made to fail.
class FakeAudioDevice final : public AudioDevice {
public:
    struct Sound final : DeviceSound {
        WaveFormat format;
        std::vector<uint8_t> samples;
    };
    struct Start {
        Voice voice;
        std::shared_ptr<const DeviceSound> sound;
        int volume;
    };

    bool can_open = true;
    bool accepts_start = true;
    bool is_open = false;
    int opens = 0;
    std::vector<Start> starts;
    std::vector<Voice> stops;
    std::vector<uint32_t> waits;

    bool open() override {
        ++opens;
        is_open = can_open;
        return is_open;
    }
    void close() override { is_open = false; }
    std::shared_ptr<const DeviceSound> prepare(const WaveFormat& format,
                                               std::span<const uint8_t> samples) override {
        if (!is_open || samples.empty()) {
            return nullptr;
        }
        auto sound = std::make_shared<Sound>();
        sound->format = format;
        sound->samples.assign(samples.begin(), samples.end());
        return sound;
    }
    bool start(Voice voice, std::shared_ptr<const DeviceSound> sound, int volume) override {
        if (!is_open || !accepts_start) {
            return false;
        }
        starts.push_back({voice, std::move(sound), volume});
        return true;
    }
    void stop(Voice voice) override { stops.push_back(voice); }
    bool wait_until_finished(Voice, uint32_t timeout_ms) override {
        waits.push_back(timeout_ms);
        return true;
    }
};

} // namespace tindrel::testing
