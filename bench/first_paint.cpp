// Times a program from its start to its window painted on the X screen,
// watched from outside: the program needs no hook of its own. "Painted"
// means that a few probe pixels of the screen show the colours the window
// settles on; those colours are recorded once from a run that was left to
// settle, so the same rule serves any program.
//
//   first_paint record X,Y [X,Y...] -- COMMAND [ARGUMENTS...]
//     starts the command, lets it settle, prints "X,Y=RRGGBB ..." (the
//     settled colour of each probe), ends the command and waits until its
//     window is gone.
//   first_paint time X,Y=RRGGBB [...] -- COMMAND [ARGUMENTS...]
//     starts the command, prints "wall=MS cpu=MS": the milliseconds until
//     every probe shows its colour, and the processor time the command's
//     process spent until then, all its threads together (without the
//     waits for other processes); then ends the command and waits until
//     its window is gone.
//
// The command is ended with SIGKILL by its process id. Its standard output
// is discarded. Needs DISPLAY.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto kPollInterval = 2ms;
constexpr auto kSettleTime = 4s;
constexpr auto kStartTimeout = 60s;
constexpr auto kGoneTimeout = 20s;

struct Probe {
  int x = 0;
  int y = 0;
  unsigned long colour = 0;  // 0xRRGGBB on the 24-bit screen
};

bool ParseProbe(const std::string& text, bool withColour, Probe& probe) {
  unsigned long colour = 0;
  int used = 0;
  const bool ok =
      withColour
          ? std::sscanf(text.c_str(), "%d,%d=%lx%n", &probe.x, &probe.y, &colour, &used) == 3
          : std::sscanf(text.c_str(), "%d,%d%n", &probe.x, &probe.y, &used) == 2;
  probe.colour = colour;
  return ok && used == static_cast<int>(text.size());
}

unsigned long ScreenPixel(Display* display, int x, int y) {
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return ~0ul;
  const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
  XDestroyImage(image);
  return pixel;
}

bool AllShowTheirColour(Display* display, const std::vector<Probe>& probes) {
  for (const Probe& probe : probes) {
    if (ScreenPixel(display, probe.x, probe.y) != probe.colour) return false;
  }
  return true;
}

// The first field of a thread's schedstat is its time on a processor, in
// nanoseconds.
double ProcessorMilliseconds(pid_t process) {
  double nanoseconds = 0;
  std::error_code error;
  const std::filesystem::path tasks = "/proc/" + std::to_string(process) + "/task";
  for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
    std::ifstream in(task.path() / "schedstat");
    double onProcessor = 0;
    if (in >> onProcessor) nanoseconds += onProcessor;
  }
  return nanoseconds / 1e6;
}

pid_t Start(char** command) {
  const pid_t child = fork();
  if (child == 0) {
    const int devNull = open("/dev/null", O_WRONLY);
    if (devNull >= 0) dup2(devNull, STDOUT_FILENO);
    execvp(command[0], command);
    std::perror(command[0]);
    _exit(127);
  }
  return child;
}

// False when the command ended by itself before it was told to.
bool End(pid_t child) {
  int status = 0;
  const bool stillRunning = waitpid(child, &status, WNOHANG) == 0;
  if (stillRunning) {
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
  }
  return stillRunning;
}

bool WaitUntilGone(Display* display, const std::vector<Probe>& probes) {
  const auto deadline = Clock::now() + kGoneTimeout;
  while (AllShowTheirColour(display, probes)) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
  return true;
}

int RecordColours(Display* display, std::vector<Probe> probes, char** command) {
  const pid_t child = Start(command);
  std::this_thread::sleep_for(kSettleTime);
  for (Probe& probe : probes) probe.colour = ScreenPixel(display, probe.x, probe.y);
  // A screen still changing has not settled: the colours would be a guess.
  std::this_thread::sleep_for(500ms);
  const bool steady = AllShowTheirColour(display, probes);
  if (!End(child)) {
    std::fprintf(stderr, "first_paint: %s ended before it settled\n", command[0]);
    return 1;
  }
  if (!steady) {
    std::fprintf(stderr, "first_paint: the screen did not settle\n");
    return 1;
  }
  if (!WaitUntilGone(display, probes)) {
    std::fprintf(stderr, "first_paint: the window stayed on the screen\n");
    return 1;
  }
  for (const Probe& probe : probes) std::printf("%d,%d=%06lx ", probe.x, probe.y, probe.colour);
  std::printf("\n");
  return 0;
}

int TimeFirstPaint(Display* display, const std::vector<Probe>& probes, char** command) {
  for (const Probe& probe : probes) {
    if (ScreenPixel(display, probe.x, probe.y) == probe.colour) {
      std::fprintf(stderr, "first_paint: probe %d,%d shows its colour before the start\n",
                   probe.x, probe.y);
      return 1;
    }
  }
  const auto start = Clock::now();
  const pid_t child = Start(command);
  while (!AllShowTheirColour(display, probes)) {
    if (Clock::now() - start > kStartTimeout) {
      End(child);
      std::fprintf(stderr, "first_paint: %s did not paint in time\n", command[0]);
      return 1;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
  const double processor = ProcessorMilliseconds(child);
  End(child);
  if (!WaitUntilGone(display, probes)) {
    std::fprintf(stderr, "first_paint: the window stayed on the screen\n");
    return 1;
  }
  std::printf("wall=%.1f cpu=%.1f\n", elapsed.count(), processor);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  std::vector<Probe> probes;
  int i = 2;
  for (; i < argc && std::string(argv[i]) != "--"; ++i) {
    Probe probe;
    if (!ParseProbe(argv[i], mode == "time", probe)) {
      std::fprintf(stderr, "first_paint: bad probe %s\n", argv[i]);
      return 2;
    }
    probes.push_back(probe);
  }
  if ((mode != "record" && mode != "time") || probes.empty() || i + 1 >= argc) {
    std::fprintf(stderr,
                 "usage: %s record X,Y... -- COMMAND...\n"
                 "       %s time X,Y=RRGGBB... -- COMMAND...\n",
                 argv[0], argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "first_paint: cannot open the display\n");
    return 2;
  }
  char** command = argv + i + 1;
  const int result =
      mode == "record" ? RecordColours(display, probes, command)
                       : TimeFirstPaint(display, probes, command);
  XCloseDisplay(display);
  return result;
}
