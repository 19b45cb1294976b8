/* A player for timing: answers identify runs like a 320x240 avi and notes, in $BENCH_KEYLOG, the
 * arrival time of every line it is sent, as "SECONDS.NANOSECONDS LINE". Ends on end of input. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "-identify") == 0) {
            puts("ID_DEMUXER=avi\nID_VIDEO_WIDTH=320\nID_VIDEO_HEIGHT=240\n"
                 "ID_VIDEO_FPS=25.000\nID_LENGTH=30.00");
            return 0;
        }
    }
    FILE* log = fopen(getenv("BENCH_KEYLOG") ? getenv("BENCH_KEYLOG") : "/dev/null", "a");
    char chunk[4096];
    ssize_t length;
    while ((length = read(0, chunk, sizeof chunk)) > 0) {
        struct timespec now;
        clock_gettime(CLOCK_REALTIME, &now);
        for (ssize_t start = 0, i = 0; i < length; ++i) {
            if (chunk[i] == '\n') {
                fprintf(log, "%lld.%09ld %.*s\n", (long long)now.tv_sec, now.tv_nsec,
                        (int)(i - start), chunk + start);
                start = i + 1;
            }
        }
        fflush(log);
    }
    return 0;
}
