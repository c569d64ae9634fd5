// The polled keyboard: each game control state is bound to one key and read once per tick.
#pragma once

#include <array>
#include <cstdint>

#include "platform/Devices.h"

class TPadInput;

enum TDXInputState : uint8_t {
  isUp,
  isDown,
  isLeft,
  isRight,
  isButton5,   // H: horn
  isButton6,   // P: pause
  isButton7,   // Y: yes
  isButton8,   // N: no
  isButton9,   // Escape
  isButton10,  // Space: extra brake
  isButton11,  // Enter
  kInputStateCount
};

class TDXInput {
 public:
  explicit TDXInput(KeyboardDevice& keyboard);

  // Reads the keys and the game controllers (driving: a race with no dialog, which picks the
  // pads' layout); while the application is inactive every state reads as up.
  void Update(const TPadInput& pad, bool driving);
  bool Held(TDXInputState state) const { return States_[state]; }
  void SetActive(bool active) { Active_ = active; }
  // The key bound to a state.
  static uint16_t KeyOf(TDXInputState state);

 private:
  KeyboardDevice& Keyboard_;
  std::array<bool, kInputStateCount> States_{};
  bool Active_ = true;
};
