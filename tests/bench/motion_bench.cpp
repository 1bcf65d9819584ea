// One tick of the motion timer against the fake windows: the chain moving every tick (four
// window moves, the worst case), and the chain held (the usual idle tick).

#include "fakes/motion_chain.h"
#include <benchmark/benchmark.h>

namespace miruteka {
namespace {

using Chain = MotionChain;

void TickMovingTheChain(benchmark::State& run) {
    Chain chain;
    // The pointer circles, so every tick travels far enough and bends the chain.
    const Point path[] = {{600, 500}, {600, 600}, {500, 600}, {500, 500}};
    std::size_t step = 0;
    for (auto _ : run) {
        chain.pointer.position = path[step++ % std::size(path)];
        chain.motion.Timer1_Timer();
        benchmark::DoNotOptimize(chain.windows.frames);
    }
    if (chain.windows.movesOf(1) == 0) {
        run.SkipWithError("the chain never moved");
    }
}
BENCHMARK(TickMovingTheChain);

void TickWhileHeld(benchmark::State& run) {
    Chain chain;
    chain.state.blnMouseOnIcon = true;
    chain.state.lngMouseX = 600;
    chain.state.lngMouseY = 500;
    chain.pointer.position = {600, 500};
    for (auto _ : run) {
        chain.motion.Timer1_Timer();
        benchmark::DoNotOptimize(chain.state.blnMouseOnIcon);
    }
    if (chain.windows.logSize != 0) {
        run.SkipWithError("the held chain moved");
    }
}
BENCHMARK(TickWhileHeld);

} // namespace
} // namespace miruteka

BENCHMARK_MAIN();
