// The state line written after each tick: one JSON object of the game's visible state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"

class TMForm;

std::string StateLine(uint64_t tick, TMForm& form, HeadlessDevices& devices,
                      const std::vector<int>& sounds);
