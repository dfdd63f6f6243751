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
