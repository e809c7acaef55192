// Whole `qvc` processes, as a user starts them: start-up (loading the
// libraries) included. The bundled example project is made once with `qvc demo`;
// then every iteration runs one process and records its wall time (the
// benchmark's time) and the CPU time the process used (counter cpu_ms).
//   qvc count DIR                  goal: under 15 ms wall
//   qvc calc DIR 1 --out FOLDER    every report of the example; goal: under 80 ms CPU

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct ProcessTimes {
    double wallSeconds = 0;
    double cpuSeconds = 0;
};

// Runs `args` with standard output and error sent to /dev/null.
ProcessTimes runProcess(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid)
        throw std::runtime_error("cannot run " + args[0]);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(args[0] + " " + args[1] + " failed");
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return {std::chrono::duration<double>(end - start).count(),
            seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}

// The qvc under test: the build's own, or another one (an installed or older
// build, for before/after figures) named by QVC_BENCH_QVC.
std::string qvcProgram() {
    const char* other = std::getenv("QVC_BENCH_QVC");
    return other != nullptr && *other != '\0' ? std::string(other) : std::string(QVC_BIN);
}

// The example project, made once per run of this program.
const fs::path& exampleFolder() {
    static const fs::path folder = [] {
        const fs::path dir = fs::temp_directory_path() / ("qvc-bench-" + std::to_string(getpid()));
        fs::remove_all(dir);
        runProcess({qvcProgram(), "demo", (dir / "demo").string()});
        std::atexit([] {
            fs::remove_all(fs::temp_directory_path() / ("qvc-bench-" + std::to_string(getpid())));
        });
        return dir;
    }();
    return folder;
}

void timeProcess(benchmark::State& state, const std::vector<std::string>& args) {
    double cpu = 0;
    for (auto _ : state) {
        const ProcessTimes t = runProcess(args);
        state.SetIterationTime(t.wallSeconds);
        cpu += t.cpuSeconds;
    }
    state.counters["cpu_ms"] =
        benchmark::Counter(cpu * 1000.0 / static_cast<double>(state.iterations()));
}

void BM_QvcCount(benchmark::State& state) {
    const fs::path project = exampleFolder() / "demo" / "Office HVAC project";
    timeProcess(state, {qvcProgram(), "count", project.string()});
}

void BM_QvcCalcEveryReport(benchmark::State& state) {
    const fs::path project = exampleFolder() / "demo" / "Office HVAC project";
    timeProcess(state, {qvcProgram(), "calc", project.string(), "1", "--out",
                        (exampleFolder() / "reports").string()});
}

}  // namespace

BENCHMARK(BM_QvcCount)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_QvcCalcEveryReport)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
