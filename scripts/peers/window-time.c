// Starts a program and tells when its first window appears on the X display: prints
// its pid, the seconds from the start to the window's mapping and the CPU seconds all
// its threads had used by then. The program is left running.
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <dirent.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double Now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

// The time on the CPU of every thread of the process, from the scheduler's own count.
static double CpuSeconds(pid_t pid)
{
    char path[64];
    snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
    DIR* tasks = opendir(path);
    if (!tasks)
        return -1;
    double total = 0;
    struct dirent* task;
    while ((task = readdir(tasks))) {
        if (task->d_name[0] == '.')
            continue;
        char file[400];
        snprintf(file, sizeof file, "%s/%s/schedstat", path, task->d_name);
        FILE* f = fopen(file, "r");
        unsigned long long ns = 0;
        if (f && fscanf(f, "%llu", &ns) == 1)
            total += ns / 1e9;
        if (f)
            fclose(f);
    }
    closedir(tasks);
    return total;
}

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: window-time TIMEOUT_SECONDS PROGRAM [ARGS...]\n");
        return 2;
    }
    const double timeout = atof(argv[1]);
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "window-time: no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    const double start = Now();
    const pid_t pid = fork();
    if (pid == 0) {
        close(ConnectionNumber(display));
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            // A top-level window of the program; menus and tips skip the window manager.
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                const double seconds = Now() - start;
                printf("%d %.4f %.4f\n", (int)pid, seconds, CpuSeconds(pid));
                return 0;
            }
        }
        int status;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            fprintf(stderr, "window-time: %s ended before showing a window\n", argv[2]);
            return 1;
        }
        if (Now() - start > timeout) {
            fprintf(stderr, "window-time: no window from %s in %.0f s\n", argv[2], timeout);
            printf("%d -1 -1\n", (int)pid);
            return 1;
        }
        struct pollfd watch = {ConnectionNumber(display), POLLIN, 0};
        poll(&watch, 1, 20);
    }
}
