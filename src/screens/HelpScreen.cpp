#include "screens/HelpScreen.h"

#include <array>

#include "app/Dispatch.h"
#include "app/ScreenHooks.h"
#include "app/ShellState.h"
#include "app/TMForm.h"
#include "screens/HelpTexts.h"
#include "screens/MenuItems.h"
#include "screens/Text.h"
#include "sprites/TMenuButton.h"

int HelpPage = 1;
std::array<TMyImageSprite*, 5> BonusIcons{};
TMyImageSprite* AboutPicture = nullptr;

namespace {
constexpr int kMenuList = 1;
constexpr int kRaceList = 2;
constexpr int kTitleSlot = 16;
constexpr int kPanelSlot = 17;
constexpr int kTitlePicture = 24;
constexpr int kPanelPicture = 51;
constexpr int kAboutPicture = 50;
constexpr int kPictureZ = 5;

constexpr int kTitleStyle = 19;
constexpr int kBodyStyle = 20;
constexpr int kHeadingStyle = 21;
constexpr int kAboutTitleStyle = 23;
constexpr int kTextX = 380;  // left edge of the titles and body lines
constexpr int kTitleY = 160;
constexpr int kLineSpacing = 30;
constexpr int kFirstOverviewLineY = 200;
constexpr int kHeadingY = 200;
constexpr int kFirstControlLineY = 230;
constexpr int kBonusLabelX = 430;
constexpr int kBonusIconX = 398;
// The About page's texts stand right of its picture.
constexpr int kAboutPictureX = 440;
constexpr int kAboutPictureY = 300;
constexpr int kAboutTitleX = 550;
constexpr int kAboutTitleY = 285;
constexpr int kAboutMakerX = 542;
constexpr int kAboutMakerY = 325;
constexpr int kAboutAddressX = 540;
constexpr int kAboutAddressY = 360;
// The licence notice takes the next row at the same spacing; the year-and-name line has no
// room left for it.
constexpr int kAboutLicenceY = 395;

enum Page { kOverview = 1, kBonuses = 2, kMenuControls = 3, kGameControls = 4, kAbout = 5 };
enum Item { kPrevious = 7, kNext = 8, kBack = 9 };

// The bonus icons of the second collection, top to bottom beside their labels.
constexpr std::array<int, 5> kBonusIconPictures = {41, 40, 39, 38, 42};
constexpr std::array<int, 5> kBonusRowY = {230, 290, 350, 410, 470};

struct ItemPlace {
  int Item, Picture, X, Y;
};
constexpr ItemPlace kItems[] = {
    {kPrevious, 42, 360, 542}, {kNext, 43, 513, 542}, {kBack, 36, 661, 542}};

void RemoveSprite(TMyImageSprite*& sprite) {
  if (sprite) sprite->RequestRemoval();
  sprite = nullptr;
}

// Left edge at x, centred on y.
void Line(const char* text, int x, int y) {
  PrintText(text, x, y, /*centerX=*/false, /*centerY=*/true);
}

template <size_t N>
void Lines(const std::array<const char*, N>& lines, int firstY) {
  for (size_t i = 0; i < N; ++i)
    Line(lines[i], kTextX, firstY + kLineSpacing * static_cast<int>(i));
}

void MoveByKeys() {
  const TInputEdges& e = InputEdges;
  if (e.Left) {
    if (SelectedItem == kPrevious) {
      ConfirmItem(kPrevious);
    } else if (SelectedItem == kNext) {
      SelectedItem = kPrevious;
    } else if (SelectedItem == kBack) {
      SelectedItem = kNext;
    }
  }
  // Right only moves the highlight; it never turns a page.
  if (e.Right) {
    if (SelectedItem == kNext) {
      SelectedItem = kBack;
    } else if (SelectedItem == kPrevious) {
      SelectedItem = kNext;
    }
  }
  if ((e.Left || e.Right || e.Up || e.Down) && (SelectedItem < kPrevious || SelectedItem > kBack)) {
    SelectedItem = kPrevious;
  }
  if (e.EscapeKey) ConfirmItem(kBack);
}
}  // namespace

void DrawHelpPage() {
  const int page = HelpPage >= 1 && HelpPage <= kHelpPageCount ? HelpPage : kOverview;
  SetTextStyle(kTitleStyle);
  Line(HelpPageTitles[page], kTextX, kTitleY);
  switch (page) {
    case kOverview:
      SetTextStyle(kBodyStyle);
      Lines(GameOverviewLines, kFirstOverviewLineY);
      break;
    case kBonuses:
      SetTextStyle(kHeadingStyle);
      for (size_t i = 0; i < BonusLabels.size(); ++i)
        Line(BonusLabels[i], kBonusLabelX, kBonusRowY[i]);
      break;
    case kMenuControls:
      SetTextStyle(kHeadingStyle);
      Line(MenuNavigationHeading, kTextX, kHeadingY);
      SetTextStyle(kBodyStyle);
      Lines(MenuNavigationLines, kFirstControlLineY);
      break;
    case kGameControls:
      SetTextStyle(kHeadingStyle);
      Line(GameNavigationHeading, kTextX, kHeadingY);
      SetTextStyle(kBodyStyle);
      Lines(GameNavigationLines, kFirstControlLineY);
      break;
    case kAbout:
      SetTextStyle(kAboutTitleStyle);
      Line(AboutTitle, kAboutTitleX, kAboutTitleY);
      SetTextStyle(kHeadingStyle);
      Line(AboutMakerLine, kAboutMakerX, kAboutMakerY);
      Line(AboutWebAddress, kAboutAddressX, kAboutAddressY);
      Line(AboutLicenceLine, kAboutAddressX, kAboutLicenceY);
      break;
  }
  for (TMyImageSprite* icon : BonusIcons) {
    if (icon) icon->Visible = page == kBonuses;
  }
  if (AboutPicture) AboutPicture->Visible = page == kAbout;
}

void EnterHelp() {
  CurrentScreen = ScreenHelp;
  FirstItem = kPrevious;
  LastItem = kBack;
  SelectedItem = kBack;
  HelpPage = kOverview;
  TSpriteEngine* engine = &MForm->MDXSpriteEngine;
  ItemSprites[kTitleSlot] = TMyImageSprite::CreateAt(engine, kMenuList, kTitlePicture, 479, 42, 3);
  ItemSprites[kPanelSlot] = TMyImageSprite::CreateAt(engine, kMenuList, kPanelPicture, 358, 130, 3);
  for (size_t i = 0; i < BonusIcons.size(); ++i) {
    BonusIcons[i] = TMyImageSprite::CreateCentred(engine, kRaceList, kBonusIconPictures[i],
                                                  kBonusIconX, kBonusRowY[i], kPictureZ);
    BonusIcons[i]->Visible = false;
  }
  AboutPicture = TMyImageSprite::CreateAt(engine, kMenuList, kAboutPicture, kAboutPictureX,
                                          kAboutPictureY, kPictureZ);
  AboutPicture->Visible = false;
  for (const ItemPlace& place : kItems) {
    ItemSprites[place.Item] =
        TMenuButton::Create(engine, kMenuList, place.Picture, place.Picture,
                            /*normalPattern=*/1, /*highPattern=*/0, place.X, place.Y);
  }
}

void RunHelp(int lagCount) {
  HighlightSelection(/*mouseTest=*/true);
  MoveByKeys();
  if (CurrentScreen != ScreenHelp) return;  // Escape went back to the main menu
  DrawHelpPage();
  MForm->MDXSpriteEngine.Move(lagCount);
}

void LeaveHelp() {
  CurrentScreen = ScreenNone;
  RemoveMenuBackdrop();
  RemoveItems();
  for (TMyImageSprite*& icon : BonusIcons) RemoveSprite(icon);
  RemoveSprite(AboutPicture);
  for (int slot : {kTitleSlot, kPanelSlot}) {
    if (auto* sprite = dynamic_cast<TMyImageSprite*>(ItemSprites[slot])) sprite->RequestRemoval();
    ItemSprites[slot] = nullptr;
  }
}

void PreviousHelpPage() {
  HelpPage = PreviousItemWrap(HelpPage, kOverview, kAbout);
}

void NextHelpPage() {
  HelpPage = NextItemWrap(HelpPage, kOverview, kAbout);
}
