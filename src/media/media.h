#pragma once
// media/, the bottom layer: the only code that talks to SDL, libpng and libvorbis.
#include "media/display.h"
#include "media/draw.h"
#include "media/image.h"
#include "media/input.h"
#include "media/sound.h"
#include "media/stream.h"
#include "media/system.h"
