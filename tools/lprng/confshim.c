/* Lets a private lprng lpd read its lpd.conf from $VX_LPD_CONF: lpd only ever reads
 * /etc/lprng/lpd.conf, and the tests must not touch the machine's configuration. Loaded
 * with LD_PRELOAD into lpd alone; every other path passes unchanged. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/types.h>

static char private_conf[4096];

/* Read at load time: lpd may clean its environment before it reads the file. */
__attribute__((constructor)) static void remember_conf(void)
{
    const char *conf = getenv("VX_LPD_CONF");
    if (conf)
        snprintf(private_conf, sizeof private_conf, "%s", conf);
}

static const char *redirect(const char *path)
{
    if (path && private_conf[0] && strcmp(path, "/etc/lprng/lpd.conf") == 0)
        return private_conf;
    return path;
}

static mode_t mode_of(int flags, va_list ap)
{
    return (flags & (O_CREAT | O_TMPFILE)) ? (mode_t)va_arg(ap, int) : 0;
}

#define FORWARD_OPEN(name)                                                         \
    int name(const char *path, int flags, ...)                                     \
    {                                                                              \
        static int (*real)(const char *, int, ...);                                \
        va_list ap;                                                                \
        va_start(ap, flags);                                                       \
        mode_t mode = mode_of(flags, ap);                                          \
        va_end(ap);                                                                \
        if (!real)                                                                 \
            real = (int (*)(const char *, int, ...))dlsym(RTLD_NEXT, #name);       \
        return real(redirect(path), flags, mode);                                  \
    }

#define FORWARD_OPENAT(name)                                                       \
    int name(int dir, const char *path, int flags, ...)                            \
    {                                                                              \
        static int (*real)(int, const char *, int, ...);                           \
        va_list ap;                                                                \
        va_start(ap, flags);                                                       \
        mode_t mode = mode_of(flags, ap);                                          \
        va_end(ap);                                                                \
        if (!real)                                                                 \
            real = (int (*)(int, const char *, int, ...))dlsym(RTLD_NEXT, #name);  \
        return real(dir, redirect(path), flags, mode);                             \
    }

FORWARD_OPEN(open)
FORWARD_OPEN(open64)
FORWARD_OPENAT(openat)
FORWARD_OPENAT(openat64)
