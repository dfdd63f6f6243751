#include "entities/entidad.h"

#include "media/draw.h"

void TEntidad::Remove() {
  if (auto entry = link.lock()) entry->Remove();
}

int TEntidad::Compare(const TEntidad& other) const {
  if (depth < other.depth) return 1;
  if (depth > other.depth) return -1;
  return 0;
}

void TEntidad::ApplyRenderState() const {
  media::SetColor(red, green, blue);
  media::SetBlend(blend);
  media::SetAlpha(alpha);
  media::SetTransform(rotation, scaleX, scaleY);
}

void Counterparts::Add(const TEntidad* original, std::shared_ptr<TEntidad> copy) {
  pairs_.emplace_back(original, std::move(copy));
}

// A field holds a few dozen entities and only arrows, labels and player slots are looked up, so
// a plain search beats building a map on every copy.
std::shared_ptr<TEntidad> Counterparts::Of(const std::shared_ptr<TEntidad>& original) {
  if (!original) return nullptr;
  for (const auto& [from, copy] : pairs_) {
    if (from == original.get()) return copy;
  }
  auto copy = original->Clone();
  Add(original.get(), copy);
  copy->Relink(*this);
  return copy;
}
