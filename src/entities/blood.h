#pragma once
// A short-lived splat (blood, dark blood or sparks): fades out, grows and drifts, then goes.
#include <memory>

#include "entities/entidad.h"
#include "media/image.h"

class TAdministrador;
class TRecursos;

class TBlood : public TEntidad {
 public:
  // Null when the manager, the timer or the resources are missing. Draws its image, alpha,
  // rotation, scales, grey tint and depth at random, in that order.
  static std::shared_ptr<TBlood> Create(TAdministrador* manager, std::shared_ptr<TTimer> timer,
                                        std::shared_ptr<TRecursos> resources, float lifetime,
                                        float x, float y, float speedX, float speedY);
  void Draw() override;
  void Update() override;
  std::shared_ptr<TEntidad> Clone() const override { return CloneOf(*this); }

  TAdministrador* manager = nullptr;
  std::shared_ptr<TRecursos> resources;
  std::shared_ptr<TTimer> frameTimer;  // the base timer stays empty
  media::ImagePtr image;
  float endTime = 0;   // game time at which the splat disappears
  float fadeRate = 0;  // alpha per game millisecond, negative
  float speedX = 0;
  float speedY = 0;
};
