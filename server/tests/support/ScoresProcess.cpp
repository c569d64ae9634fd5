#include "ScoresProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace {
constexpr auto kStartTimeout = std::chrono::seconds(10);
constexpr auto kPollInterval = std::chrono::milliseconds(10);
constexpr const char* kListening = "listening on http://127.0.0.1:";
}  // namespace

ScoresProcess::ScoresProcess(const std::filesystem::path& database,
                             const std::filesystem::path& logFile,
                             const std::vector<std::string>& extraOptions)
    : LogFile_(logFile) {
  std::vector<std::string> args = {GR_SCORES_EXE, "--bind", "127.0.0.1",      "--port",
                                   "0",           "--db",   database.string()};
  args.insert(args.end(), extraOptions.begin(), extraOptions.end());
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);

  // An old log's "listening" line must not be taken for this server's.
  std::filesystem::remove(logFile);
  Pid_ = fork();
  if (Pid_ < 0) throw std::runtime_error("cannot fork");
  if (Pid_ == 0) {
    const int log = open(logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (log >= 0) {
      dup2(log, STDOUT_FILENO);
      dup2(log, STDERR_FILENO);
    }
    execv(argv[0], argv.data());
    _exit(127);
  }

  const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
  while (std::chrono::steady_clock::now() < deadline) {
    const std::string log = Log();
    const size_t at = log.find(kListening);
    if (at != std::string::npos &&
        log.find('/', at + std::string(kListening).size()) != std::string::npos) {
      Port_ = std::stoi(log.substr(at + std::string(kListening).size()));
      return;
    }
    int status = 0;
    if (waitpid(Pid_, &status, WNOHANG) == Pid_) {
      Pid_ = -1;
      throw std::runtime_error("gearrush-scores ended at start: " + log);
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  Stop(SIGKILL);
  throw std::runtime_error("gearrush-scores did not report its port");
}

ScoresProcess::~ScoresProcess() {
  if (Pid_ > 0) Stop(SIGTERM);
}

std::string ScoresProcess::BaseUrl() const {
  return "http://127.0.0.1:" + std::to_string(Port_);
}

int ScoresProcess::Stop(int signal) {
  if (Pid_ <= 0) return -1;
  kill(Pid_, signal);
  int status = 0;
  waitpid(Pid_, &status, 0);
  Pid_ = -1;
  return status;
}

std::string ScoresProcess::Log() const {
  std::ifstream in(LogFile_);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}
