// gearrush-scores: the online high-score list for Gear Rush. Takes the scores the game sends,
// keeps them in one SQLite database, and shows the best of them.
#include <httplib.h>
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>

#include "ScoreService.h"
#include "ScoreStore.h"

namespace {
// How often a stop that came during start-up looks whether the server has started.
constexpr int kStartPollMs = 5;

struct Options {
  std::string Bind = "127.0.0.1";
  int Port = -1;
  std::string Database;
  int Threads = 64;
  int64_t DuplicateWindowS = 60;
  ScoreStore::Sync Sync = ScoreStore::Sync::Full;
  ServiceLimits Limits;
};

constexpr const char* kUsage =
    "usage: gearrush-scores --port P --db FILE [--bind ADDRESS] [--rate N] [--burst N]\n"
    "                       [--duplicate-window S] [--threads N] [--sync full|normal]\n"
    "  --port P              TCP port; 0 picks a free one (the log's first line names it)\n"
    "  --db FILE             the SQLite database, created when missing\n"
    "  --bind ADDRESS        address to listen on (default 127.0.0.1; 0.0.0.0 for all)\n"
    "  --rate N              submissions an address may send a minute, 0 for no limit (12)\n"
    "  --burst N             submissions an address may send at once (6)\n"
    "  --duplicate-window S  an equal submission within S seconds is stored once (60)\n"
    "  --threads N           requests handled at once (64)\n"
    "  --sync full|normal    full: an answered score survives a power cut (default);\n"
    "                        normal: only the server being killed, for more scores a second\n";

long Number(const std::string& option, const std::string& text, long min, long max) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno != 0 || value < min || value > max) {
    throw std::invalid_argument("bad value for " + option + ": '" + text + "'");
  }
  return value;
}

Options Parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; i += 2) {
    const std::string option = argv[i];
    if (i + 1 >= argc) throw std::invalid_argument("missing value for " + option);
    const std::string value = argv[i + 1];
    if (option == "--port") {
      options.Port = static_cast<int>(Number(option, value, 0, 65535));
    } else if (option == "--db") {
      options.Database = value;
    } else if (option == "--bind") {
      options.Bind = value;
    } else if (option == "--rate") {
      options.Limits.SubmissionsPerMinute = static_cast<int>(Number(option, value, 0, 1000000));
    } else if (option == "--burst") {
      options.Limits.SubmissionBurst = static_cast<int>(Number(option, value, 1, 1000000));
    } else if (option == "--duplicate-window") {
      options.DuplicateWindowS = Number(option, value, 0, 86400);
    } else if (option == "--sync" && (value == "full" || value == "normal")) {
      options.Sync = value == "full" ? ScoreStore::Sync::Full : ScoreStore::Sync::Normal;
    } else if (option == "--threads") {
      options.Threads = static_cast<int>(Number(option, value, 1, 256));
    } else {
      throw std::invalid_argument("unknown option " + option);
    }
  }
  if (options.Port < 0) throw std::invalid_argument("--port is required");
  if (options.Database.empty()) throw std::invalid_argument("--db is required");
  return options;
}
}  // namespace

int main(int argc, char** argv) {
  Options options;
  try {
    options = Parse(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "gearrush-scores: %s\n%s", error.what(), kUsage);
    return 2;
  }
  std::setvbuf(stdout, nullptr, _IOLBF, 0);

  // SIGTERM and SIGINT are taken by one thread that stops the server; every other thread,
  // started after this, keeps them blocked.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  try {
    ScoreStore store(options.Database, options.DuplicateWindowS, options.Sync);
    ScoreService service(store, options.Limits, stdout);
    httplib::Server server;
    const int threads = options.Threads;
    server.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    service.Mount(server);

    int port = options.Port;
    if (port == 0) {
      port = server.bind_to_any_port(options.Bind);
      if (port < 0) throw std::runtime_error("cannot listen on " + options.Bind);
    } else if (!server.bind_to_port(options.Bind, port)) {
      throw std::runtime_error("cannot listen on " + options.Bind + " port " +
                               std::to_string(port));
    }
    const bool ipv6 = options.Bind.find(':') != std::string::npos;
    std::printf("gearrush-scores: listening on http://%s%s%s:%d/ with %s\n", ipv6 ? "[" : "",
                options.Bind.c_str(), ipv6 ? "]" : "", port, options.Database.c_str());

    std::atomic<bool> listenEnded = false;
    std::thread stopper([&] {
      int signal = 0;
      sigwait(&stopSignals, &signal);
      std::printf("gearrush-scores: stopping on signal %d\n", signal);
      // stop() does nothing before the listen loop runs, so a signal that comes that early
      // waits for the loop (or for its end).
      while (!server.is_running() && !listenEnded) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kStartPollMs));
      }
      server.stop();
    });
    const bool listened = server.listen_after_bind();
    listenEnded = true;
    // The server stopped on its own: let the stopper go too.
    if (!listened || server.is_running()) server.stop();
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    std::printf("gearrush-scores: stopped, %lld scores stored\n",
                static_cast<long long>(store.Count()));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "gearrush-scores: %s\n", error.what());
    return 1;
  }
  return 0;
}
