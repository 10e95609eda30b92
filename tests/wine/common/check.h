// Checks that report the caller's line and go on, so one run shows every
// failure; the program's exit code is the number of failed checks.
#pragma once

#include <cstdio>

extern int failed_checks;

#define CHECK(cond, ...)                                                                                               \
    do {                                                                                                               \
        if (!(cond)) {                                                                                                 \
            ++failed_checks;                                                                                           \
            std::printf("%s:%d: FAILED: %s: ", __FILE__, __LINE__, #cond);                                             \
            std::printf(__VA_ARGS__);                                                                                  \
            std::printf("\n");                                                                                         \
            std::fflush(stdout);                                                                                       \
        }                                                                                                              \
    } while (0)

#define NOTE(...)                                                                                                      \
    do {                                                                                                               \
        std::printf(__VA_ARGS__);                                                                                      \
        std::printf("\n");                                                                                             \
        std::fflush(stdout);                                                                                           \
    } while (0)
