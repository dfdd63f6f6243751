#pragma once
// field/, above entities/: what the match and the tutorial both set their play field up with: the
// horde, the players' draw depths, the panorama's start and speed, and the cap on the frame rate.
#include "field/panorama.h"

class TTimer;

namespace field {

inline constexpr float kStartScroll = 401.0f;
inline constexpr float kScrollSpeed = 0.4f;  // pixels per game millisecond
inline constexpr int kHordeSize = 10;
inline constexpr int kFirstPlayerDepth = 50;
// Each later player slot is drawn this much further back.
inline constexpr int kPlayerDepthStep = 10;

// Picks the panel variant of every panel position anew.
void ShuffleTiles(PanelTiles& tiles);
// Sleeps what the frame's real time leaves of a 60 Hz frame.
void CapFrameRate(const TTimer& timer);

}  // namespace field
