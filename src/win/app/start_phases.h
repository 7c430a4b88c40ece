#pragma once
// Marks where the program's start has got to, for the start-up benchmark.
// The shipped program compiles this file without R470_TEST_HOOKS, so a
// mark costs nothing there; the test build (R470_Setting_testhooks)
// compiles it again with it and appends "<name> <ms>" to the file that the
// environment variable R470_TEST_PHASE_LOG names: the wall-clock time of
// the mark in milliseconds since 1970, so that a tool outside the program
// can set it against the moment it started the process.

namespace app {

void MarkStartPhase(const char* name);

}  // namespace app
