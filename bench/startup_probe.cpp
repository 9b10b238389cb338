// Starts a program on the X display and prints, once its first window is mapped and painted, the
// milliseconds that took and the program's resident memory in KiB.
// Usage: startup_probe PROGRAM   (the screen's background must be black where the window maps)
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long residentKib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// Painted once the window's inner corner is no longer the black background it was mapped over.
bool painted(Display *display, Window window)
{
    XImage *image = XGetImage(display, window, 2, 2, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return false;
    const bool coloured = XGetPixel(image, 0, 0) != 0;
    XDestroyImage(image);
    return coloured;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PROGRAM\n", argv[0]);
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        execl(argv[1], argv[1], static_cast<char *>(nullptr));
        _exit(127);
    }

    Window window = 0;
    while (!window) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify)
            window = event.xmap.window;
    }
    while (!painted(display, window))
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    const std::chrono::duration<double, std::milli> shown
        = std::chrono::steady_clock::now() - start;

    // Let the first frame settle before reading the memory it holds.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const long kib = residentKib(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XCloseDisplay(display);
    std::printf("%.1f %ld\n", shown.count(), kib);
    return 0;
}
