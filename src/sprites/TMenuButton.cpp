#include "sprites/TMenuButton.h"

#include "sprites/TSpriteEngine.h"

namespace {

constexpr int kButtonZ = 4;
constexpr int kDialogNormalZ = 15;
constexpr int kDialogHighZ = 17;

}  // namespace

TMenuButton::TMenuButton(TSpriteEngine* engine, int selector, int normalPicture, int highPicture,
                         int normalPattern, int highPattern, double x, double y)
    : TMyImageSprite(engine, 1),
      HighPicture(highPicture),
      NormalPicture(normalPicture),
      HighPattern(highPattern),
      NormalPattern(normalPattern) {
  ImageListSel = static_cast<uint8_t>(selector);
  SetPicture(normalPicture);
  AnimPosition = normalPattern;
  X = x;
  Y = y;
  SetZ(kButtonZ);
}

TMenuButton* TMenuButton::Create(TSpriteEngine* engine, int selector, int normalPicture,
                                 int highPicture, int normalPattern, int highPattern, double x,
                                 double y) {
  return Make<TMenuButton>(engine, selector, normalPicture, highPicture, normalPattern, highPattern,
                           x, y);
}

void TMenuButton::ShowHighlighted() {
  if (DialogZ) SetZ(kDialogHighZ);
  SetPicture(HighPicture);
  AnimPosition = HighPattern;
  if (RaiseZ) SetZ(HighZ);
}

void TMenuButton::ShowNormal() {
  if (DialogZ) SetZ(kDialogNormalZ);
  SetPicture(NormalPicture);
  AnimPosition = NormalPattern;
  if (RaiseZ) SetZ(NormalZ);
}

bool TMenuButton::HitBoxContains(double x, double y) const {
  const double width = HitWidth == -1 ? Width : HitWidth;
  const double height = HitHeight == -1 ? Height : HitHeight;
  return x >= X && x <= X + width && y >= Y && y <= Y + height;
}
