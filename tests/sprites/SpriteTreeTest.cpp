// The sprite tree: draw order, the move and draw passes, hit tests and the removal purge.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>

#include "SpriteTestSupport.h"
#include "sprites/TSpriteEngine.h"

using namespace sprite_test;
using ::testing::ElementsAre;

namespace {

class SpriteTree : public ::testing::Test {
 protected:
  SpriteTree() { engine.SetSurface(&screen); }

  Probe* Add(const std::string& name, TSprite* parent = nullptr) {
    return TSprite::Make<Probe>(parent != nullptr ? parent : &engine, name, &log);
  }
  std::vector<std::string> DrawLog() {
    log.clear();
    engine.Draw();
    return log;
  }

  std::vector<std::string> log;  // outlives the engine, whose sprites log their destruction
  Surface screen{800, 600};
  TSpriteEngine engine;
};

TEST_F(SpriteTree, SpriteGivenAnEqualZLaterIsDrawnUnderTheOther) {
  Probe* a = Add("a");
  Probe* b = Add("b");
  a->SetZ(5);
  b->SetZ(5);
  EXPECT_THAT(DrawLog(), ElementsAre("draw b", "draw a"));

  // New sprites enter at Z 0, under the ones already there; a raise puts it on top.
  Probe* c = Add("c");
  Probe* d = Add("d");
  EXPECT_THAT(DrawLog(), ElementsAre("draw d", "draw c", "draw b", "draw a"));
  c->SetZ(9);
  d->SetZ(-1);
  EXPECT_THAT(DrawLog(), ElementsAre("draw d", "draw b", "draw a", "draw c"));

  // Setting the Z a sprite already has keeps its place.
  a->SetZ(5);
  EXPECT_THAT(DrawLog(), ElementsAre("draw d", "draw b", "draw a", "draw c"));
  EXPECT_EQ(engine.Child(0), a);
  EXPECT_EQ(engine.Child(3), d);
}

TEST_F(SpriteTree, InvisibleOrImmovableSpriteTakesItsSubtreeAlong) {
  Probe* parent = Add("parent");
  Add("child", parent);
  Probe* sibling = Add("sibling");
  sibling->SetZ(1);

  parent->Visible = false;
  EXPECT_THAT(DrawLog(), ElementsAre("draw sibling"));
  EXPECT_EQ(engine.DrawnCount(), 1);

  parent->Visible = true;
  parent->Movable = false;
  log.clear();
  engine.Move(16);
  EXPECT_THAT(log, ElementsAre("move sibling 16"));

  parent->Movable = true;
  log.clear();
  engine.Move(7);
  EXPECT_THAT(log, ElementsAre("move parent 7", "move child 7", "move sibling 7"));
}

TEST_F(SpriteTree, SpriteMadeDuringTheMovePassMovesFromTheNextPass) {
  Probe* maker = Add("maker");
  maker->WhenMoved = [this](Probe& self) {
    self.WhenMoved = nullptr;
    Add("late");
  };
  engine.Move(1);
  EXPECT_THAT(log, ElementsAre("move maker 1"));
  log.clear();
  engine.Move(2);
  EXPECT_THAT(log, ElementsAre("move maker 2", "move late 2"));
}

TEST_F(SpriteTree, OnlySpritesOverlappingTheScreenAreDrawnAndCounted) {
  Probe* left = Add("left");
  left->X = -10;  // right edge on the screen's left edge
  Probe* top = Add("top");
  top->Y = -9.5;  // rounds to -10 (half to even)
  Probe* right = Add("right");
  right->X = 800;
  Probe* bottom = Add("bottom");
  bottom->Y = 600;
  Probe* corner = Add("corner");
  corner->X = 799;
  corner->Y = -9;
  EXPECT_THAT(DrawLog(), ElementsAre("draw corner"));
  EXPECT_EQ(engine.DrawnCount(), 1);

  // A culled parent still draws its children that are on screen.
  Probe* child = Add("child", left);
  child->X = 20;
  EXPECT_THAT(DrawLog(), ElementsAre("draw corner", "draw child"));
  EXPECT_EQ(engine.DrawnCount(), 2);
}

TEST_F(SpriteTree, NothingIsDrawnWhileTheDisplayIsDown) {
  Add("a");
  engine.Draw();
  EXPECT_EQ(engine.DrawnCount(), 1);
  engine.SetSurface(nullptr);
  EXPECT_EQ(engine.Surface(), nullptr);
  EXPECT_EQ(engine.Width, 0);
  EXPECT_THAT(DrawLog(), ElementsAre());

  Surface small(100, 50);
  engine.SetSurface(&small);
  EXPECT_EQ(engine.Width, 100);
  EXPECT_EQ(engine.SurfaceBounds().Bottom, 50);
}

TEST_F(SpriteTree, BoundsRoundTheWorldPositionHalfToEven) {
  Probe* parent = Add("parent");
  parent->X = 100;
  parent->Y = 0.5;
  Probe* child = Add("child", parent);
  child->X = 2.5;
  child->Y = 1.0;
  EXPECT_DOUBLE_EQ(child->WorldX(), 102.5);
  const SurfaceRect box = child->GetBounds();
  EXPECT_EQ(box.Left, 102);
  EXPECT_EQ(box.Top, 2);  // 1.5 rounds to 2
  EXPECT_EQ(box.Right, 112);
  EXPECT_EQ(box.Bottom, 12);
  child->X = 3.5;
  EXPECT_EQ(child->GetBounds().Left, 104);
}

TEST_F(SpriteTree, ChildOutsideTheListRaisesTheGameMessage) {
  Probe* lonely = Add("lonely");
  EXPECT_EQ(lonely->ChildCount(), 0);
  try {
    lonely->Child(0);
    FAIL() << "no error";
  } catch (const std::out_of_range& e) {
    EXPECT_STREQ(e.what(), "Index of the list exceeds the range. (0)");
  }
  Add("a");
  EXPECT_THROW(engine.Child(-1), std::out_of_range);
  EXPECT_THROW(engine.Child(2), std::out_of_range);
  EXPECT_EQ(engine.Child(1)->Parent(), &engine);
}

TEST_F(SpriteTree, SpriteAtFindsTheHighestZIncludingRightAndBottomEdges) {
  Probe* low = Add("low");
  low->X = 10;
  low->Y = 10;
  low->Width = 20;
  low->Height = 20;
  low->SetZ(1);
  EXPECT_EQ(engine.SpriteAt(30, 30), low);
  EXPECT_EQ(engine.SpriteAt(10, 10), low);
  EXPECT_EQ(engine.SpriteAt(30.4, 9.6), low);  // rounds onto the edges
  EXPECT_EQ(engine.SpriteAt(30.6, 20), nullptr);
  EXPECT_EQ(engine.SpriteAt(20, 9.4), nullptr);

  Probe* high = Add("high");
  high->X = 25;
  high->Y = 25;
  high->SetZ(3);
  EXPECT_EQ(engine.SpriteAt(28, 28), high);
  high->Visible = false;
  EXPECT_EQ(engine.SpriteAt(28, 28), low);
  high->Visible = true;
  high->Hittable = false;  // not consulted
  EXPECT_EQ(engine.SpriteAt(28, 28), high);

  // An equal Z found later does not replace the first.
  Probe* twin = Add("twin");
  twin->X = 10;
  twin->Y = 10;
  twin->SetZ(1);
  EXPECT_EQ(engine.SpriteAt(12, 12), low);

  // Children are tested in their parent's frame.
  Probe* child = Add("child", high);
  child->X = 100;
  child->SetZ(7);
  EXPECT_EQ(engine.SpriteAt(130, 30), child);
}

TEST_F(SpriteTree, PurgeDestroysRequestedSpritesAndTheirChildrenLastFirst) {
  Probe* parent = Add("parent");
  Add("first", parent);
  Probe* second = Add("second", parent);
  Add("other");
  EXPECT_EQ(engine.SpriteCount(), 4);

  second->MarkRemoved();
  parent->MarkRemoved();
  parent->MarkRemoved();
  EXPECT_THAT(engine.RemovalList(), ElementsAre(second, parent));
  EXPECT_TRUE(second->Removed());

  // Still moved and drawn until the purge.
  EXPECT_THAT(DrawLog(), ElementsAre("draw other", "draw parent", "draw second", "draw first"));

  log.clear();
  engine.PurgeRemoved();
  EXPECT_THAT(log, ElementsAre("~second", "~first", "~parent"));
  EXPECT_TRUE(engine.RemovalList().empty());
  EXPECT_EQ(engine.SpriteCount(), 1);
  EXPECT_EQ(engine.ChildCount(), 1);
  EXPECT_THAT(DrawLog(), ElementsAre("draw other"));
}

TEST(SpriteEngineLife, EngineDestroysItsSpritesLastFirst) {
  std::vector<std::string> log;
  {
    TSpriteEngine engine;
    Probe* a = TSprite::Make<Probe>(&engine, "a", &log);
    TSprite::Make<Probe>(a, "a1", &log);
    TSprite::Make<Probe>(&engine, "b", &log)->MarkRemoved();
    EXPECT_EQ(engine.SpriteCount(), 3);
  }
  EXPECT_THAT(log, ElementsAre("~b", "~a1", "~a"));
}

}  // namespace
