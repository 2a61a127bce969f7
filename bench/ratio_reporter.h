// Console output of the benchmarks plus each run's ratio to the reference
// pass of its group, measured in the same run so the ratios hold on a noisy
// machine, with each run's counters beside it.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // groupOf: the group of a run (runs compare with the reference of their
    // group); isReference: whether a run is its group's reference pass.
    // referenceText: what the reference pass is, for the heading.
    RatioReporter(std::function<std::string(const std::string&)> groupOf,
                  std::function<bool(const std::string&)> isReference,
                  std::string referenceText = "a lookup table over every byte of the same picture")
        : groupOf_(std::move(groupOf)), isReference_(std::move(isReference)), referenceText_(std::move(referenceText))
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration) {
                times_.emplace_back(run.benchmark_name(), run.GetAdjustedRealTime() * unitSeconds(run.time_unit));
                std::string figures;
                for (const auto& [key, counter] : run.counters) {
                    char text[96];
                    std::snprintf(text, sizeof text, "  %s %.3f", key.c_str(), double(counter));
                    figures += text;
                }
                figures_[run.benchmark_name()] = figures;
            }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::map<std::string, double> references;
        for (const auto& [name, seconds] : times_)
            if (isReference_(name))
                references[groupOf_(name)] = seconds;
        std::printf("\nRatio to the reference pass (%s):\n", referenceText_.c_str());
        for (const auto& [name, seconds] : times_) {
            const auto ref = references.find(groupOf_(name));
            if (ref != references.end() && ref->second > 0 && !isReference_(name))
                std::printf("  %-44s %9.3f ms  %6.2f x%s\n", name.c_str(), seconds * 1e3, seconds / ref->second,
                            figures_[name].c_str());
            else if (!figures_[name].empty())
                std::printf("  %-44s %9.3f ms          %s\n", name.c_str(), seconds * 1e3, figures_[name].c_str());
        }
    }

private:
    static double unitSeconds(benchmark::TimeUnit unit)
    {
        switch (unit) {
        case benchmark::kNanosecond: return 1e-9;
        case benchmark::kMicrosecond: return 1e-6;
        case benchmark::kMillisecond: return 1e-3;
        default: return 1;
        }
    }

    std::function<std::string(const std::string&)> groupOf_;
    std::function<bool(const std::string&)> isReference_;
    std::string referenceText_;
    std::vector<std::pair<std::string, double>> times_;
    // Each run's counters (memory figures and the like), printed beside its ratio.
    std::map<std::string, std::string> figures_;
};

// "name/4000/3000/..." -> "4000/3000": a group of the runs on one picture
// size, which compare with the reference of that size.
inline std::string pictureSizeOf(const std::string& name)
{
    const size_t a = name.find('/');
    const size_t b = name.find('/', name.find('/', a + 1) + 1);
    return name.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1);
}
