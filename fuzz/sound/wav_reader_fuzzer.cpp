// Feeds arbitrary bytes to the WAV reader: it must never read outside them, and the
// samples it returns must lie within them.
#include "core/alerts/sound/wav_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::optional<tindrel::WaveClip> clip = tindrel::read_wav({data, size});
    if (clip) {
        const uint8_t* begin = clip->samples.data();
        const uint8_t* end = begin + clip->samples.size();
        if (!clip->samples.empty() && (begin < data || end > data + size)) {
            __builtin_trap();
        }
        // Touch every sample, as the output's conversion would.
        volatile uint8_t sum = 0;
        for (const uint8_t sample : clip->samples) {
            sum = static_cast<uint8_t>(sum + sample);
        }
    }
    return 0;
}
