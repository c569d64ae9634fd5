// A gearrush-scores process on a free loopback port with its log in a file, for the tests and
// the benchmark.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

class ScoresProcess {
 public:
  // Starts the server on the database with extra options; std::runtime_error when it does not
  // report its port within a few seconds.
  ScoresProcess(const std::filesystem::path& database, const std::filesystem::path& logFile,
                const std::vector<std::string>& extraOptions = {});
  // Stops it with SIGTERM if it still runs.
  ~ScoresProcess();
  ScoresProcess(const ScoresProcess&) = delete;
  ScoresProcess& operator=(const ScoresProcess&) = delete;

  int Port() const { return Port_; }
  // "http://127.0.0.1:PORT"
  std::string BaseUrl() const;
  // Sends the signal and waits for the process; its wait status.
  int Stop(int signal);
  std::string Log() const;

 private:
  pid_t Pid_ = -1;
  int Port_ = 0;
  std::filesystem::path LogFile_;
};
