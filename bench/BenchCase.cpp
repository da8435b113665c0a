#include "BenchCase.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace zvx::bench {
namespace {

std::vector<CaseInfo>& MutableCases()
{
    static std::vector<CaseInfo> cases;
    return cases;
}

std::vector<Target>& MutableTargets()
{
    static std::vector<Target> targets;
    return targets;
}

// Every registered run, by case.
std::multimap<std::string, benchmark::internal::Benchmark*>& Runs()
{
    static std::multimap<std::string, benchmark::internal::Benchmark*> runs;
    return runs;
}

// The cases a target compares are repeated more often than the others: on a loaded machine the
// ratio of two fastest repetitions settles only with many of them.
constexpr int kTargetRepetitions = 16;

}  // namespace

const std::vector<CaseInfo>& Cases() { return MutableCases(); }
const std::vector<Target>& Targets() { return MutableTargets(); }
void AddTarget(Target target)
{
    for (const std::string* name : {&target.ourCase, &target.refCase}) {
        const auto runs = Runs().equal_range(*name);
        for (auto run = runs.first; run != runs.second; ++run) run->second->Repetitions(kTargetRepetitions);
    }
    MutableTargets().push_back(std::move(target));
}

const char* WhoName(Who who)
{
    switch (who) {
    case Who::Ours: return "zvx";
    case Who::General: return "general";
    case Who::Sdl2: return "sdl2";
    case Who::Stb: return "stb";
    case Who::Pixman: return "pixman";
    case Who::Floor: return "floor";
    }
    return "?";
}

namespace {
bool g_peersAlone = false;
}  // namespace

void RunPeersAlone(bool alone) { g_peersAlone = alone; }

void RegisterRun(const std::string& caseName, Who who, void (*body)(benchmark::State&, const void*),
                 const void* context)
{
    const std::string name = caseName + "|" + WhoName(who);
    const bool peer = who == Who::Sdl2 || who == Who::Pixman || who == Who::Stb;
    Runs().emplace(caseName, benchmark::RegisterBenchmark(name.c_str(), [body, context, peer](benchmark::State& state) {
                       if (!peer && g_peersAlone) {
                           state.SkipWithError("the peers run alone");
                           return;
                       }
                       body(state, context);
                   }));
}

void AddCase(const std::string& name, double pixels, double bytes, std::vector<double> floorCopies)
{
    MutableCases().push_back({name, pixels, bytes});
    // A memcpy reads and writes each byte once, so moving `bytes` takes a copy of half of them.
    if (floorCopies.empty()) floorCopies.push_back(bytes / 2);
    AddRun(name, Who::Floor, [floorCopies](benchmark::State& state) {
        std::size_t largest = 0;
        for (const double copy : floorCopies) largest = std::max(largest, static_cast<std::size_t>(copy));
        // Buffer k + 1 receives copy k from buffer k; every page written before timing.
        std::vector<std::vector<unsigned char>> buffers(floorCopies.size() + 1, std::vector<unsigned char>(largest, 1));
        const auto copyAll = [&] {
            for (std::size_t k = 0; k < floorCopies.size(); ++k) {
                std::memcpy(buffers[k + 1].data(), buffers[k].data(), static_cast<std::size_t>(floorCopies[k]));
            }
        };
        copyAll();
        for (auto _ : state) {
            copyAll();
            benchmark::DoNotOptimize(buffers.back().data());
            benchmark::ClobberMemory();
        }
    });
}

}  // namespace zvx::bench
