// Loading a target list of many fallbacks and a numbers file of many numbers,
// each at a size and at four times it: the time per element at the larger
// size over that at the smaller, about 1 when loading is linear and 4 when
// it grows with the square of the input.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "RatioReporter.h"
#include "TestSupport.h"
#include "marc/StandardNumber.h"
#include "query/BatchFileReader.h"
#include "targets/TargetList.h"

namespace {

std::string fallbackList(int count) {
    std::string xml =
        "<?xml version=\"1.0\"?>\n<ztargets><target><name>Many</name>"
        "<zurl>127.0.0.1:1/Default</zurl>";
    for (int use = 1; use <= count; ++use)
        xml += "<fallback use=\"" + std::to_string(use) + "\">4</fallback>";
    return xml + "<active>yes</active></target></ztargets>\n";
}

std::string numbersFile(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        const std::string serial = std::to_string(i);
        const std::string first12 = "978" + std::string(9 - serial.size(), '0') + serial;
        text += first12 + isbn13CheckCharacter(first12) + "\n";
    }
    return text;
}

void BM_Fallbacks(benchmark::State& state) {
    const TempDir dir;
    const std::string path = dir.file("targets.xml");
    writeFileBytes(path, fallbackList(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        TargetList list;
        if (!list.loadFile(path) || list.targets.size() != 1 ||
            list.targets.front().profile.fallbacks.size() != static_cast<size_t>(state.range(0)))
            state.SkipWithError("the list did not load whole");
    }
}
BENCHMARK(BM_Fallbacks)->Arg(50000)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_BatchNumbers(benchmark::State& state) {
    const std::string text = numbersFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::istringstream in(text);
        BatchNumberList numbers;
        if (!addBatchNumbersFrom(in, numbers).empty()) state.SkipWithError("a number was refused");
    }
}
BENCHMARK(BM_BatchNumbers)->Arg(20000)->Arg(80000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* name : {"BM_Fallbacks/50000:BM_Fallbacks/200000",
                             "BM_BatchNumbers/20000:BM_BatchNumbers/80000"}) {
        const std::string pair = name;
        const std::string small = pair.substr(0, pair.find(':'));
        const std::string large = pair.substr(pair.find(':') + 1);
        if (reporter.times[small] > 0)
            std::printf("%s per element over %s: %.2f (goal: under 1.5)\n", large.c_str(),
                        small.c_str(), reporter.times[large] / reporter.times[small] / 4);
    }
    return 0;
}
