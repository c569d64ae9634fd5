// The menus' scenarios run the real game with this build's baked data.
#pragma once

#include "BakedGameTest.h"

class MenuTest : public BakedGameTest {};
