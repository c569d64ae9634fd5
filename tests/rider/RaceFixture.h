// A race on the headless platform with the baked data of this build, in a scratch folder of its
// own: the menus are passed with the keys, then the tests drive the bike with held keys and may
// move the view along the generated track.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

#include "BakedGameTest.h"
#include "app/ShellState.h"

class TPlayer;

class RaceTest : public BakedGameTest {
 protected:
  // From the main menu through the bike screen into a race on `model`, under its level-start
  // message (`wait` false) or after the bike's first move (`wait` true).
  void StartRace(int model = 1, bool wait = true);
  // Ticks until the open dialog of this kind has closed; fails after 2000 ticks.
  void WaitWhileDialog(DialogKind kind);
  // Ticks until `done` holds; fails after `limit` ticks. Returns the ticks taken.
  template <class F>
  int TicksUntil(F done, int limit = 3000) {
    int ticks = 0;
    while (!done()) {
      if (ticks >= limit) {
        ADD_FAILURE() << "condition not reached in " << limit << " ticks";
        return ticks;
      }
      Game->RunTick();
      ++ticks;
    }
    return ticks;
  }
  void Hold(uint16_t key);
  void Release(uint16_t key);

  // Moves the view so that the bike's centre lies on world x `worldX` in track row `row`,
  // standing still; sideways `offsetPx` from the road's centre line with PlaceBikeOnRoad.
  void PlaceBikeAt(double worldX, int row);
  void PlaceBikeOnRoad(int row, double offsetPx = 0);
  // Every row of the track becomes a copy of the start straight's row `row`: the bike can ride
  // straight up for as long as a test needs. The opponents leave the race.
  void LayStraightTrack(int row = 1470);
  // The track row under the bike's centre.
  int BikeRow() const;

  TPlayer& Bike() const;
};
