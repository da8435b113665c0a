#include "BenchCase.h"

#include <cstring>
#include <vector>

namespace zvx::bench {
namespace {

std::vector<CaseInfo>& MutableCases()
{
    static std::vector<CaseInfo> cases;
    return cases;
}

}  // namespace

const std::vector<CaseInfo>& Cases() { return MutableCases(); }

const char* WhoName(Who who)
{
    switch (who) {
    case Who::Ours: return "zvx";
    case Who::General: return "general";
    case Who::Sdl2: return "sdl2";
    case Who::Stb: return "stb";
    case Who::Floor: return "floor";
    }
    return "?";
}

void RegisterRun(const std::string& caseName, Who who, void (*body)(benchmark::State&, const void*),
                 const void* context)
{
    const std::string name = caseName + "|" + WhoName(who);
    benchmark::RegisterBenchmark(name.c_str(), [body, context](benchmark::State& state) { body(state, context); });
}

void AddCase(const std::string& name, double pixels, double bytes)
{
    MutableCases().push_back({name, pixels, bytes});
    // A memcpy reads and writes each byte once, so moving `bytes` takes a copy of half of them.
    const auto half = static_cast<std::size_t>(bytes / 2);
    AddRun(name, Who::Floor, [half](benchmark::State& state) {
        std::vector<unsigned char> from(half, 1);
        std::vector<unsigned char> to(half, 0);
        for (auto _ : state) {
            std::memcpy(to.data(), from.data(), half);
            benchmark::DoNotOptimize(to.data());
            benchmark::ClobberMemory();
        }
    });
}

}  // namespace zvx::bench
