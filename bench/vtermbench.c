/* libvterm beside the engine benchmark: each file named on the command line is written
 * into an 80 x 24 libvterm screen (parser, state and screen layers, no drawing). Prints
 * one line per file: its name, its size and the MB/s, the best of --rounds N runs. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <vterm.h>

static double Now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

static char* ReadFile(const char* path, size_t* size)
{
    FILE* f = fopen(path, "rb");
    if (!f)
        return NULL;
    fseek(f, 0, SEEK_END);
    *size = (size_t)ftell(f);
    fseek(f, 0, SEEK_SET);
    char* data = malloc(*size ? *size : 1);
    if (data && fread(data, 1, *size, f) != *size) {
        free(data);
        data = NULL;
    }
    fclose(f);
    return data;
}

static double Seconds(const char* data, size_t size)
{
    VTerm* vt = vterm_new(24, 80);
    vterm_set_utf8(vt, 0);
    VTermScreen* screen = vterm_obtain_screen(vt);
    vterm_screen_enable_altscreen(screen, 1);
    vterm_screen_reset(screen, 1);
    const double start = Now();
    /* In reads of the size the engine benchmark hands over. */
    for (size_t at = 0; at < size; at += 65536)
        vterm_input_write(vt, data + at, size - at < 65536 ? size - at : 65536);
    vterm_screen_flush_damage(screen);
    const double seconds = Now() - start;
    vterm_free(vt);
    return seconds;
}

int main(int argc, char** argv)
{
    int rounds = 1;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--rounds") && i + 1 < argc) {
            rounds = atoi(argv[++i]);
            continue;
        }
        size_t size = 0;
        char* data = ReadFile(argv[i], &size);
        if (!data) {
            fprintf(stderr, "cannot read %s\n", argv[i]);
            return 1;
        }
        double best = 0;
        for (int r = 0; r < (rounds > 0 ? rounds : 1); ++r) {
            const double mbs = size / Seconds(data, size) / 1e6;
            if (mbs > best)
                best = mbs;
        }
        printf("%s %zu %.2f\n", argv[i], size, best);
        fflush(stdout);
        free(data);
    }
    return 0;
}
