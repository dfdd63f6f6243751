#pragma once
// The aiming arrow of a player in the air: points from the body along the aiming angle and grows
// more opaque as the angle sweeps up from 85 degrees towards 20.
#include <memory>

#include "entities/entidad.h"

class TRecursos;

class TFlechaDir : public TEntidad {
 public:
  // Its owner places and turns it every sub-step.
  static std::shared_ptr<TFlechaDir> Create(std::shared_ptr<TRecursos> resources, int depth);
  void Draw() override;
  void Update() override;
  std::shared_ptr<TEntidad> Clone() const override { return CloneOf(*this); }

  std::shared_ptr<TRecursos> resources;
};
