// SPDX-License-Identifier: Apache-2.0
// Runs every benchmark, then prints how each one compares with its baseline:
// a benchmark Group_Variant/args is compared with Group_Baseline/args.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(std::vector<Run> const& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (Run const& run : runs) {
            if (run.error_occurred) continue;
            // With repetitions, the fastest run is the least disturbed one;
            // when only aggregates are reported, the median stands for it.
            bool const median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.run_type != Run::RT_Iteration && !median) continue;
            Times const times{run.GetAdjustedCPUTime(), run.GetAdjustedRealTime()};
            auto [it, fresh] = times_.try_emplace(run.run_name.str(), times);
            if (!fresh) {
                it->second.cpu = std::min(it->second.cpu, times.cpu);
                it->second.real = std::min(it->second.real, times.real);
            }
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        for (auto const& [name, times] : times_) {
            std::string::size_type const slash = std::min(name.find('/'), name.size());
            std::string::size_type const group = name.rfind('_', slash);
            if (group == std::string::npos) continue;
            std::string const variant = name.substr(group + 1, slash - group - 1);
            if (variant == "Baseline") continue;
            auto const base = times_.find(name.substr(0, group) + "_Baseline" + name.substr(slash));
            if (base == times_.end() || base->second.cpu <= 0 || base->second.real <= 0) continue;
            std::printf("%s: %.2fx its baseline in CPU time, %.2fx in real time\n", name.c_str(),
                        times.cpu / base->second.cpu, times.real / base->second.real);
        }
    }

private:
    struct Times {
        double cpu;
        double real;
    };
    std::map<std::string, Times> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
