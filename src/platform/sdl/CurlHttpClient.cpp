#include "platform/sdl/CurlHttpClient.h"

namespace {
// What the score server expects to see from the game.
constexpr const char* kUserAgent = "Mozilla/3.0 (compatible; Indy Library)";
constexpr const char* kAcceptHeader = "Accept: text/html, */*";
constexpr const char* kContentTypeHeader = "Content-Type: text/html";
// The score server answers a line or two; anything longer is not its answer.
constexpr size_t kMaxBodyBytes = 1 << 20;

size_t AppendBody(char* data, size_t size, size_t count, void* user) {
  auto* body = static_cast<std::string*>(user);
  const size_t bytes = size * count;
  if (body->size() + bytes > kMaxBodyBytes) return 0;  // makes libcurl fail the transfer
  body->append(data, bytes);
  return bytes;
}
}  // namespace

CurlHttpClient::CurlHttpClient(std::vector<std::string> libraryNames)
    : LibraryNames_(std::move(libraryNames)) {}

CurlHttpClient::~CurlHttpClient() {
  EndTransfer();
  if (Multi_ != nullptr) Curl_->MultiCleanup(Multi_);
}

void CurlHttpClient::EndTransfer() {
  if (Easy_ != nullptr) {
    // A name lookup still running is left to finish on its own; this never waits for it.
    Curl_->MultiRemoveHandle(Multi_, Easy_);
    Curl_->EasyCleanup(Easy_);
    Easy_ = nullptr;
  }
  if (Headers_ != nullptr) {
    Curl_->SlistFreeAll(Headers_);
    Headers_ = nullptr;
  }
  Body_.clear();
}

void CurlHttpClient::StartGet(const std::string& url) {
  if (State_ != State::Idle) return;
  State_ = State::Ended;  // unless the transfer starts below
  if (!LoadTried_) {
    LoadTried_ = true;
    Curl_ = CurlLibrary::Load(LibraryNames_);
    if (Curl_ != nullptr) Multi_ = Curl_->MultiInit();
  }
  if (Multi_ == nullptr || (Easy_ = Curl_->EasyInit()) == nullptr) return;
  Headers_ = Curl_->SlistAppend(Headers_, kAcceptHeader);
  Headers_ = Curl_->SlistAppend(Headers_, kContentTypeHeader);
  const auto setopt = Curl_->EasySetopt;
  setopt(Easy_, CURLOPT_URL, url.c_str());
  setopt(Easy_, CURLOPT_HTTPGET, 1L);
  setopt(Easy_, CURLOPT_USERAGENT, kUserAgent);
  setopt(Easy_, CURLOPT_HTTPHEADER, Headers_);
  setopt(Easy_, CURLOPT_COOKIEFILE, "");  // cookies kept for this request only
  // Straight to the server, whatever proxy the environment names.
  setopt(Easy_, CURLOPT_PROXY, "");
  setopt(Easy_, CURLOPT_NOPROXY, "*");
  setopt(Easy_, CURLOPT_TIMEOUT_MS, static_cast<long>(kTotalTimeoutMs));
  setopt(Easy_, CURLOPT_NOSIGNAL, 1L);
  setopt(Easy_, CURLOPT_PROTOCOLS_STR, "http,https");
  setopt(Easy_, CURLOPT_WRITEFUNCTION, AppendBody);
  setopt(Easy_, CURLOPT_WRITEDATA, &Body_);
  if (Curl_->MultiAddHandle(Multi_, Easy_) != CURLM_OK) {
    EndTransfer();
    return;
  }
  Deadline_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTotalTimeoutMs);
  State_ = State::Running;
  Poll();
}

HttpClient::State CurlHttpClient::Poll() {
  if (State_ != State::Running) return State_;
  int running = 0;
  const bool failed = Curl_->MultiPerform(Multi_, &running) != CURLM_OK;
  // The answer and any failure end the request alike; the game goes on either way. libcurl
  // keeps the time limit itself; the deadline also covers a lookup it cannot interrupt.
  if (failed || running == 0 || std::chrono::steady_clock::now() >= Deadline_) {
    EndTransfer();
    State_ = State::Ended;
  }
  return State_;
}

void CurlHttpClient::Release() {
  if (State_ == State::Running) return;
  EndTransfer();
  State_ = State::Idle;
}
