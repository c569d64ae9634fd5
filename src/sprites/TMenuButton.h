// A selectable item on a screen or dialog, with a normal and a highlighted look.
#pragma once

#include "sprites/TMyImageSprite.h"

class TMenuButton : public TMyImageSprite {
 public:
  // Shown in its normal look with the top-left corner at (x, y), at Z 4.
  TMenuButton(TSpriteEngine* engine, int selector, int normalPicture, int highPicture,
              int normalPattern, int highPattern, double x, double y);
  static TMenuButton* Create(TSpriteEngine* engine, int selector, int normalPicture,
                             int highPicture, int normalPattern, int highPattern, double x,
                             double y);

  void ShowHighlighted();
  void ShowNormal();
  // The mouse hit box: X, Y and HitWidth by HitHeight (Width, Height where they are -1), with
  // all four edges inside.
  bool HitBoxContains(double x, double y) const;

  int HighPicture = 0;
  int NormalPicture = 0;
  int HighPattern = 0;
  int NormalPattern = 0;
  int HitWidth = -1;
  int HitHeight = -1;
  bool Highlighted = false;
  bool DialogZ = false;  // 17 while highlighted, 15 otherwise
  bool RaiseZ = false;   // HighZ while highlighted, NormalZ otherwise
  int NormalZ = 4;
  int HighZ = 5;

 protected:
  ~TMenuButton() override = default;
};
