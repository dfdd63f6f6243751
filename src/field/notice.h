#pragma once
// A line of text on a dark plate, centred across the screen: the signs of a networked match (who
// is being waited for, why it ended) and the screens before it.
#include <string>

namespace field {

// `text` is UTF-8; the plate is drawn over whatever the frame holds.
void DrawNotice(const std::string& text, float centreY);

// Shows the text on black for four seconds of the clock, long enough to read a line, or until a
// key or a click; also prints it, so that a run without a window says the same.
void ShowNotice(const std::string& text);

}  // namespace field
