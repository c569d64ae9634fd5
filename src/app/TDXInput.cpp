#include "app/TDXInput.h"

#include "app/TPadInput.h"
#include "platform/KeyCodes.h"

namespace {
constexpr std::array<uint16_t, kInputStateCount> kKeyAssignment = {
    vk::Up, vk::Down, vk::Left, vk::Right, 'H', 'P', 'Y', 'N', vk::Escape, vk::Space, vk::Return,
};
}  // namespace

TDXInput::TDXInput(KeyboardDevice& keyboard) : Keyboard_(keyboard) {}

uint16_t TDXInput::KeyOf(TDXInputState state) {
  return kKeyAssignment[state];
}

void TDXInput::Update(const TPadInput& pad, bool driving) {
  for (int i = 0; i < kInputStateCount; ++i) {
    const auto state = static_cast<TDXInputState>(i);
    States_[i] = Active_ && (Keyboard_.IsKeyDown(kKeyAssignment[i]) || pad.Holds(state, driving));
  }
}
