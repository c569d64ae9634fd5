// The options file: the player's settings, the boss key and the high-score signature.
#pragma once

void LoadOptions();
// Throws std::runtime_error when the file cannot be written (the old file stays intact).
void SaveOptions();
