// Drawing every picture of the table once, and looking a drawn one up again.
#include "table/DesignPictures.h"
#include "table/Pictures.h"
#include <benchmark/benchmark.h>

namespace {
constexpr int LastDesignPicture = int(DesignPictureId::LocationPanel);

void DrawAllPictures(benchmark::State& state) {
    for (auto _ : state) {
        ClearPictureCache();
        // every id that could have a picture: those without one cost a look-up only
        for (int id = 100; id <= 880; ++id) benchmark::DoNotOptimize(PictureOfResource(id));
        for (int id = 0; id <= LastDesignPicture; ++id) benchmark::DoNotOptimize(DesignPicture(DesignPictureId(id)));
    }
}
BENCHMARK(DrawAllPictures)->Unit(benchmark::kMillisecond);

void LookUpDrawnPicture(benchmark::State& state) {
    PictureOfResource(348);
    for (auto _ : state) benchmark::DoNotOptimize(PictureOfResource(348));
}
BENCHMARK(LookUpDrawnPicture);
}  // namespace
