// The score server under load, on loopback only: run by hand, never by the test suite.
//   1. `--clients` clients submit distinct scores for `--seconds`; afterwards the database must
//      hold exactly as many scores as were answered 200.
//   2. With `--list-rows` scores stored, the list page is fetched `--list-requests` times by
//      four clients; its latency percentiles.
//   3. The server is killed with SIGKILL in the middle of a load like 1.; every answered
//      submission must be in the database.
// Usage: nice -n 5 gearrush-scores-bench [--clients 50] [--seconds 30] [--list-rows 100000]
//                                         [--list-requests 2000] [--kill-after 5]
//                                         [--sync full|normal]
#include <httplib.h>
#include <signal.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ScoresProcess.h"
#include "online/ScorePayload.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {
constexpr const char* kSubmit = "/cgi/version.pl?hs&prg=GearRush&inf=";
constexpr const char* kList = "/cgi/version.pl?prg=GearRush&show&type=0";
constexpr int kMaxClients = 200;
constexpr int kMaxSeconds = 120;
constexpr int kListClients = 4;

struct Settings {
  int Clients = 50;
  int Seconds = 30;
  int ListRows = 100000;
  int ListRequests = 2000;
  int KillAfterS = 5;
  std::string Sync = "full";
};

struct LoadResult {
  int64_t Answered200 = 0;
  int64_t Other = 0;
  int64_t Failed = 0;
  double Seconds = 0;
  std::set<std::string> AnsweredNames;
};

// Each client submits distinct names ("C<client>N<count>") until told to stop.
LoadResult Submit(const std::string& baseUrl, int clients, const std::atomic<bool>& stop) {
  LoadResult result;
  std::mutex mutex;
  const auto start = Clock::now();
  std::vector<std::thread> threads;
  for (int c = 0; c < clients; ++c) {
    threads.emplace_back([&, c] {
      LoadResult mine;
      for (int n = 0; !stop.load(); ++n) {
        std::string name = "C";
        name += std::to_string(c);
        name += 'N';
        name += std::to_string(n);
        httplib::Client client(baseUrl);
        client.set_keep_alive(false);
        const httplib::Result answer =
            client.Get(kSubmit + EncodePayload(BuildScorePayload(name, 1000 + n, "Bench")));
        if (!answer) {
          ++mine.Failed;
        } else if (answer->status == 200) {
          ++mine.Answered200;
          mine.AnsweredNames.insert(name);
        } else {
          ++mine.Other;
        }
      }
      std::lock_guard lock(mutex);
      result.Answered200 += mine.Answered200;
      result.Other += mine.Other;
      result.Failed += mine.Failed;
      result.AnsweredNames.merge(mine.AnsweredNames);
    });
  }
  for (std::thread& thread : threads) thread.join();
  result.Seconds = std::chrono::duration<double>(Clock::now() - start).count();
  return result;
}

sqlite3* OpenDatabase(const fs::path& path) {
  sqlite3* db = nullptr;
  if (sqlite3_open(path.c_str(), &db) != SQLITE_OK) {
    std::fprintf(stderr, "cannot open %s\n", path.c_str());
    std::exit(1);
  }
  sqlite3_busy_timeout(db, 5000);
  return db;
}

std::set<std::string> StoredNames(const fs::path& path) {
  sqlite3* db = OpenDatabase(path);
  std::set<std::string> names;
  sqlite3_stmt* query = nullptr;
  sqlite3_prepare_v2(db, "SELECT name FROM scores", -1, &query, nullptr);
  while (sqlite3_step(query) == SQLITE_ROW) {
    names.insert(reinterpret_cast<const char*>(sqlite3_column_text(query, 0)));
  }
  sqlite3_finalize(query);
  sqlite3_close(db);
  return names;
}

void Fill(const fs::path& path, int rows) {
  sqlite3* db = OpenDatabase(path);
  std::mt19937 random(42);
  std::uniform_int_distribution<int> score(0, 500000);
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO scores(name, score, country, time) VALUES(?1, ?2, ?3, ?4)",
                     -1, &insert, nullptr);
  for (int i = 0; i < rows; ++i) {
    const std::string name = "Filler " + std::to_string(i);
    sqlite3_reset(insert);
    sqlite3_bind_text(insert, 1, name.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(insert, 2, score(random));
    sqlite3_bind_text(insert, 3, "Somewhere", -1, SQLITE_STATIC);
    sqlite3_bind_int64(insert, 4, 1700000000 + i);
    sqlite3_step(insert);
  }
  sqlite3_finalize(insert);
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

int Number(const char* text, int max) {
  const int value = std::atoi(text);
  return std::clamp(value, 1, max);
}

bool SubmitPhase(const fs::path& dir, const Settings& settings) {
  const fs::path db = dir / "submit.db";
  ScoresProcess server(db, dir / "submit-log.txt", {"--rate", "0", "--sync", settings.Sync});
  std::atomic<bool> stop = false;
  std::thread timer([&] {
    std::this_thread::sleep_for(std::chrono::seconds(settings.Seconds));
    stop = true;
  });
  const LoadResult load = Submit(server.BaseUrl(), settings.Clients, stop);
  timer.join();
  server.Stop(SIGTERM);
  const size_t stored = StoredNames(db).size();
  std::printf(
      "submit (sync %s): %d clients, %.1f s: %lld answered 200, %lld other answers, %lld failed; "
      "%.0f submissions/s; %zu stored: %s\n",
      settings.Sync.c_str(), settings.Clients, load.Seconds,
      static_cast<long long>(load.Answered200), static_cast<long long>(load.Other),
      static_cast<long long>(load.Failed), load.Answered200 / load.Seconds, stored,
      stored == static_cast<size_t>(load.Answered200) ? "equal" : "DIFFERENT");
  return stored == static_cast<size_t>(load.Answered200);
}

void ListPhase(const fs::path& dir, const Settings& settings) {
  const fs::path db = dir / "list.db";
  {
    // Let the server make the schema, then fill it while it is stopped.
    ScoresProcess server(db, dir / "schema-log.txt");
  }
  Fill(db, settings.ListRows);
  ScoresProcess server(db, dir / "list-log.txt");
  std::vector<double> latenciesMs;
  std::mutex mutex;
  std::vector<std::thread> threads;
  const int perClient = std::max(1, settings.ListRequests / kListClients);
  for (int c = 0; c < kListClients; ++c) {
    threads.emplace_back([&] {
      httplib::Client client(server.BaseUrl());
      std::vector<double> mine;
      for (int i = 0; i < perClient; ++i) {
        const auto start = Clock::now();
        const httplib::Result page = client.Get(kList);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (page && page->status == 200) mine.push_back(ms);
      }
      std::lock_guard lock(mutex);
      latenciesMs.insert(latenciesMs.end(), mine.begin(), mine.end());
    });
  }
  for (std::thread& thread : threads) thread.join();
  std::sort(latenciesMs.begin(), latenciesMs.end());
  auto at = [&](double q) {
    return latenciesMs.empty() ? 0.0
                               : latenciesMs[static_cast<size_t>(q * (latenciesMs.size() - 1))];
  };
  std::printf(
      "list: %d scores stored, %zu pages by %d clients: p50 %.2f ms, p99 %.2f ms, "
      "max %.2f ms\n",
      settings.ListRows, latenciesMs.size(), kListClients, at(0.5), at(0.99),
      latenciesMs.empty() ? 0.0 : latenciesMs.back());
}

bool KillPhase(const fs::path& dir, const Settings& settings) {
  const fs::path db = dir / "kill.db";
  ScoresProcess server(db, dir / "kill-log.txt", {"--rate", "0", "--sync", settings.Sync});
  std::atomic<bool> stop = false;
  std::thread killer([&] {
    std::this_thread::sleep_for(std::chrono::seconds(settings.KillAfterS));
    server.Stop(SIGKILL);
    stop = true;
  });
  const LoadResult load = Submit(server.BaseUrl(), settings.Clients, stop);
  killer.join();
  const std::set<std::string> stored = StoredNames(db);
  size_t missing = 0;
  for (const std::string& name : load.AnsweredNames) missing += stored.count(name) == 0;
  std::printf(
      "kill: SIGKILL after %d s: %lld answered 200, %zu stored, %zu answered but "
      "missing\n",
      settings.KillAfterS, static_cast<long long>(load.Answered200), stored.size(), missing);
  return missing == 0;
}
}  // namespace

int main(int argc, char** argv) {
  Settings settings;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--clients")
      settings.Clients = Number(argv[i + 1], kMaxClients);
    else if (option == "--seconds")
      settings.Seconds = Number(argv[i + 1], kMaxSeconds);
    else if (option == "--list-rows")
      settings.ListRows = Number(argv[i + 1], 10000000);
    else if (option == "--list-requests")
      settings.ListRequests = Number(argv[i + 1], 1000000);
    else if (option == "--kill-after")
      settings.KillAfterS = Number(argv[i + 1], kMaxSeconds);
    else if (option == "--sync")
      settings.Sync = argv[i + 1];
    else {
      std::fprintf(stderr, "unknown option %s\n", option.c_str());
      return 2;
    }
  }
  const fs::path dir =
      fs::temp_directory_path() / ("gearrush-scores-bench-" + std::to_string(getpid()));
  fs::create_directories(dir);
  const bool counted = SubmitPhase(dir, settings);
  ListPhase(dir, settings);
  const bool durable = KillPhase(dir, settings);
  fs::remove_all(dir);
  return counted && durable ? 0 : 1;
}
