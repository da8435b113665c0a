// The benchmark cases and who runs them. Every case is run by this library and, where there is
// an equivalent, by its peers and by the memory floor, all in one process, so the table can
// give ratios measured side by side.
#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

namespace zvx::bench {

enum class Who { Ours, General, Sdl2, Stb, Floor };

struct CaseInfo {
    std::string name;
    double pixels = 0;  // pixels produced per run of the case
    double bytes = 0;   // bytes that must be read plus bytes that must be written
};

const std::vector<CaseInfo>& Cases();
const char* WhoName(Who who);

// Declares a case; its memory floor (one memcpy moving the same bytes) is registered with it.
void AddCase(const std::string& name, double pixels, double bytes);

void RegisterRun(const std::string& caseName, Who who, void (*body)(benchmark::State&, const void*),
                 const void* context);

// Registers fn(state) as who's run of the case. fn owns its setup: it builds what it needs
// before the timed loop, so nothing large is held between cases.
template <class Fn>
void AddRun(const std::string& caseName, Who who, Fn fn)
{
    auto* owned = new Fn(std::move(fn));  // lives as long as the registered benchmark
    RegisterRun(
        caseName, who, [](benchmark::State& state, const void* p) { (*static_cast<const Fn*>(p))(state); },
        owned);
}

// The groups of cases.
void AddFrameCases();
void AddExchangeCases();
void AddComposeCases();
void AddDrawCases();

}  // namespace zvx::bench
