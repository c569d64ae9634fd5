// gearrush-headless: the real game without a window, audio device or network, for tests,
// benchmarks and screenshots.
#include <cstring>
#include <iostream>

#include "BakeCheck.h"
#include "RunCommand.h"
#include "TrackCommand.h"

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "run") == 0) return RunRunCommand(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "track") == 0) return RunTrackCommand(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "bake-check") == 0) {
    return RunBakeCheckCommand(argc - 2, argv + 2);
  }
  std::cerr << "usage: gearrush-headless run|track|bake-check ...\n";
  return 2;
}
