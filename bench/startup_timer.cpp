// Measures how long programs take from being started to their first window being mapped on the
// X display, and to the first drawing into that window (its first frame, seen through the DAMAGE
// extension), the processor time its threads had used when the window was mapped (which a busy
// machine changes less than the times), and their peak memory (VmHWM) once that window is up.
// Each program is run in turns, each run starting with the next one, with a fresh settings and
// runtime folder each time; the medians are printed.
//
//   startup_timer RUNS PROGRAM [PROGRAM ...]
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

struct Sample {
    double mappedMs;
    double cpuMs;
    double paintedMs;
    long peakKiB;
};

int g_damageEvent = 0;

// The programs' windows come and go; requests about one that has gone are harmless.
int IgnoreXErrors(Display *, XErrorEvent *)
{
    return 0;
}

// The processor time the process's threads have used so far, in milliseconds (from the scheduler's
// statistics, in nanoseconds).
double CpuMs(pid_t pid)
{
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    double total = 0;
    if (DIR *folder = opendir(tasks.c_str())) {
        while (const dirent *task = readdir(folder)) {
            std::ifstream stat(tasks + "/" + task->d_name + "/schedstat");
            unsigned long long ns = 0;
            if (task->d_name[0] != '.' && stat >> ns)
                total += static_cast<double>(ns) / 1e6;
        }
        closedir(folder);
    }
    return total;
}

long PeakKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

bool RunOnce(Display *display, const char *program, int run, Sample &sample)
{
    char folder[] = "/tmp/larkspire-startup.XXXXXX";
    if (!mkdtemp(folder))
        return false;
    const std::string root = folder;
    const std::string config = root + "/config", runtime = root + "/runtime";
    mkdir(config.c_str(), 0700);
    mkdir(runtime.c_str(), 0700);

    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, True);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }
    bool mapped = false;
    bool painted = false;
    Damage damage = 0;
    auto mappedAt = start, paintedAt = start;
    const auto deadline = start + std::chrono::seconds(20);
    while (!painted && std::chrono::steady_clock::now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (!mapped && event.type == MapNotify && !event.xmap.override_redirect) {
                mapped = true;
                mappedAt = std::chrono::steady_clock::now();
                sample.cpuMs = CpuMs(pid);
                damage = XDamageCreate(display, event.xmap.window, XDamageReportNonEmpty);
                XSync(display, False);
            } else if (mapped && event.type == g_damageEvent + XDamageNotify) {
                painted = true;
                paintedAt = std::chrono::steady_clock::now();
                break;
            }
        }
        if (!painted)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    (void)damage; // freed by the server with the window
    // Let the first paint finish before reading the peak.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    sample.mappedMs = std::chrono::duration<double, std::milli>(mappedAt - start).count();
    sample.paintedMs = std::chrono::duration<double, std::milli>(paintedAt - start).count();
    sample.peakKiB = PeakKiB(pid);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    XSelectInput(display, DefaultRootWindow(display), NoEventMask);
    std::system(("rm -rf '" + root + "'").c_str());
    (void)run;
    return painted;
}

template <typename T>
T Median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS PROGRAM [PROGRAM ...]\n", argv[0]);
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display (set DISPLAY, e.g. under Xvfb)\n");
        return 2;
    }
    XSetErrorHandler(IgnoreXErrors);
    int damageError = 0;
    if (!XDamageQueryExtension(display, &g_damageEvent, &damageError)) {
        std::fprintf(stderr, "the X server has no DAMAGE extension\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const int programs = argc - 2;
    std::vector<std::vector<double>> times(static_cast<std::size_t>(programs));
    std::vector<std::vector<double>> paints(static_cast<std::size_t>(programs));
    std::vector<std::vector<double>> cpus(static_cast<std::size_t>(programs));
    std::vector<std::vector<long>> peaks(static_cast<std::size_t>(programs));
    for (int run = 0; run < runs; ++run) {
        // Each run starts with the next program, so that none always runs first.
        for (int turn = 0; turn < programs; ++turn) {
            const int p = (run + turn) % programs;
            Sample sample{};
            if (!RunOnce(display, argv[2 + p], run, sample)) {
                std::fprintf(stderr, "%s showed and painted no window\n", argv[2 + p]);
                return 1;
            }
            times[static_cast<std::size_t>(p)].push_back(sample.mappedMs);
            paints[static_cast<std::size_t>(p)].push_back(sample.paintedMs);
            cpus[static_cast<std::size_t>(p)].push_back(sample.cpuMs);
            peaks[static_cast<std::size_t>(p)].push_back(sample.peakKiB);
        }
    }
    std::printf("%-32s %12s %14s %16s %12s\n", "program", "mapped ms", "first frame ms", "CPU to map ms",
                "peak KiB");
    for (int p = 0; p < programs; ++p) {
        const auto i = static_cast<std::size_t>(p);
        std::printf("%-32s %12.1f %14.1f %16.1f %12ld\n", argv[2 + p], Median(times[i]), Median(paints[i]),
                    Median(cpus[i]), Median(peaks[i]));
    }
    if (programs >= 2) {
        std::printf("ratio first/second: mapped %.2f, first frame %.2f, CPU to map %.2f, peak memory %.2f (medians of "
                    "%d runs)\n",
                    Median(times[0]) / Median(times[1]), Median(paints[0]) / Median(paints[1]),
                    Median(cpus[0]) / Median(cpus[1]),
                    static_cast<double>(Median(peaks[0])) / static_cast<double>(Median(peaks[1])), runs);
    }
    XCloseDisplay(display);
    return 0;
}
