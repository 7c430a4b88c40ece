// Runs a command and prints what it cost: the wall-clock time from start to
// exit, and the bytes it handed to write calls (wchar) and the bytes it made
// dirty for the disk (write_bytes), for the command and every process it
// waited for. The kernel adds a reaped child's I/O counters to its parent's,
// so the difference of this process's own /proc/self/io across the wait is
// exactly the child's share, whatever the command is.
//
// With --fsync FILE, FILE is synced to disk after the command ends and
// within the timed span: a tool that leaves its writes in the page cache is
// then not timed as faster than one that waits for the disk.
//
// Usage: measure_io [--fsync FILE] COMMAND [ARGUMENTS...]
// The command's standard output is discarded; its errors are not.
// Prints one line: "seconds=S wchar=N write_bytes=N exit=N".

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>

namespace {

std::map<std::string, std::uint64_t> ReadOwnIo() {
  std::map<std::string, std::uint64_t> counters;
  std::ifstream in("/proc/self/io");
  std::string key;
  std::uint64_t value = 0;
  while (in >> key >> value) counters[key.substr(0, key.size() - 1)] = value;  // drop ':'
  return counters;
}

bool SyncFile(const char* path) {
  const int fd = open(path, O_RDONLY);
  const bool synced = fd >= 0 && fsync(fd) == 0;
  if (fd >= 0) close(fd);
  return synced;
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  const char* syncPath = nullptr;
  if (argc > 2 && std::string(argv[1]) == "--fsync") {
    syncPath = argv[2];
    first = 3;
  }
  if (argc <= first) {
    std::fprintf(stderr, "usage: %s [--fsync FILE] COMMAND [ARGUMENTS...]\n", argv[0]);
    return 2;
  }
  const auto before = ReadOwnIo();
  if (before.count("wchar") == 0) {
    std::fprintf(stderr, "measure_io: /proc/self/io is not readable\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    const int devNull = open("/dev/null", O_WRONLY);
    if (devNull >= 0) dup2(devNull, STDOUT_FILENO);
    execvp(argv[first], argv + first);
    std::perror(argv[first]);
    _exit(127);
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) {
    std::perror("measure_io");
    return 2;
  }
  if (syncPath != nullptr && !SyncFile(syncPath)) {
    std::perror(syncPath);
    return 2;
  }
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  auto after = ReadOwnIo();
  // This process's own reads of /proc add to rchar only, never to wchar.
  std::printf("seconds=%.4f wchar=%llu write_bytes=%llu exit=%d\n", elapsed.count(),
              static_cast<unsigned long long>(after["wchar"] - before.at("wchar")),
              static_cast<unsigned long long>(after["write_bytes"] - before.at("write_bytes")),
              WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
  return 0;
}
