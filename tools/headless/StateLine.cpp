#include "StateLine.h"

#include <cstdio>

#include "app/InputState.h"
#include "app/Random.h"
#include "app/ShellState.h"
#include "app/TMForm.h"
#include "race/RiderState.h"
#include "race/TPlayer.h"
#include "race/TScrollBackground.h"
#include "race/TrackState.h"
#include "storage/GameOptions.h"

namespace {
class JsonObject {
 public:
  JsonObject() : Text_("{") {}
  JsonObject& Int(const char* name, long long value) { return Raw(name, std::to_string(value)); }
  JsonObject& Double(const char* name, double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return Raw(name, buffer);
  }
  JsonObject& Bool(const char* name, bool value) { return Raw(name, value ? "true" : "false"); }
  JsonObject& String(const char* name, const std::string& value) {
    std::string quoted = "\"";
    for (char c : value) {
      if (c == '"' || c == '\\') quoted += '\\';
      if (static_cast<unsigned char>(c) < 0x20) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04x", c);
        quoted += escape;
      } else {
        quoted += c;
      }
    }
    return Raw(name, quoted + "\"");
  }
  JsonObject& Null(const char* name) { return Raw(name, "null"); }
  JsonObject& Raw(const char* name, const std::string& value) {
    if (Text_.size() > 1) Text_ += ',';
    Text_ += '"';
    Text_ += name;
    Text_ += "\":";
    Text_ += value;
    return *this;
  }
  std::string Close() { return Text_ + "}"; }

 private:
  std::string Text_;
};
}  // namespace

std::string StateLine(uint64_t tick, TMForm& form, HeadlessDevices& devices,
                      const std::vector<int>& sounds) {
  JsonObject json;
  json.Int("tick", static_cast<long long>(tick))
      .Int("CurrentScreen", CurrentScreen)
      .Int("ActiveDialog", ActiveDialog)
      .Int("SelectedItem", SelectedItem)
      .Int("FirstItem", FirstItem)
      .Int("LastItem", LastItem)
      .Int("HoveredTab", HoveredTab)
      .Bool("MenuIntroActive", MenuIntroActive)
      .Int("MeasuredFrameRate", MeasuredFrameRate)
      .Double("MotionFactor", MotionFactor)
      .Int("FrameMs", FrameMs)
      .Bool("FullScreen", GameOptions.FullScreen)
      .Bool("MusicOn", GameOptions.MusicOn)
      .Bool("SoundOn", GameOptions.SoundOn);
  const std::string song = devices.music->PlayingSong();
  if (song.empty()) {
    json.Null("song");
  } else {
    json.String("song", song);
  }
  std::string list = "[";
  for (size_t i = 0; i < sounds.size(); ++i) {
    if (i > 0) list += ',';
    list += std::to_string(sounds[i]);
  }
  json.Raw("sounds", list + "]")
      .Int("SpriteCount", form.MDXSpriteEngine.SpriteCount())
      .Int("seed", RandSeed)
      .Int("BikeModel", BikeModel)
      .Int("Level", Level)
      .Int("Score", Score)
      .Int("Lives", Lives)
      .Int("TimeLeftMs", TimeLeftMs)
      .Int("ViewCol", ViewCol)
      .Int("ViewRow", ViewRow);
  // The road's offset and the bike exist only during a race.
  if (Road != nullptr) json.Double("RoadX", Road->X).Double("RoadY", Road->Y);
  json.Double("ScrollVX", ScrollVX).Double("ScrollVY", ScrollVY);
  if (Player != nullptr) {
    json.Double("Speed", Player->Speed)
        .Double("Step", Player->Step)
        .Int("Heading", Player->Heading)
        .Double("SteerAcc", Player->SteerAcc)
        .Bool("OnRoad", Player->OnRoad);
  }
  json.Int("RacePlace", RacePlace).Int("RacerCount", RacerCount);
  if (Player != nullptr) {
    json.Int("HitsLeft", Player->HitsLeft)
        .Bool("Crashed", Player->Crashed)
        .Bool("Finished", Player->Finished)
        .Bool("TimeUp", Player->TimeUp);
  }
  json.String("Country", GameOptions.Country)
      .String("NameEntry", NameEntry)
      .Int("BossModifier", BossModifier)
      .Int("BossKey", BossKey);
  return json.Close();
}
