#include "platform/headless/InputScript.h"

#include <sstream>
#include <stdexcept>

#include "platform/KeyCodes.h"

uint16_t KeyFromName(const std::string& name) {
  static const std::map<std::string, uint16_t> kNamed = {
      {"Up", vk::Up},        {"Down", vk::Down},     {"Left", vk::Left},    {"Right", vk::Right},
      {"Enter", vk::Return}, {"Escape", vk::Escape}, {"Space", vk::Space},  {"Backspace", vk::Back},
      {"Tab", vk::Tab},      {"Shift", vk::Shift},   {"Ctrl", vk::Control}, {"Alt", vk::Menu},
  };
  if (auto it = kNamed.find(name); it != kNamed.end()) return it->second;
  if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') return static_cast<uint16_t>(name[0]);
  if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return static_cast<uint16_t>(name[0]);
  if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F') {
    const int n = std::atoi(name.c_str() + 1);
    if (n >= 1 && n <= 12 && std::to_string(n) == name.substr(1)) {
      return static_cast<uint16_t>(vk::F1 + n - 1);
    }
  }
  return 0;
}

std::optional<PadButton> PadButtonFromName(const std::string& name) {
  static const std::map<std::string, PadButton> kButtons = {
      {"A", PadButton::A},           {"B", PadButton::B},
      {"X", PadButton::X},           {"Y", PadButton::Y},
      {"Back", PadButton::Back},     {"Start", PadButton::Start},
      {"DpadUp", PadButton::DpadUp}, {"DpadDown", PadButton::DpadDown},
      {"DpadLeft", PadButton::DpadLeft}, {"DpadRight", PadButton::DpadRight},
  };
  if (auto it = kButtons.find(name); it != kButtons.end()) return it->second;
  return std::nullopt;
}

std::optional<PadAxis> PadAxisFromName(const std::string& name) {
  static const std::map<std::string, PadAxis> kAxes = {
      {"LeftX", PadAxis::LeftX},
      {"LeftY", PadAxis::LeftY},
      {"LeftTrigger", PadAxis::LeftTrigger},
      {"RightTrigger", PadAxis::RightTrigger},
  };
  if (auto it = kAxes.find(name); it != kAxes.end()) return it->second;
  return std::nullopt;
}

std::map<uint64_t, std::vector<ScriptEvent>> ParseScript(std::istream& in) {
  static const std::map<std::string, ScriptEvent::Kind> kActions = {
      {"down", ScriptEvent::Down},
      {"up", ScriptEvent::Up},
      {"press", ScriptEvent::Press},
      {"type", ScriptEvent::Type},
      {"mouse", ScriptEvent::Mouse},
      {"click", ScriptEvent::Click},
      {"minimize", ScriptEvent::Minimize},
      {"restore", ScriptEvent::Restore},
      {"close", ScriptEvent::Close},
      {"focus-lost", ScriptEvent::FocusLost},
      {"focus-gained", ScriptEvent::FocusGained},
      {"pad-plug", ScriptEvent::PadPlug},
      {"pad-unplug", ScriptEvent::PadUnplug},
      {"pad-down", ScriptEvent::PadDown},
      {"pad-up", ScriptEvent::PadUp},
      {"pad-press", ScriptEvent::PadPress},
      {"pad-axis", ScriptEvent::PadAxisMove},
  };
  std::map<uint64_t, std::vector<ScriptEvent>> events;
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    auto bad = [&](const std::string& why) {
      return std::runtime_error("script line " + std::to_string(lineNumber) + ": " + why);
    };
    std::istringstream words(line);
    uint64_t tick = 0;
    std::string action;
    if (!(words >> tick >> action) || tick == 0) throw bad("expected TICK ACTION");
    const auto kind = kActions.find(action);
    if (kind == kActions.end()) throw bad("unknown action '" + action + "'");
    ScriptEvent event;
    event.Action = kind->second;
    switch (event.Action) {
      case ScriptEvent::Down:
      case ScriptEvent::Up:
      case ScriptEvent::Press: {
        std::string key;
        words >> key;
        event.Key = KeyFromName(key);
        if (event.Key == 0) throw bad("unknown key '" + key + "'");
        break;
      }
      case ScriptEvent::Type: {
        // The rest of the line after one separating blank.
        std::string rest;
        std::getline(words, rest);
        event.Text = rest.empty() ? rest : rest.substr(1);
        break;
      }
      case ScriptEvent::Mouse:
        if (!(words >> event.X >> event.Y)) throw bad("mouse needs X Y");
        break;
      case ScriptEvent::PadDown:
      case ScriptEvent::PadUp:
      case ScriptEvent::PadPress: {
        std::string name;
        words >> name;
        const std::optional<PadButton> button = PadButtonFromName(name);
        if (!button) throw bad("unknown pad button '" + name + "'");
        event.Button = *button;
        break;
      }
      case ScriptEvent::PadAxisMove: {
        std::string name;
        words >> name;
        const std::optional<PadAxis> axis = PadAxisFromName(name);
        if (!axis) throw bad("unknown pad axis '" + name + "'");
        if (!(words >> event.X) || event.X < -32768 || event.X > 32767) {
          throw bad("pad-axis needs a value from -32768 to 32767");
        }
        event.Axis = *axis;
        break;
      }
      default:
        break;
    }
    events[tick].push_back(event);
  }
  return events;
}
