// Input scripts of the headless runner: one event a line, "TICK ACTION [ARGS]".
#pragma once

#include <cstdint>
#include <istream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Devices.h"

struct ScriptEvent {
  enum Kind {
    Down,
    Up,
    Press,
    Type,
    Mouse,
    Click,
    Minimize,
    Restore,
    Close,
    FocusLost,
    FocusGained,
    // The one game controller of a script.
    PadPlug,
    PadUnplug,
    PadDown,
    PadUp,
    PadPress,
    PadAxisMove
  };
  Kind Action = Down;
  uint16_t Key = 0;  // Down, Up, Press
  std::string Text;  // Type
  int X = 0, Y = 0;  // Mouse
  PadButton Button = PadButton::A;  // PadDown, PadUp, PadPress
  PadAxis Axis = PadAxis::LeftX;    // PadAxisMove, with its value in X
};

// Events by tick, in file order. Throws std::runtime_error naming the line of a bad event.
std::map<uint64_t, std::vector<ScriptEvent>> ParseScript(std::istream& in);
// The game key code of a key name ("Enter", "F9", "A", "7"); 0 for an unknown name.
uint16_t KeyFromName(const std::string& name);
// A pad button ("A", "Start", "DpadLeft") or axis ("LeftX", "RightTrigger") by name.
std::optional<PadButton> PadButtonFromName(const std::string& name);
std::optional<PadAxis> PadAxisFromName(const std::string& name);
