#pragma once
// What every thing on the play field shares: position, draw order, its own render state, and the
// entry that ties it to the one entity list it lives in.
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "entities/entity_list.h"

class Counterparts;
class TTimer;
class VGP;

class TEntidad {
 public:
  virtual ~TEntidad() = default;

  // Takes the entity out of its manager's list; nothing when it is not in one.
  virtual void Remove();
  virtual void Draw() = 0;
  virtual void Update() = 0;
  // A copy by value that shares nothing it could change with this one and is in no list; what it
  // points to on the field still names the originals until Relink.
  virtual std::shared_ptr<TEntidad> Clone() const = 0;
  // Points the copy's references to other entities at their copies.
  virtual void Relink(Counterparts& /*copies*/) {}

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
  // Gives a fresh copy its own parts: the base keeps none, and its entry stays the original's.
  virtual void OwnParts() { link.reset(); }
  // Clone for a kind whose copy constructor copies it whole but for its own parts.
  template <class Kind>
  static std::shared_ptr<TEntidad> CloneOf(const Kind& entity) {
    auto copy = std::make_shared<Kind>(entity);
    static_cast<TEntidad&>(*copy).OwnParts();
    return copy;
  }
  // Sets the global colour, blend, alpha, rotation and scale from this entity's own fields.
  void ApplyRenderState() const;
};

// The copy of each entity of a field, found by its original; an entity asked for that was not
// copied along with the field (an arrow or a label's target that left it) is copied then.
class Counterparts {
 public:
  void Add(const TEntidad* original, std::shared_ptr<TEntidad> copy);
  std::shared_ptr<TEntidad> Of(const std::shared_ptr<TEntidad>& original);
  template <class Kind>
  std::shared_ptr<Kind> Of(const std::shared_ptr<Kind>& original) {
    return std::static_pointer_cast<Kind>(Of(std::shared_ptr<TEntidad>(original)));
  }

 private:
  std::vector<std::pair<const TEntidad*, std::shared_ptr<TEntidad>>> pairs_;
};
