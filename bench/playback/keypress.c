/* Presses a key through the XTest extension `count` times, `interval` ms apart, and prints the
 * time just before each press as "SECONDS.NANOSECONDS": the start of a key-to-player latency. */
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: %s KEYSYM COUNT INTERVAL-MS\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "cannot open display\n");
        return 1;
    }
    KeyCode key = XKeysymToKeycode(display, XStringToKeysym(argv[1]));
    int count = atoi(argv[2]);
    int interval = atoi(argv[3]);
    for (int i = 0; i < count; ++i) {
        struct timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        printf("%lld.%09ld\n", (long long)now.tv_sec, now.tv_nsec);
        fflush(stdout);
        XTestFakeKeyEvent(display, key, True, CurrentTime);
        XTestFakeKeyEvent(display, key, False, CurrentTime);
        XFlush(display);
        usleep((useconds_t)interval * 1000);
    }
    XCloseDisplay(display);
    return 0;
}
