// `gearrush-headless bake-check`: lists what the collection files under Data/Res hold, one
// item a line, to compare the baked assets with the catalogue.
#pragma once

#include <ostream>
#include <string>

// Runs the command with the arguments after the word "bake-check" (`--data DIR`, default the
// current directory); returns the exit status. A file that fails to load is reported with the
// game's message and makes the status non-zero.
int RunBakeCheckCommand(int argc, char** argv);

// Writes the listing of every collection file in dataRoot/Data/Res, in name order; returns
// false if any of them failed to load.
bool ListCollections(const std::string& dataRoot, std::ostream& out, std::ostream& err);
