// The game on the headless platform with this build's baked pictures and sounds, the menu
// cleared away, and a race laid out by hand: the road, the bonuses, the bike and the opponents
// on either a generated track or a plain straight one.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "BakedGameTest.h"
#include "race/TCar.h"

class TSpriteEngine;

class TrafficTest : public BakedGameTest {
 protected:
  void SetUp() override;

  TSpriteEngine& Engine() { return Game->Form().MDXSpriteEngine; }

  // A generated track of `level` from `seed`, as the race start builds it.
  void BuildTrack(int level, uint32_t seed);
  // Every row a straight road in columns 321..324 (edge, two lanes, edge) with a plain shoulder
  // and a roadside on each side, the view at the start.
  void LayStraightTrack(int level);
  // The race's sprites on the current track, in the race start's order.
  void CreateRace(bool withBike = true);

  // One opponent of model 1 in slot `slot`, riding straight up with its centre at the world
  // point (centreX, centreY) after its next move at step `step`; the timers far off.
  TOpponent& PutRider(int slot, double centreX, double centreY, double step);
};

// World x of the straight track's centre line and its road's columns.
constexpr int kStraightCentreX = 72 * 323;
constexpr int kStraightLeftEdge = 321;
