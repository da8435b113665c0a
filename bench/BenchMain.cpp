// Runs every case (see BenchCase.h) and prints one table: this library's throughput, the
// general path's, each peer's, and the ratios to the best peer and to the memory floor. Each
// run is repeated and the fastest repetition counts, which is the one least disturbed by
// whatever else the machine is doing. The peers run twice: alone first, then among our runs;
// where the two figures differ by more than 5 %, something our code left behind (a dirty vector
// state, a lower clock) or the machine's noise made the comparison unfair, and the bench says so.
#include "BenchCase.h"

#include "core/KernelChoice.h"
#include "core/RowKernels.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace zvx::bench {
namespace {

class Collector : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context&) override { return true; }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred || run.iterations == 0) continue;
            const double seconds = run.cpu_accumulated_time / static_cast<double>(run.iterations);
            const std::string& name = run.run_name.function_name;
            auto found = m_best.find(name);
            if (found == m_best.end() || seconds < found->second) m_best[name] = seconds;
            std::fputc('.', stderr);
        }
    }

    // Seconds per run of the case by who, or 0 when who did not run it.
    double Seconds(const std::string& caseName, Who who) const
    {
        auto found = m_best.find(caseName + "|" + WhoName(who));
        return found == m_best.end() ? 0.0 : found->second;
    }

private:
    std::map<std::string, double> m_best;
};

std::string Rate(double amount, double seconds, double unit)
{
    if (seconds <= 0) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", amount / seconds / unit);
    return text;
}

std::string Ratio(double value)
{
    if (value <= 0) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

void PrintTable(const Collector& results)
{
    std::printf("\n%-50s %9s %7s %9s %9s %9s %9s %9s %9s\n", "case", "Mpix/s", "GB/s", "general", "SDL2", "pixman",
                "stb", "vs peer", "vs floor");
    std::printf("%-50s %9s %7s %9s %9s %9s %9s %9s %9s\n", "", "", "", "Mpix/s", "Mpix/s", "Mpix/s", "Mpix/s",
                "(>=1 ok)", "(x time)");
    for (const CaseInfo& c : Cases()) {
        const double ours = results.Seconds(c.name, Who::Ours);
        const double sdl = results.Seconds(c.name, Who::Sdl2);
        const double pixman = results.Seconds(c.name, Who::Pixman);
        const double stb = results.Seconds(c.name, Who::Stb);
        const double floor = results.Seconds(c.name, Who::Floor);
        double bestPeer = 0;
        for (double peer : {sdl, pixman, stb}) {
            if (peer > 0 && (bestPeer == 0 || peer < bestPeer)) bestPeer = peer;
        }
        std::printf("%-50s %9s %7s %9s %9s %9s %9s %9s %9s\n", c.name.c_str(), Rate(c.pixels, ours, 1e6).c_str(),
                    Rate(c.bytes, ours, 1e9).c_str(),
                    Rate(c.pixels, results.Seconds(c.name, Who::General), 1e6).c_str(),
                    Rate(c.pixels, sdl, 1e6).c_str(), Rate(c.pixels, pixman, 1e6).c_str(),
                    Rate(c.pixels, stb, 1e6).c_str(), Ratio(ours > 0 && bestPeer > 0 ? bestPeer / ours : 0).c_str(),
                    Ratio(ours > 0 && floor > 0 ? ours / floor : 0).c_str());
    }
    std::printf(
        "\nvs peer: the best peer's time / ours (above 1: we are faster). vs floor: our time / the case's\n"
        "memory floor (memcpys moving the same bytes). Fastest of the repetitions, CPU time, one process.\n");
}

// The processor, as the system names it, with its family, model and stepping (which tell its
// generation where the name does not).
std::string ProcessorName()
{
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::map<std::string, std::string> fields;
    std::string line;
    while (std::getline(cpuinfo, line) && !line.empty()) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::string key = line.substr(0, colon);
        key.erase(key.find_last_not_of(" \t") + 1);
        fields.emplace(key, colon + 2 <= line.size() ? line.substr(colon + 2) : "");
    }
    if (fields.empty()) return "(unknown: no /proc/cpuinfo)";
    return fields["model name"] + " (" + fields["vendor_id"] + ", family " + fields["cpu family"] + ", model " +
           fields["model"] + ", stepping " + fields["stepping"] + ")";
}

// Which processor, which row kernels may run and what the run was told: a run held to AVX2 on a
// processor with AVX-512 (ZVX_SIMD for ours, GLIBC_TUNABLES for glibc's memcpy and memset, which
// SDL and the floor use) stands for a processor without it. pixman and SDL choose no AVX-512
// code of their own. Then the kernel each operation uses, as measured at first use, with the
// times measured.
void PrintConditions()
{
    const char* simd = std::getenv("ZVX_SIMD");
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    std::printf("processor: %s\n", ProcessorName().c_str());
    std::printf("row kernels: up to %s (the processor's widest: %s; ZVX_SIMD=%s); GLIBC_TUNABLES=%s\n",
                RowSimdName(BestRowSimd()), RowSimdName(ProcessorRowSimd()), simd != nullptr ? simd : "(unset)",
                tunables != nullptr ? tunables : "(unset)");
    std::printf("chosen: %s\n", zvx::DescribeChosenKernels().c_str());
}

// Each peer's figure among our runs against its figure alone.
void PrintFairness(const Collector& alone, const Collector& among)
{
    int unfair = 0;
    for (const CaseInfo& c : Cases()) {
        for (const Who who : {Who::Sdl2, Who::Pixman, Who::Stb}) {
            const double first = alone.Seconds(c.name, who);
            const double second = among.Seconds(c.name, who);
            if (first <= 0 || second <= 0 || (second <= 1.05 * first && first <= 1.05 * second)) continue;
            std::printf("fairness: %s in \"%s\" took %+.1f %% among our runs against alone\n", WhoName(who),
                        c.name.c_str(), (second / first - 1) * 100);
            ++unfair;
        }
    }
    if (unfair == 0) std::printf("fairness: every peer's figure among our runs is within 5 %% of its figure alone\n");
}

// The targets: our time / the reference's time, lower is better.
void PrintTargets(const Collector& results)
{
    std::printf("\n%-78s %6s %8s\n", "target: our time / the reference's, lower is better", "ratio", "limit");
    for (const Target& t : Targets()) {
        const double ours = results.Seconds(t.ourCase, Who::Ours);
        const double reference = results.Seconds(t.refCase, t.ref);
        const bool measured = ours > 0 && reference > 0;
        const double ratio = measured ? ours / reference : 0;
        char limit[32] = "";
        if (t.limit > 0) std::snprintf(limit, sizeof limit, "<= %.2f", t.limit);
        const char* verdict = !measured ? "not run" : t.limit <= 0 ? "reported" : ratio <= t.limit ? "met" : "MISSED";
        char measuredRatio[32] = "-";
        if (measured) std::snprintf(measuredRatio, sizeof measuredRatio, "%.3f", ratio);
        std::printf("%-78s %6s %8s  %s\n", t.what.c_str(), measuredRatio, t.limit > 0 ? limit : "-", verdict);
    }
}

}  // namespace
}  // namespace zvx::bench

int main(int argc, char** argv)
{
    using namespace zvx::bench;
    // Defaults that keep a whole run to a few minutes on two shared cores; any of them can be
    // overridden. Many short repetitions, interleaved at random, give every runner as many
    // chances as the others to meet a quiet moment of a loaded machine, whose fastest counts.
    std::vector<char*> args(argv, argv + argc);
    char repetitions[] = "--benchmark_repetitions=6";
    char minTime[] = "--benchmark_min_time=0.05";
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, {repetitions, minTime, interleave});
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;

    AddFrameCases();
    AddExchangeCases();
    AddComposeCases();
    AddDrawCases();

    PrintConditions();
    std::fflush(stdout);
    Collector alone;
    RunPeersAlone(true);
    benchmark::RunSpecifiedBenchmarks(&alone);
    RunPeersAlone(false);
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    std::fputc('\n', stderr);
    std::printf("learned from large work: %s\n", zvx::DescribeLearnedWays().c_str());
    PrintFairness(alone, collector);
    PrintTable(collector);
    PrintTargets(collector);
    benchmark::Shutdown();
    return 0;
}
