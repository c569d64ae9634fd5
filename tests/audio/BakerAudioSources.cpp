// The asset baker is a tool of its own, outside the game library; its sound and music code is
// compiled into this test binary so the tests can bake in memory.
#include "../../tools/assetbake/Music.cpp"
#include "../../tools/assetbake/Sounds.cpp"
#include "../../tools/assetbake/Synth.cpp"
#include "../../tools/assetbake/XmWriter.cpp"
