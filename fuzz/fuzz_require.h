#pragma once
// An invariant check that holds in every build: a broken invariant aborts
// with the failed condition on stderr, so the fuzzer keeps the input as a
// crash and the log says which promise broke.

#include <cstdio>
#include <cstdlib>

#define FUZZ_REQUIRE(condition)                                                          \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)
