// Key codes and shift-state bits as the game stores and compares them (the options file keeps
// these values), whatever window system delivers the keys.
#pragma once

#include <cstdint>

namespace vk {
constexpr uint16_t Back = 8;
constexpr uint16_t Tab = 9;
constexpr uint16_t Return = 13;
constexpr uint16_t Shift = 16;
constexpr uint16_t Control = 17;
constexpr uint16_t Menu = 18;  // Alt
constexpr uint16_t Escape = 27;
constexpr uint16_t Space = 32;
constexpr uint16_t Left = 37;
constexpr uint16_t Up = 38;
constexpr uint16_t Right = 39;
constexpr uint16_t Down = 40;
constexpr uint16_t Digit0 = 48;  // '0'..'9' are 48..57
constexpr uint16_t LetterA = 65;  // 'A'..'Z' are 65..90
constexpr uint16_t F1 = 112;      // F1..F12 are 112..123
constexpr uint16_t F12 = 123;
constexpr uint16_t Count = 256;
}  // namespace vk

// Shift state of a key or mouse event; the mouse-button bits count when the boss key compares.
namespace ss {
constexpr uint8_t Shift = 1;
constexpr uint8_t Alt = 2;
constexpr uint8_t Ctrl = 4;
constexpr uint8_t Left = 8;
constexpr uint8_t Right = 16;
constexpr uint8_t Middle = 32;
constexpr uint8_t Double = 64;
}  // namespace ss

// Window system commands the form reacts to (low four bits masked off).
constexpr uint32_t kSysCommandMinimize = 0xF020;
constexpr uint32_t kSysCommandRestore = 0xF120;
// Size type of a window that has just been minimised.
constexpr int kSizeMinimized = 1;
