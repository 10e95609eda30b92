// Checks that report their line and go on, so one run shows every failure.
#pragma once

#include <cstdio>

extern int failed_checks;

#define CHECK(cond, ...)                                                   \
    do {                                                                   \
        if (!(cond)) {                                                     \
            ++failed_checks;                                               \
            std::printf("%s:%d: FAILED: %s: ", __FILE__, __LINE__, #cond); \
            std::printf(__VA_ARGS__);                                      \
            std::printf("\n");                                             \
        }                                                                  \
    } while (0)
