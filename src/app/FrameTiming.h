// Frame timing: how far things move per frame and how many milliseconds a frame lasts.
#pragma once

// The rate the game's motion is scaled to: the measured frame rate where it differs clearly from
// the display's refresh rate, else the refresh rate.
int EffectiveFrameRate(int measured, int refresh);
// Recomputes MotionFactor and FrameMs from MeasuredFrameRate and RefreshRate.
void UpdateFrameTiming();
// Forgets which keys were held in the previous tick.
void ResetHeldKeys();
