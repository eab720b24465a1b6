// How quickly the alert clip starts, and what loading the embedded resources costs at
// start-up: decoding the five pictures and preparing the clip for the device.
//
// The output is SDL's dummy driver unless SDL_AUDIODRIVER names another, so the figures
// are the program's own work, not a sound server's.
#include "core/alerts/sound/sdl_audio_device.h"
#include "core/alerts/sound/sound_output.h"
#include "core/resources/embedded_resources.h"
#include "core/resources/picture_table.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

using namespace tindrel;

constexpr int picture_numbers[] = {arrow_picture, on_ball_picture, off_ball_picture, logo_picture,
                                   banner_picture};

// One open output for the whole run, as the program has.
SoundOutput& sound() {
    static SdlAudioDevice device;
    static SoundOutput output(device);
    return output;
}

// Opening and closing the output. Runs first: the dummy driver takes one device at a time.
void BM_SoundInit(benchmark::State& state) {
    for (auto _ : state) {
        SdlAudioDevice device;
        SoundOutput output(device);
        if (!output.sound_init()) {
            state.SkipWithError("no audio output");
            return;
        }
        output.sound_shutdown();
    }
}
BENCHMARK(BM_SoundInit)->Unit(benchmark::kMillisecond);

void BM_SoundPlay(benchmark::State& state) {
    if (!sound().sound_init() || !sound().sound_load(alert_clip, alert_wav())) {
        state.SkipWithError("no audio output");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(sound().sound_play(alert_clip, 0, 100));
    }
}
BENCHMARK(BM_SoundPlay);

void BM_LoadClip(benchmark::State& state) {
    if (!sound().sound_init()) {
        state.SkipWithError("no audio output");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(sound().sound_load(alert_clip, alert_wav()));
    }
}
BENCHMARK(BM_LoadClip)->Unit(benchmark::kMicrosecond);

void BM_LoadPicture(benchmark::State& state) {
    const int number = static_cast<int>(state.range(0));
    enable_jpeg_decoding();
    for (auto _ : state) {
        benchmark::DoNotOptimize(load_picture(number, picture_jpeg(number)));
    }
    release_all_pictures();
}
BENCHMARK(BM_LoadPicture)
    ->ArgName("picture")
    ->Arg(arrow_picture)
    ->Arg(on_ball_picture)
    ->Arg(off_ball_picture)
    ->Arg(logo_picture)
    ->Arg(banner_picture)
    ->Unit(benchmark::kMicrosecond);

// What start-up spends on resources with an output already open: the five pictures, then
// the clip.
void BM_LoadAllResources(benchmark::State& state) {
    if (!sound().sound_init()) {
        state.SkipWithError("no audio output");
        return;
    }
    for (auto _ : state) {
        enable_jpeg_decoding();
        for (int number : picture_numbers) {
            benchmark::DoNotOptimize(load_picture(number, picture_jpeg(number)));
        }
        benchmark::DoNotOptimize(sound().sound_load(alert_clip, alert_wav()));
    }
    release_all_pictures();
}
BENCHMARK(BM_LoadAllResources)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    setenv("SDL_AUDIODRIVER", "dummy", 0); // a driver named by the caller wins
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    sound().sound_shutdown();
    return 0;
}
