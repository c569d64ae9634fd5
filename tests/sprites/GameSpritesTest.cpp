// The game's own sprites: pictures by number, frame-rate-free animation, alpha drawing, the
// once-only removal, menu buttons, the text cursor and the gauge needle.
#include <gtest/gtest.h>

#include <vector>

#include "SpriteTestSupport.h"
#include "app/ShellState.h"
#include "sprites/GameImages.h"
#include "sprites/ImageDrawing.h"
#include "sprites/TMenuButton.h"
#include "sprites/TMyCursor.h"
#include "sprites/TMyImageSprite.h"
#include "sprites/TPointer.h"
#include "sprites/TSpriteEngine.h"

using namespace sprite_test;

namespace {

enum List1Picture { kFourFrames, kTwoLooks, kWideLook, kCursor, kOddSize };

class GameSprites : public ::testing::Test {
 protected:
  GameSprites() {
    ResetShellState();
    list1.Items.push_back(MakeFlatPatterns(10, 10, 4, [](int p) { return 200 + p; }));
    list1.Items.push_back(MakeFlatPatterns(20, 10, 2, [](int p) { return 300 + p; }));
    list1.Items.push_back(MakeFlatPatterns(30, 6, 1, [](int) { return 400; }));
    list1.Items.push_back(MakeFlatPatterns(2, 12, 1, [](int) { return 500; }));
    list1.Items.push_back(MakeItem(5, 3));
    list2.Items.push_back(MakeItem(8, 4));
    SetGameImageLists(&list1, &list2, &list3);
    engine.SetSurface(&screen);
  }
  ~GameSprites() override {
    SetGameImageLists(nullptr, nullptr, nullptr);
    ResetShellState();
  }

  TDXImageList list1, list2, list3;
  Surface screen = Backdrop(200, 100);
  TSpriteEngine engine;
};

TEST_F(GameSprites, AnimationAtFullSpeedAdvancesOnePatternPerFrameAtAnyRate) {
  for (const int frameMs : {16, 11, 10}) {
    FrameMs = frameMs;
    TMyImageSprite* s = TMyImageSprite::CreateAt(&engine, 1, kFourFrames, 0, 0, 0);
    s->StartAnimation(kFourFrames, 100);
    EXPECT_EQ(s->AnimLength, 4);
    engine.Move(frameMs);
    EXPECT_EQ(s->AnimPosition, 0.0) << "the first move only sets the rate";
    for (const double expected : {1.0, 2.0, 3.0, 0.0, 1.0}) {
      engine.Move(frameMs);
      EXPECT_NEAR(s->AnimPosition, expected, 1e-9) << frameMs << " ms frames";
    }
    engine.Draw();
    EXPECT_EQ(screen.At(0, 0), 201);
    s->RequestRemoval();
    engine.PurgeRemoved();
  }
}

TEST_F(GameSprites, PositionOnThreeAndAHalfDrawsNothingAndJustAboveReturnsToZero) {
  TMyImageSprite* s = TMyImageSprite::CreateAt(&engine, 1, kFourFrames, 0, 0, 0);
  s->AnimPosition = 3.0;
  s->AnimRate = 0.5;
  engine.Move(1);
  EXPECT_EQ(s->AnimPosition, 3.5);
  EXPECT_EQ(s->ShownPattern(), 4);
  engine.Draw();
  EXPECT_EQ(ChangedPixels(screen), 0);

  s->AnimPosition = 3.0;
  s->AnimRate = 0.51;
  engine.Move(1);
  EXPECT_EQ(s->AnimPosition, 0.0);
}

TEST_F(GameSprites, RemovalRequestedTwiceIsQueuedOnce) {
  TMyImageSprite* s = TMyImageSprite::Create(&engine, 1);
  TMyImageSprite::Create(&engine, 1);
  s->RequestRemoval();
  s->RequestRemoval();
  EXPECT_TRUE(s->RemovalRequested);
  EXPECT_EQ(engine.RemovalList().size(), 1u);
  engine.PurgeRemoved();
  EXPECT_EQ(engine.SpriteCount(), 1);
}

TEST_F(GameSprites, PicturesComeFromTheSelectedCollection) {
  TMyImageSprite* s = TMyImageSprite::CreateCentred(&engine, 1, kOddSize, 10, 10, 7);
  EXPECT_DOUBLE_EQ(s->X, 7.5);  // halves are kept
  EXPECT_DOUBLE_EQ(s->Y, 8.5);
  EXPECT_EQ(s->Z(), 7);
  EXPECT_EQ(s->AnimLength, 1);
  EXPECT_TRUE(s->AnimLoop);

  // Selector 3 leaves the picture alone but still resets the animation to it.
  s->ImageListSel = 3;
  s->AnimPosition = 0.7;
  s->SetPicture(kWideLook);
  EXPECT_EQ(s->Image(), &list1.Items[kOddSize]);
  EXPECT_EQ(s->AnimPosition, 0.0);

  // A number outside the collection leaves the sprite without a picture.
  s->ImageListSel = 2;
  s->SetPicture(5);
  EXPECT_EQ(s->Image(), nullptr);
  EXPECT_EQ(s->Width, 0);
  EXPECT_EQ(s->AnimLength, 0);
  engine.Draw();
  EXPECT_EQ(ChangedPixels(screen), 0);
}

TEST_F(GameSprites, AlphaDrawingTruncatesPositionAndPattern) {
  TMyImageSprite* s = TMyImageSprite::CreateAt(&engine, 1, kFourFrames, 10.7, 5.2, 0);
  s->AnimPosition = 1.6;
  s->AlphaOn = true;
  s->Alpha = 254;
  engine.Draw();
  Surface expected = Backdrop(200, 100);
  DrawAlpha(list1.Items[kFourFrames], expected, {10, 5, 20, 15}, 1, 254);
  EXPECT_TRUE(std::equal(screen.Data(), screen.Data() + 200 * 100, expected.Data()));

  // At full weight the ordinary path rounds instead.
  screen.Fill(kBackdrop);
  s->Alpha = 255;
  engine.Draw();
  EXPECT_EQ(screen.At(10, 5), kBackdrop);
  EXPECT_EQ(screen.At(11, 5), 202);
}

TEST_F(GameSprites, TextCursorBlinksEveryBlinkPeriodInWholeFrames) {
  FrameMs = 16;
  TMyCursor* cursor = TMyCursor::Create(&engine, 1, kCursor, 221, 314, 15, 600);
  EXPECT_FALSE(cursor->Visible);
  EXPECT_EQ(cursor->Z(), 15);
  cursor->Visible = true;
  engine.Move(16);
  EXPECT_FALSE(cursor->Visible) << "a cursor not blinking stays hidden";

  cursor->Blinking = true;
  std::vector<bool> shown;
  for (int i = 0; i < 80; ++i) {
    engine.Move(16);
    shown.push_back(cursor->Visible);
  }
  // 600 ms in 16 ms frames: 37 frames count down, the 38th runs out and the next toggles.
  EXPECT_TRUE(shown[0]);
  EXPECT_TRUE(shown[37]);
  EXPECT_FALSE(shown[38]);
  EXPECT_FALSE(shown[75]);
  EXPECT_TRUE(shown[76]);
}

TEST_F(GameSprites, MenuButtonSwapsLooksAndMovesInZOnlyWhenAsked) {
  TMenuButton* b = TMenuButton::Create(&engine, 1, kTwoLooks, kWideLook, 1, 0, 100, 50);
  EXPECT_EQ(b->Z(), 4);
  EXPECT_EQ(b->AnimPosition, 1.0);
  EXPECT_EQ(b->Width, 20);
  engine.Draw();
  EXPECT_EQ(screen.At(100, 50), 301);

  b->ShowHighlighted();
  EXPECT_EQ(b->Image(), &list1.Items[kWideLook]);
  EXPECT_EQ(b->AnimPosition, 0.0);
  EXPECT_EQ(b->Width, 30);
  EXPECT_EQ(b->Z(), 4);
  b->ShowNormal();
  EXPECT_EQ(b->Image(), &list1.Items[kTwoLooks]);
  EXPECT_EQ(b->AnimPosition, 1.0);

  b->DialogZ = true;
  b->ShowHighlighted();
  EXPECT_EQ(b->Z(), 17);
  b->ShowNormal();
  EXPECT_EQ(b->Z(), 15);

  b->DialogZ = false;
  b->RaiseZ = true;
  b->ShowHighlighted();
  EXPECT_EQ(b->Z(), 5);
  b->ShowNormal();
  EXPECT_EQ(b->Z(), 4);

  // The highlighted one of two dialog buttons is the one found under the mouse.
  TMenuButton* other = TMenuButton::Create(&engine, 1, kTwoLooks, kTwoLooks, 1, 0, 100, 50);
  b->RaiseZ = other->RaiseZ = false;
  b->DialogZ = other->DialogZ = true;
  b->ShowNormal();
  other->ShowHighlighted();
  EXPECT_EQ(engine.SpriteAt(105, 55), other);
}

TEST_F(GameSprites, MenuButtonHitBoxUsesItsOwnWidthWithEdgesIncluded) {
  TMenuButton* b = TMenuButton::Create(&engine, 1, kTwoLooks, kWideLook, 1, 0, 100, 50);
  EXPECT_TRUE(b->HitBoxContains(120, 60));
  EXPECT_FALSE(b->HitBoxContains(121, 60));
  b->HitWidth = 200;
  EXPECT_TRUE(b->HitBoxContains(300, 50));
  EXPECT_FALSE(b->HitBoxContains(300.5, 50));
  EXPECT_TRUE(b->HitBoxContains(100, 60));
  EXPECT_FALSE(b->HitBoxContains(100, 60.01));
  EXPECT_FALSE(b->HitBoxContains(99.9, 55));
}

TEST_F(GameSprites, NeedleTurnsItsPictureAboutThePivot) {
  TPointer* needle = TPointer::Create(&engine, 2, 0, 10, 20, 0.0, 0.0);
  EXPECT_EQ(needle->Z(), 12);
  engine.Draw();
  // The pivot lands one picture size beyond the base position.
  EXPECT_EQ(screen.At(18, 24), PixelAt(0, 0));
  EXPECT_EQ(screen.At(25, 27), PixelAt(7, 3));
  EXPECT_EQ(ChangedPixels(screen), 32);

  screen.Fill(kBackdrop);
  needle->Angle = 64;
  engine.Draw();
  EXPECT_EQ(screen.At(17, 24), PixelAt(0, 0));
  EXPECT_EQ(screen.At(14, 31), PixelAt(7, 3));
  EXPECT_EQ(ChangedPixels(screen), 32);
}

}  // namespace
