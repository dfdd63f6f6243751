#pragma once
// An image that follows an entity at a fixed offset for a while, then fades out and goes: the
// "1up" … "4up" labels over players entering play.
#include <cstdint>
#include <memory>

#include "entities/entidad.h"
#include "media/image.h"

class TSign : public TEntidad {
 public:
  // Null without a timer. A target of null pins the sign to the screen at its offsets.
  static std::shared_ptr<TSign> Create(std::shared_ptr<TTimer> timer, media::ImagePtr image,
                                       float offsetX, float offsetY,
                                       std::shared_ptr<TEntidad> target, float durationMs);
  void Draw() override;
  void Update() override;

  media::ImagePtr image;
  std::shared_ptr<TTimer> frameTimer;
  std::shared_ptr<TEntidad> target;
  int32_t endTime = 0;  // game time at which the fade-out starts
  float offsetX = 0;
  float offsetY = 0;
};
