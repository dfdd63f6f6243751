#pragma once
// What every thing on the play field shares: position, draw order, its own render state, and the
// entry that ties it to the one entity list it lives in.
#include <cstdint>
#include <memory>

#include "entities/entity_list.h"

class TTimer;
class VGP;

class TEntidad {
 public:
  virtual ~TEntidad() = default;

  // Takes the entity out of its manager's list; nothing when it is not in one.
  virtual void Remove();
  virtual void Draw() = 0;
  virtual void Update() = 0;

  void SetPosition(float newX, float newY) { x = newX, y = newY; }
  float GetRotation() const { return rotation; }
  void SetRotation(float degrees) { rotation = degrees; }
  std::shared_ptr<EntityLink> GetLink() const { return link.lock(); }
  void SetLink(const std::shared_ptr<EntityLink>& newLink) { link = newLink; }
  float GetX() const { return x; }
  float GetY() const { return y; }
  void SetX(float newX) { x = newX; }
  void SetY(float newY) { y = newY; }

  // 1 when this one lies in front of other (smaller depth), -1 behind it, 0 level with it.
  int Compare(const TEntidad& other) const;

  std::shared_ptr<TTimer> timer;
  std::shared_ptr<VGP> graphics;  // the package of players and zombies; unused by the effects
  float x = -100.0f;
  float y = 475.0f;
  int depth = 0;
  float rotation = 0;
  float scaleX = 1.0f;
  float scaleY = 1.0f;
  float alpha = 1.0f;
  int blend = 3;
  uint8_t red = 255;
  uint8_t green = 255;
  uint8_t blue = 255;
  std::weak_ptr<EntityLink> link;

 protected:
  // Sets the global colour, blend, alpha, rotation and scale from this entity's own fields.
  void ApplyRenderState() const;
};
