#pragma once
#include <string>

#include "media/stream.h"

// Reads a NUL-padded text field of n bytes: the text is everything before the first NUL, and all
// n bytes are consumed unless the stream ends first.
std::string ReadFixedText(media::Stream& stream, int n);
