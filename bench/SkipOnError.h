// A benchmark whose servers fail to start or answer ends its run with the
// message, the servers stopped on the way out, instead of ending the program.
#pragma once

#include <benchmark/benchmark.h>

#include <exception>

template <typename Run>
void runOrSkip(benchmark::State& state, Run run) {
    try {
        run(state);
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}
