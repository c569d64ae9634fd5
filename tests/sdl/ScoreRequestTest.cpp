// The score request on libcurl against servers on this machine: the header lines the score
// server expects, no proxy, and a server that never answers while the game keeps drawing.
#include <arpa/inet.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <sstream>
#include <thread>

#include "BakedGameTest.h"
#include "app/Dispatch.h"
#include "app/InputState.h"
#include "app/ShellState.h"
#include "platform/KeyCodes.h"
#include "platform/sdl/CurlHttpClient.h"
#include "platform/sdl/SdlApplication.h"
#include "platform/sdl/SdlSession.h"
#include "platform/ttf/TtfTextRenderer.h"
#include "race/RiderState.h"
#include "storage/GameOptions.h"

namespace {
constexpr uint16_t kF9 = vk::F1 + 8;  // the boss key by default, with Alt
using Steady = std::chrono::steady_clock;

double MsSince(Steady::time_point start) {
  return std::chrono::duration<double, std::milli>(Steady::now() - start).count();
}

// A server on the loopback address that either answers every request once or accepts the
// connection and never says a word.
class LoopbackServer {
 public:
  enum Mode { Answers, NeverAnswers };

  explicit LoopbackServer(Mode mode) : Mode_(mode) {
    Listen_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(Listen_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(Listen_, 8) != 0 ||
        getsockname(Listen_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      ADD_FAILURE() << "no loopback socket";
    }
    Port_ = ntohs(address.sin_port);
    Thread_ = std::thread([this] { Serve(); });
  }
  ~LoopbackServer() {
    Stop_ = true;
    Thread_.join();
    for (int fd : Held_) close(fd);
    close(Listen_);
  }

  int Port() const { return Port_; }
  int Connections() const { return Connections_; }
  // The request's lines up to the empty line, without their line ends.
  std::vector<std::string> HeadLines() {
    std::lock_guard<std::mutex> hold(Mutex_);
    std::vector<std::string> lines;
    std::istringstream in(Head_);
    for (std::string line; std::getline(in, line) && line != "\r";) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }

 private:
  void Serve() {
    while (!Stop_) {
      pollfd waiting{Listen_, POLLIN, 0};
      if (poll(&waiting, 1, 20) <= 0) continue;
      const int fd = accept4(Listen_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd < 0) continue;
      ++Connections_;
      if (Mode_ == NeverAnswers) {
        Held_.push_back(fd);
        continue;
      }
      std::string head;
      char buffer[1024];
      while (head.find("\r\n\r\n") == std::string::npos) {
        pollfd reading{fd, POLLIN, 0};
        if (poll(&reading, 1, 2000) <= 0) break;
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        head.append(buffer, static_cast<size_t>(n));
      }
      {
        std::lock_guard<std::mutex> hold(Mutex_);
        Head_ = head;
      }
      static constexpr char kReply[] =
          "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
      if (write(fd, kReply, sizeof kReply - 1) < 0) ADD_FAILURE() << "reply not sent";
      close(fd);
    }
  }

  Mode Mode_;
  int Listen_ = -1;
  int Port_ = 0;
  std::atomic<bool> Stop_{false};
  std::atomic<int> Connections_{0};
  std::vector<int> Held_;
  std::mutex Mutex_;
  std::string Head_;
  std::thread Thread_;
};

// The game's own client, sent to a loopback port instead of the score server's host.
class LoopbackHttp final : public HttpClient {
 public:
  explicit LoopbackHttp(int port) : Port_(port) {}
  void StartGet(const std::string& url) override {
    const size_t path = url.find('/', url.find("//") + 2);
    Curl_.StartGet("http://127.0.0.1:" + std::to_string(Port_) + url.substr(path));
  }
  State Poll() override { return Curl_.Poll(); }
  void Release() override { Curl_.Release(); }

 private:
  CurlHttpClient Curl_;
  int Port_;
};

ScriptEvent KeyEvent(ScriptEvent::Kind action, uint16_t key) {
  ScriptEvent event;
  event.Action = action;
  event.Key = key;
  return event;
}

std::shared_ptr<SdlSession> StartDummySession() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  return SdlSession::Start();
}

// Polls as the frame loop would until the request ends; the longest single poll in ms.
double PollUntilEnded(HttpClient& http, double limitMs) {
  const auto start = Steady::now();
  double longestPollMs = 0;
  while (MsSince(start) < limitMs) {
    const auto before = Steady::now();
    const HttpClient::State state = http.Poll();
    longestPollMs = std::max(longestPollMs, MsSince(before));
    if (state != HttpClient::State::Running) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return longestPollMs;
}
}  // namespace

TEST(CurlHttpClient, SendsTheScoreServersHeadersStraightPastAnyProxy) {
  LoopbackServer server(LoopbackServer::Answers);
  // A proxy named by the environment that would swallow the request.
  for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) {
    setenv(name, "http://127.0.0.1:9", 1);
  }
  CurlHttpClient http;
  const std::string target = "/cgi/version.pl?hs&prg=GearRush&inf=KX7HQ2MB";
  http.StartGet("http://127.0.0.1:" + std::to_string(server.Port()) + target);
  PollUntilEnded(http, 10000);
  for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"}) unsetenv(name);
  EXPECT_EQ(http.Poll(), HttpClient::State::Ended);
  http.Release();
  EXPECT_EQ(http.Poll(), HttpClient::State::Idle);

  ASSERT_EQ(server.Connections(), 1) << "the request came straight here";
  const std::vector<std::string> lines = server.HeadLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "GET " + target + " HTTP/1.1");
  auto has = [&lines](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(has("User-Agent: Mozilla/3.0 (compatible; Indy Library)"));
  EXPECT_TRUE(has("Accept: text/html, */*"));
  EXPECT_TRUE(has("Content-Type: text/html"));
  EXPECT_FALSE(has("Accept: */*"));
  for (const std::string& line : lines) {
    EXPECT_EQ(line.rfind("Proxy-", 0), std::string::npos) << line;
    EXPECT_EQ(line.rfind("Authorization", 0), std::string::npos) << line;
  }
}

TEST(CurlHttpClient, AServerThatNeverAnswersEndsTheRequestWithoutEverWaiting) {
  LoopbackServer server(LoopbackServer::NeverAnswers);
  CurlHttpClient http;
  const auto start = Steady::now();
  http.StartGet("http://127.0.0.1:" + std::to_string(server.Port()) + "/cgi/version.pl?hs");
  const double longestPollMs = PollUntilEnded(http, 15000);
  const double endedAfterMs = MsSince(start);
  std::printf("[ silent server ] ended after %.0f ms; longest poll %.2f ms\n", endedAfterMs,
              longestPollMs);
  EXPECT_EQ(http.Poll(), HttpClient::State::Ended);
  EXPECT_EQ(server.Connections(), 1);
  EXPECT_GE(endedAfterMs, CurlHttpClient::kTotalTimeoutMs - 100) << "it waited for the answer";
}

// Run alone by its own test entry too, where nothing has loaded libcurl before it; in the whole
// suite an earlier request may have, and the test can only say so.
TEST(CurlHttpClient, LibcurlIsLoadedByTheFirstRequestNotBefore) {
  auto loaded = [] {
    void* handle = nullptr;
    for (const std::string& name : CurlLibrary::SystemNames()) {
      if ((handle = dlopen(name.c_str(), RTLD_LAZY | RTLD_NOLOAD)) != nullptr) break;
    }
    if (handle != nullptr) dlclose(handle);  // drops only the reference just taken
    return handle != nullptr;
  };
  if (loaded()) GTEST_SKIP() << "an earlier test loaded libcurl";
  const std::shared_ptr<SdlSession> session = StartDummySession();
  Platform platform = CreateSdlPlatform(SdlDisplayOptions{});
  EXPECT_FALSE(loaded()) << "the game's start loaded libcurl";

  LoopbackServer server(LoopbackServer::Answers);
  platform.http->StartGet("http://127.0.0.1:" + std::to_string(server.Port()) + "/cgi/x.pl");
  EXPECT_TRUE(loaded());
  PollUntilEnded(*platform.http, 10000);
  EXPECT_EQ(server.Connections(), 1);
}

TEST(CurlHttpClient, WithoutLibcurlEveryRequestEndsAtOnce) {
  // A name that loads nothing, and a library that loads but is not libcurl.
  void* notCurl = dlopen("libz.so.1", RTLD_LAZY);
  ASSERT_NE(notCurl, nullptr);
  dlclose(notCurl);
  CurlHttpClient http({"libgearrush-no-such-curl.so.4", "libz.so.1"});
  for (int attempt = 0; attempt < 2; ++attempt) {
    http.StartGet("http://127.0.0.1:9/cgi/version.pl?hs");
    EXPECT_EQ(http.Poll(), HttpClient::State::Ended);
    http.Release();
    EXPECT_EQ(http.Poll(), HttpClient::State::Idle);
  }
}

class ScoreRequestFlowTest : public BakedGameTest {
 protected:
  // The game again, this time with the real client pointed at the loopback server.
  void StartGameAgainst(const LoopbackServer& server) {
    Session = StartDummySession();
    Game.reset();
    ResetGameState();
    Game = std::make_unique<HeadlessDriver>(1, 85, 85, CreateTtfTextRenderer("Data/Fonts"),
                                            std::make_unique<LoopbackHttp>(server.Port()));
    Game->Form().FormCreate();
    FinishIntro();
  }
  std::shared_ptr<SdlSession> Session;
};

TEST_F(ScoreRequestFlowTest, AServerThatNeverAnswersLeavesTheGameDrawingAndEndsOnTheHighScores) {
  LoopbackServer server(LoopbackServer::NeverAnswers);
  StartGameAgainst(server);
  NameEntry = "Anna";
  Score = 12345;
  OpenDialog(DialogSendScore);
  Game->Press('Y');
  ASSERT_EQ(ActiveDialog, DialogSending) << "the request is running";

  // Ticks paced at the display's 85 Hz, as the frame loop runs them; the boss key hides the game
  // a second in and the player brings it back a second later.
  constexpr auto kFrame = std::chrono::microseconds(1000000 / 85);
  const auto start = Steady::now();
  auto last = start;
  double longestGapMs = 0;
  int framesWhileSending = 0;
  bool hidden = false;
  bool shownAgain = false;
  while (CurrentScreen != ScreenHighScores && MsSince(start) < 15000) {
    std::this_thread::sleep_until(last + kFrame);
    const int before = Game->Devices().display->PresentCount;
    if (!hidden && MsSince(start) > 1000) {
      Game->Deliver(KeyEvent(ScriptEvent::Down, vk::Menu));
      Game->Deliver(KeyEvent(ScriptEvent::Press, kF9));
      Game->Deliver(KeyEvent(ScriptEvent::Up, vk::Menu));
      hidden = true;
    } else if (hidden && !shownAgain && MsSince(start) > 2000) {
      EXPECT_TRUE(Game->Devices().display->Minimized) << "the boss key works while sending";
      Game->Deliver(KeyEvent(ScriptEvent::Restore, 0));
      shownAgain = true;
    }
    Game->RunTick();
    const auto now = Steady::now();
    longestGapMs =
        std::max(longestGapMs, std::chrono::duration<double, std::milli>(now - last).count());
    last = now;
    if (ActiveDialog == DialogSending && Game->Devices().display->PresentCount > before) {
      ++framesWhileSending;
    }
  }
  const double endedAfterMs = MsSince(start);
  std::printf("[ sending ] ended after %.0f ms; %d frames drawn meanwhile; longest gap %.1f ms\n",
              endedAfterMs, framesWhileSending, longestGapMs);
  EXPECT_EQ(CurrentScreen, ScreenHighScores);
  EXPECT_EQ(ActiveDialog, DialogNone);
  EXPECT_TRUE(shownAgain);
  EXPECT_GT(framesWhileSending, 85) << "\"Sending...\" stays on a live screen";
  EXPECT_EQ(server.Connections(), 1) << "one request, no retry";
  EXPECT_TRUE(Game->Devices().system->Errors.empty()) << "no message about the network";
}
