#pragma once
// The two volume settings of the options (0-100) as channel levels. Both sliders follow one curve:
// the level goes with the square of the setting, so the slider is heard evenly along its length
// (halving the setting lowers the level by 12 dB wherever it starts), 0 is silence and the middle
// is a comfortable level a little under the defaults. Each kind of sound is then brought to its
// place in the mix: at the defaults a match's music sits near -20 dBFS RMS and the effects about
// 5 dB over it; the top of either slider is 6 dB over its default.
constexpr int kDefaultVolume = 70;
constexpr int kMaxVolume = 100;

// 0 to 1 along the slider, the same for music and effects; settings outside 0-100 are clamped.
float VolumeCurve(int setting);
// The channel level of the music and of the effects at a setting.
float MusicLevel(int setting);
float EffectsLevel(int setting);
