// Launches a program on the X display in DISPLAY and prints two figures:
// the milliseconds from the launch to the map of its first normal top-level
// window, and the resident memory in KiB of its whole process tree a fixed
// time after the launch. Then ends the tree.
//
//   startup_probe SETTLE_MS PROGRAM [ARGS...]
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <map>
#include <poll.h>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Parent of every process: /proc/PID/stat's fourth field.
std::map<pid_t, pid_t> parents()
{
    std::map<pid_t, pid_t> parentOf;
    DIR *proc = opendir("/proc");
    while (dirent *entry = readdir(proc)) {
        const pid_t pid = std::atoi(entry->d_name);
        std::ifstream stat("/proc/" + std::string(entry->d_name) + "/stat");
        std::string line;
        if (pid <= 0 || !std::getline(stat, line))
            continue;
        std::istringstream rest(line.substr(line.rfind(')') + 2));
        char state;
        pid_t parent;
        rest >> state >> parent;
        parentOf[pid] = parent;
    }
    closedir(proc);
    return parentOf;
}

std::set<pid_t> tree(pid_t root)
{
    const auto parentOf = parents();
    std::set<pid_t> members{root};
    for (bool grown = true; grown;) {
        grown = false;
        for (const auto &[pid, parent] : parentOf)
            if (members.count(parent) && members.insert(pid).second)
                grown = true;
    }
    return members;
}

long residentKiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return 0;
}

// Waits for the map of a normal top-level window (menus and tips are
// override-redirect); returns false after `limit`.
bool waitForMap(Display *display, Clock::time_point limit)
{
    while (Clock::now() < limit) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect)
                return true;
        }
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        poll(&connection, 1, 5);
    }
    return false;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SETTLE_MS PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const auto settle = std::chrono::milliseconds(std::atoi(argv[1]));
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup_probe: no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point launch = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[2], argv + 2);
        _exit(127);
    }
    const bool mapped = waitForMap(display, launch + std::chrono::seconds(60));
    const double mappedMs = std::chrono::duration<double, std::milli>(Clock::now() - launch).count();
    std::this_thread::sleep_until(launch + settle);
    long resident = 0;
    const std::set<pid_t> members = tree(child);
    for (pid_t pid : members)
        resident += residentKiB(pid);
    for (pid_t pid : members)
        kill(pid, SIGKILL);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    if (!mapped) {
        std::fprintf(stderr, "startup_probe: %s mapped no window\n", argv[2]);
        return 1;
    }
    std::printf("%.1f %ld\n", mappedMs, resident);
    return 0;
}
