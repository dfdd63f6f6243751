#pragma once
// The players' colours (0xRRGGBB) on everything that names a player: the pictures the build draws
// and what the field draws by itself alike. They step in brightness too (blue darkest, yellow
// brightest), so they part also for players who do not tell the hues apart.
inline constexpr int kPlayerColourCount = 4;
inline constexpr int kPlayerColours[kPlayerColourCount] = {0xe03a32, 0x2f56d0, 0x49c24a, 0xffe23c};
// What names a player on the field stands on these: pale words and rims on a dark ground.
inline constexpr int kSignIvory = 0xF4ECD8;
inline constexpr int kSignDark = 0x16101C;
