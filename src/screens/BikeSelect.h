// The bike selection screen's state.
#pragma once

class TMyImageSprite;

// The model the portraits are changing to.
extern int PendingBike;
// The portrait shown, and the one of the next model that shows through while it fades.
extern TMyImageSprite* BikePicture;
extern TMyImageSprite* NextBikePicture;
