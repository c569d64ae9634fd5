// The bike's draw routine: tyre marks, the bike, the opponents, the side panels and the track
// map in the right-hand panel.
#include "race/TPlayer.h"

void TPlayer::OnDraw() {}
