#pragma once
// SDL scancodes to the Windows virtual-key codes the game stores in its settings. Scancodes name
// the key's place, so a binding stays on the same key whatever the keyboard layout.
#include <SDL.h>

namespace media {

// 0 for keys the game has no code for.
int VirtualKeyFromScancode(SDL_Scancode scancode);

}  // namespace media
