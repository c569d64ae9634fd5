// `gearrush-headless run`: the real game on the headless platform.
#pragma once

int RunRunCommand(int argc, char** argv);
