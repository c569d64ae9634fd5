#include "platform/headless/HeadlessPlatform.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

namespace {
uint32_t ReadU32(const std::string& s, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(s[at])) |
         static_cast<uint32_t>(static_cast<uint8_t>(s[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(s[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(s[at + 3])) << 24;
}

// Length of a RIFF WAVE image in milliseconds; 0 when it cannot be told.
uint32_t WaveDurationMs(const std::string& wave) {
  if (wave.size() < 12 || wave.compare(0, 4, "RIFF") != 0 || wave.compare(8, 4, "WAVE") != 0) {
    return 0;
  }
  uint32_t bytesPerSecond = 0;
  uint32_t dataSize = 0;
  size_t at = 12;
  while (at + 8 <= wave.size()) {
    const uint32_t size = ReadU32(wave, at + 4);
    const size_t body = at + 8;
    if (wave.compare(at, 4, "fmt ") == 0 && size >= 16 && body + 16 <= wave.size()) {
      bytesPerSecond = ReadU32(wave, body + 8);
    } else if (wave.compare(at, 4, "data") == 0) {
      dataSize = size;
    }
    if (size > wave.size() - body) break;
    at = body + size + (size & 1);
  }
  if (bytesPerSecond == 0) return 0;
  return static_cast<uint32_t>(static_cast<uint64_t>(dataSize) * 1000 / bytesPerSecond);
}

void AppendLine(const std::string& file, const std::string& line) {
  if (file.empty()) return;
  std::ofstream out(file, std::ios::app);
  out << line << '\n';
}
}  // namespace

bool HeadlessDisplay::Initialize(bool fullScreen) {
  Initialized = true;
  FullScreen = fullScreen;
  Minimized = false;
  ++InitializeCount;
  return true;
}

void HeadlessDisplay::Present(const Surface& backBuffer) {
  if (KeepFrames) LastFrame = backBuffer;
  Presented_ = &backBuffer;
  PresentedKept_ = KeepFrames;
  ++PresentCount;
}

const Surface& HeadlessDisplay::LastPicture() const {
  return PresentedKept_ || !Presented_ ? LastFrame : *Presented_;
}

int HeadlessSound::CreateVoice(int itemIndex, const std::string& riffWave, bool looped) {
  Voices_.push_back({itemIndex, looped, WaveDurationMs(riffWave), false, 0});
  return static_cast<int>(Voices_.size()) - 1;
}

void HeadlessSound::Play(int voice) {
  if (voice < 0 || voice >= static_cast<int>(Voices_.size())) return;
  Voices_[voice].Playing = true;
  Voices_[voice].StartMs = Clock_.NowMs();
  Played.push_back(Voices_[voice].Item);
}

void HeadlessSound::Stop(int voice) {
  if (voice < 0 || voice >= static_cast<int>(Voices_.size())) return;
  Voices_[voice].Playing = false;
}

bool HeadlessSound::IsPlaying(int voice) {
  if (voice < 0 || voice >= static_cast<int>(Voices_.size())) return false;
  Voice& v = Voices_[voice];
  if (v.Playing && !v.Looped && Clock_.NowMs() - v.StartMs >= v.DurationMs) v.Playing = false;
  return v.Playing;
}

bool HeadlessSound::ItemPlaying(int itemIndex) {
  for (int voice = 0; voice < static_cast<int>(Voices_.size()); ++voice)
    if (Voices_[voice].Item == itemIndex && IsPlaying(voice)) return true;
  return false;
}

std::vector<int> HeadlessSound::TakePlayed() {
  std::vector<int> played;
  played.swap(Played);
  return played;
}

uint32_t HeadlessMusic::SongLoadFromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return 0;
  Loaded_ = NextHandle_++;
  LoadedName_ = std::filesystem::path(path).stem().string();
  Playing_ = false;
  Calls.push_back("load " + LoadedName_);
  return Loaded_;
}

void HeadlessMusic::SongPlay(uint32_t song) {
  if (song == 0 || song != Loaded_) return;
  Playing_ = true;
  Calls.push_back("play " + LoadedName_);
}

void HeadlessMusic::SongFree(uint32_t song) {
  if (song == 0 || song != Loaded_) return;
  Calls.push_back("free " + LoadedName_);
  Loaded_ = 0;
  LoadedName_.clear();
  Playing_ = false;
}

std::string HeadlessMusic::PlayingSong() const {
  return Playing_ ? LoadedName_ : std::string();
}

void HeadlessHttp::StartGet(const std::string& url) {
  if (State_ != State::Idle) return;
  Requests.push_back(url);
  AppendLine(LogFile, url);
  if (Network) Network(url);
  State_ = State::Running;
  Polls_ = 0;
}

HttpClient::State HeadlessHttp::Poll() {
  if (State_ == State::Running && Polls_++ >= PollsToEnd) State_ = State::Ended;
  return State_;
}

void HeadlessHttp::Release() {
  if (State_ == State::Ended) State_ = State::Idle;
}

bool HeadlessShell::Open(const std::string& target) {
  Opened.push_back(target);
  AppendLine(LogFile, target);
  return true;
}

void HeadlessSystem::ShowErrorBox(const std::string& message) {
  Errors.push_back(message);
  std::cerr << message << std::endl;
}

Platform CreateHeadlessPlatform(HeadlessDevices& devices) {
  Platform platform;
  auto clock = std::make_unique<VirtualClock>();
  devices.clock = clock.get();
  auto display = std::make_unique<HeadlessDisplay>();
  devices.display = display.get();
  auto keyboard = std::make_unique<HeadlessKeyboard>();
  devices.keyboard = keyboard.get();
  auto sound = std::make_unique<HeadlessSound>(*clock);
  devices.sound = sound.get();
  auto music = std::make_unique<HeadlessMusic>();
  devices.music = music.get();
  auto http = std::make_unique<HeadlessHttp>();
  devices.http = http.get();
  auto shell = std::make_unique<HeadlessShell>();
  devices.shell = shell.get();
  auto system = std::make_unique<HeadlessSystem>();
  devices.system = system.get();
  platform.clock = std::move(clock);
  platform.display = std::move(display);
  platform.keyboard = std::move(keyboard);
  platform.sound = std::move(sound);
  platform.music = std::move(music);
  platform.http = std::move(http);
  platform.shell = std::move(shell);
  platform.system = std::move(system);
  return platform;
}
