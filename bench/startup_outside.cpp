// Start-up seen from outside, as a child waiting for the window sees it: the
// time from fork() to the first frame of the program's window on the X server
// that is not blank, for the game and for a bare Qt program showing the same
// room, started alternately. Also the time the window is mapped, and the
// peak resident memory two seconds after that frame (deferred start-up work
// included). Run it on an X server of its own:
//   xvfb-run -a -s "-screen 0 1024x768x24" build/bench/startup_outside [runs [game [bare]]]
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
// the room has hundreds of colours.
bool showsPicture(Display *display, Window window, int width, int height)
{
    XImage *image = XGetImage(display, window, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!image)
        return false;
    std::set<unsigned long> colours;
    for (int y = 0; y < height && colours.size() < 16; y += 5)
        for (int x = 0; x < width && colours.size() < 16; x += 5)
            colours.insert(XGetPixel(image, x, y));
    XDestroyImage(image);
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

Start measure(Display *display, const char *program, const std::string &home)
{
    const std::vector<Window> before = topLevels(display);
    Start start;
    const double forked = nowMs();
    const pid_t pid = fork();
    if (pid == 0) {
        // Settings, board and instance socket of the run's own.
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"})
            setenv(name, home.c_str(), 1);
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

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

struct Series
{
    std::vector<double> mapped, frame, peak;
    void add(const Start &start)
    {
        mapped.push_back(start.mappedMs);
        frame.push_back(start.frameMs);
        peak.push_back(start.peakMb);
    }
    void print(const char *name) const
    {
        std::printf("%-6s first frame %6.1f ms (%.1f to %.1f), mapped %6.1f ms, peak %.1f MB\n", name,
                    median(frame), *std::min_element(frame.begin(), frame.end()),
                    *std::max_element(frame.begin(), frame.end()), median(mapped), median(peak));
    }
};

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 9;
    // Another build of either program may be measured in their place.
    const char *gamePath = argc > 2 ? argv[2] : GAME_PATH;
    const char *barePath = argc > 3 ? argv[3] : BARE_PATH;
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display: run it under xvfb-run -a\n");
        return 1;
    }
    XSetErrorHandler(ignoreXError);
    char folder[] = "/tmp/wordnest-startup-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    Series game, bare;
    for (int run = 0; run < runs; ++run) {
        const Start g = measure(display, gamePath, folder);
        const Start b = measure(display, barePath, folder);
        if (g.frameMs < 0 || b.frameMs < 0) {
            std::fprintf(stderr, "run %d: a window never showed its picture\n", run + 1);
            return 1;
        }
        game.add(g);
        bare.add(b);
    }
    std::printf("fork to first non-blank frame under X, median of %d interleaved runs:\n", runs);
    game.print("game");
    bare.print("bare");
    std::printf("ratio %.2f (goal <= 1.15), peak goal < 40 MB\n", median(game.frame) / median(bare.frame));
    std::filesystem::remove_all(folder);
    return 0;
}
