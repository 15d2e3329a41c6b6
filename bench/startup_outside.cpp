// Start-up seen from outside, as a child waiting for the window sees it: the
// time from fork() to the first frame of the program's window on the X server
// that is not blank, for the game and for a bare Qt program showing the same
// room, started alternately. Also the time the window is mapped, and the
// peak resident memory two seconds after that frame (deferred start-up work
// included). Run it on an X server of its own:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bench/startup_outside [runs [program... bare]]
// STARTUP_SETTINGS=FILE starts every run with FILE as the game's settings
// (a class of children, say).
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

double nowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// A window vanishing between two requests is no reason to stop measuring.
int ignoreXError(Display *, XErrorEvent *) { return 0; }

struct Start
{
    double mappedMs = -1;
    double frameMs = -1;
    double peakMb = -1;
};

std::vector<Window> topLevels(Display *display)
{
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    std::vector<Window> windows;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) && children) {
        windows.assign(children, children + count);
        XFree(children);
    }
    return windows;
}

// Unpainted, a window shows the root's two-colour weave or one flat colour;
// the room has hundreds of colours. Three rows across the window tell them
// apart without holding up the X server the programs are drawing through.
bool showsPicture(Display *display, Window window, int width, int height)
{
    std::set<unsigned long> colours;
    for (int row = 1; row <= 3; ++row) {
        XImage *image = XGetImage(display, window, 0, height * row / 4, unsigned(width), 1, AllPlanes, ZPixmap);
        if (!image)
            return false;
        for (int x = 0; x < width; x += 3)
            colours.insert(XGetPixel(image, x, 0));
        XDestroyImage(image);
    }
    return colours.size() >= 16;
}

double peakMbOf(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    return -1;
}

Start measure(Display *display, const char *program, const std::string &home, const std::string &runtime)
{
    const std::vector<Window> before = topLevels(display);
    Start start;
    const double forked = nowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        // Settings, board and instance socket of the run's own.
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            setenv(name, home.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }
    while (start.frameMs < 0 && nowMs() - forked < 20000) {
        for (Window window : topLevels(display)) {
            if (std::find(before.begin(), before.end(), window) != before.end())
                continue;
            XWindowAttributes attributes{};
            if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable
                || attributes.width < 300 || attributes.height < 300)
                continue;
            const double now = nowMs() - forked;
            if (start.mappedMs < 0)
                start.mappedMs = now;
            if (showsPicture(display, window, attributes.width, attributes.height)) {
                start.frameMs = now;
                break;
            }
        }
        usleep(500);
    }
    usleep(2000 * 1000);
    start.peakMb = peakMbOf(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return start;
}

// The value below which `share` of the runs lie: 0.5 is the median; a low
// share shows the program's own cost with less of the machine's load in it.
double quantile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values[size_t(share * double(values.size() - 1) + 0.5)];
}

struct Series
{
    std::string name;
    std::vector<double> mapped, frame, peak;
    void add(const Start &start)
    {
        mapped.push_back(start.mappedMs);
        frame.push_back(start.frameMs);
        peak.push_back(start.peakMb);
    }
};

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 9;
    // Other builds may be measured alongside; the last program is the floor.
    std::vector<Series> programs;
    for (int i = 2; i < argc; ++i)
        programs.push_back({argv[i], {}, {}, {}});
    if (programs.empty())
        programs = {{GAME_PATH, {}, {}, {}}, {BARE_PATH, {}, {}, {}}};
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display: run it under xvfb-run -a\n");
        return 1;
    }
    XSetErrorHandler(ignoreXError);
    char folder[] = "/tmp/wordnest-startup-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    if (const char *settings = std::getenv("STARTUP_SETTINGS")) {
        std::filesystem::create_directories(std::string(folder) + "/wordnest");
        std::filesystem::copy_file(settings, std::string(folder) + "/wordnest/wordnest.conf");
    }
    // A desktop session's runtime folder is in memory (/run/user/ID), where
    // the instance lock's sync to disk costs nothing; /dev/shm is the same kind.
    char runtimeFolder[] = "/dev/shm/wordnest-startup-XXXXXX";
    const std::string runtime = mkdtemp(runtimeFolder) ? runtimeFolder : folder;
    for (int run = 0; run < runs; ++run) {
        for (Series &program : programs) {
            const Start start = measure(display, program.name.c_str(), folder, runtime);
            if (start.frameMs < 0) {
                std::fprintf(stderr, "%s never showed its picture\n", program.name.c_str());
                return 1;
            }
            program.add(start);
        }
    }
    std::filesystem::remove_all(folder);
    std::filesystem::remove_all(runtime);
    const Series &floor = programs.back();
    std::printf("fork to the first non-blank frame on the X server, %d interleaved runs (ms):\n", runs);
    std::printf("%-8s %-8s %-8s %-8s %-8s %-8s %s\n", "median", "quarter", "least", "mapped", "ratio", "peak MB", "program");
    for (const Series &program : programs)
        std::printf("%-8.1f %-8.1f %-8.1f %-8.1f %-8.2f %-8.1f %s\n", quantile(program.frame, 0.5),
                    quantile(program.frame, 0.25), quantile(program.frame, 0), quantile(program.mapped, 0.5),
                    quantile(program.frame, 0.5) / quantile(floor.frame, 0.5), quantile(program.peak, 1),
                    program.name.c_str());
    std::printf("goals: at most 1.15 times the last program (median), peak under 40 MB\n");
    return 0;
}
