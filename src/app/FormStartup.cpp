// Start-up, display modes and shutdown of the main form.
#include <utility>

#include "app/Random.h"
#include "app/ScreenHooks.h"
#include "app/ShellState.h"
#include "app/TMForm.h"
#include "online/ScoreServer.h"
#include "sprites/GameImages.h"
#include "storage/GameOptions.h"
#include "storage/SaveFiles.h"

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
      MDXSound(*Platform_.sound),
      ScoreServer_(ChooseScoreServer(nullptr, nullptr)) {
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
  SaveFolder saves(Folders_.Saves());
  LoadSaveFiles(saves);
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
  // The two files are saved together or not at all; each one not saved is reported, and the
  // game still ends.
  SaveFolder saves(Folders_.Saves());
  for (const std::string& message : WriteSaveFiles(saves)) Platform_.system->ShowErrorBox(message);
  GoToLinkFile();
  Terminated_ = true;
}

void TMForm::FormClose() {
  ShutDown();
}
