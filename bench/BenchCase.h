// The benchmark cases and who runs them. Every case is run by this library and, where there is
// an equivalent, by its peers and by the memory floor, all in one process, so the tables can
// give ratios measured side by side.
//
// Fairness: every runner builds what it works on before its timed loop, writes every page of it
// (an untouched calloc'd or mmap'd page reads the shared zero page and looks faster than it is),
// runs its operation once untimed, and then reuses the same images in every iteration, as an
// application reuses its back buffer.
#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

namespace zvx::bench {

enum class Who { Ours, General, Sdl2, Stb, Pixman, Floor };

struct CaseInfo {
    std::string name;
    double pixels = 0;  // pixels produced per run of the case
    double bytes = 0;   // bytes that must be read plus bytes that must be written
};

const std::vector<CaseInfo>& Cases();
const char* WhoName(Who who);

// Declares a case and registers its memory floor: memcpys of the given sizes in bytes, one after
// the other, each from the previous one's target (by default one memcpy moving `bytes`, read
// plus written).
void AddCase(const std::string& name, double pixels, double bytes, std::vector<double> floorCopies = {});

void RegisterRun(const std::string& caseName, Who who, void (*body)(benchmark::State&, const void*),
                 const void* context);
// While alone, only the peers' runs are made; ours and the floors are skipped.
void RunPeersAlone(bool alone);

// Registers fn(state) as who's run of the case. fn owns its setup: it builds what it needs
// before the timed loop, so nothing large is held between cases.
template <class Fn>
void AddRun(const std::string& caseName, Who who, Fn fn)
{
    auto* owned = new Fn(std::move(fn));  // lives as long as the registered benchmark
    RegisterRun(
        caseName, who, [](benchmark::State& state, const void* p) { (*static_cast<const Fn*>(p))(state); }, owned);
}

// One target: our time in ourCase divided by who's time in refCase (lower is better). A limit of
// 0 means the ratio is only reported.
struct Target {
    std::string what;
    std::string ourCase;
    std::string refCase;
    Who ref = Who::Sdl2;
    double limit = 0;
};
void AddTarget(Target target);
const std::vector<Target>& Targets();

// The groups of cases.
void AddFrameCases();
void AddExchangeCases();
void AddComposeCases();
void AddDrawCases();

}  // namespace zvx::bench
