#include "cell.h"

#include "anim/anim_state.h"

namespace viewer {

constexpr uint32_t kBackground = 0xFFE8E4DA;
constexpr uint32_t kGround = 0xFF8C8270;
constexpr uint32_t kGuide = 0x40506070;  // the 25 x 90 collision box outline
constexpr uint32_t kCaption = 0xFF202020;
// Playback starts here rather than at 0, where a key frame's end time of 0 would read as "not
// advancing".
constexpr float kClockStart = 1000;

std::vector<RepBone> PoseAt(const Character& character, const Moment& moment) {
  const auto state = AnimState::Create(character.animations);
  if (!state || !state->Play(moment.animation, kClockStart, moment.loop ? 1 : 0, 0, 0)) return {};
  const float now = kClockStart + moment.time;
  state->Update(now);
  state->Pose(now, moment.scaleX, 1, moment.angle);
  return state->repBones;
}

void DrawCell(cairo_t* cr, int left, int top, const Character& character, const Moment& moment,
              const std::string& caption) {
  const double feetX = left + kCellWidth / 2.0;
  const double feetY = top + kCellHeight - kGroundFromBottom;
  cairo_save(cr);
  cairo_rectangle(cr, left, top, kCellWidth, kCellHeight);
  cairo_clip(cr);
  artkit::SetColor(cr, kBackground);
  cairo_paint(cr);
  artkit::SetColor(cr, kGround);
  cairo_rectangle(cr, left, feetY, kCellWidth, 2);
  cairo_fill(cr);
  artkit::SetColor(cr, kGuide);
  cairo_set_line_width(cr, 1);
  cairo_rectangle(cr, feetX - 12.5, feetY - 95, 25, 90);
  cairo_stroke(cr);
  DrawPuppet(cr, *character.sprites, PoseAt(character, moment), feetX, feetY, moment.scaleX, 1,
             character.optionalPart);
  artkit::DrawOutlinedText(cr, caption, left + 4, top + kCellHeight - 8, 12, kCaption, kBackground,
                           1);
  cairo_restore(cr);
}

}  // namespace viewer
