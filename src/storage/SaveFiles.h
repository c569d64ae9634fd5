// The high-score table and the options file kept as one pair in the save folder: the options
// file carries the table's signature, so one is never replaced without the other.
#pragma once

#include <string>
#include <vector>

#include "storage/SaveFile.h"

// Start-up: the table, then the options, then the signature check.
void LoadSaveFiles(SaveFolder& folder);
// Shutdown: both files or neither; one message for every file not saved.
std::vector<std::string> WriteSaveFiles(SaveFolder& folder);
