// Start-up, display modes and shutdown of the main form.
#include <utility>

#include "app/Random.h"
#include "app/ScreenHooks.h"
#include "app/ShellState.h"
#include "app/TMForm.h"
#include "sprites/GameImages.h"
#include "storage/GameOptions.h"
#include "storage/HighScores.h"
#include "storage/OptionsFile.h"

TMForm* MForm = nullptr;

namespace {
// A display that answers 0 or 1 for its refresh rate means "the hardware default", which tells
// us nothing; the frame timing then assumes the most common rate.
constexpr int kFallbackRefreshRate = 60;
}  // namespace

TMForm::TMForm(Platform platform, GameFolders folders)
    : Platform_(std::move(platform)),
      MDXDraw(*Platform_.display),
      MDXInput(*Platform_.keyboard),
      MDXTimer(*Platform_.clock),
      MDXSound(*Platform_.sound) {
  MForm = this;
  MDXDraw.OnSurfaceChange = [this](Surface* surface) { MDXSpriteEngine.SetSurface(surface); };
  MDXTimer.OnTimer = [this](int lagCount) { MDXTimerTimer(lagCount); };
  SetGameImageLists(&MDXImageList1, &MDXImageList2, &MDXImageList3);
  Folders_ = std::move(folders);
}

TMForm::~TMForm() {
  if (MForm != this) return;
  SetGameImageLists(nullptr, nullptr, nullptr);
  MForm = nullptr;
}

void TMForm::FormCreate() {
  Platform_.system->RaisePriority();
  RandSeed = Platform_.clock->SeedFromClock();
  MDXImageList1.LoadFromFile(Folders_.Resource("Res1.dxg"));
  MDXImageList2.LoadFromFile(Folders_.Resource("Res2.dxg"));
  MDXImageList3.LoadFromFile(Folders_.Resource("Res3.dxg"));
  MDXWaveList.LoadFromFile(Folders_.Resource("Sounds.dxw"));
  MDXSound.Bind(MDXWaveList);
  LoadHighScores(Folders_.Saves());
  LoadOptions(Folders_.Saves());
  CheckHighScores();
  ApplyDisplayMode();
  CurrentScreen = ScreenNone;
  EnterMainMenu(/*intro=*/true, /*item=*/1, /*create=*/true);
}

void TMForm::ShowStartupError(const std::string& message) {
  Platform_.system->ShowErrorBox(message);
}

void TMForm::ApplyDisplayMode() {
  if (GameOptions.FullScreen) {
    EnterFullScreen();
  } else {
    EnterWindowed();
  }
  RefreshRate = MDXDraw.Device().ReportedRefreshRate();
  if (RefreshRate <= 1) RefreshRate = kFallbackRefreshRate;
}

void TMForm::EnterFullScreen() {
  MDXDraw.Finalize();
  SavedPlacement_ = MDXDraw.Device().GetPlacement();
  PlacementSaved_ = true;
  MDXDraw.Initialize(/*fullScreen=*/true);
}

void TMForm::EnterWindowed() {
  MDXDraw.Finalize();
  MDXDraw.Initialize(/*fullScreen=*/false);
  if (PlacementSaved_) {
    MDXDraw.Device().SetPlacement(SavedPlacement_);
    PlacementSaved_ = false;
  } else {
    MDXDraw.Device().CentreWindow();
  }
}

void TMForm::ShutDown() {
  MDXSpriteEngine.PurgeRemoved();
  // A file that cannot be written is reported; the other is still saved and the game still ends.
  for (void (*save)(const std::string&) : {SaveOptions, SaveHighScores}) {
    try {
      save(Folders_.Saves());
    } catch (const std::exception& e) {
      Platform_.system->ShowErrorBox(e.what());
    }
  }
  GoToLinkFile();
  Terminated_ = true;
}

void TMForm::FormClose() {
  ShutDown();
}
