#include "entities/administrador.h"
#include "entities/entidad.h"

namespace {

// Copies every entity in order, then points the copies' references at each other.
template <class Sources>
Counterparts CopyEntities(const Sources& sources, std::vector<std::shared_ptr<TEntidad>>& into) {
  Counterparts copies;
  sources([&](const std::shared_ptr<TEntidad>& entity) {
    auto copy = entity->Clone();
    copies.Add(entity.get(), copy);
    into.push_back(std::move(copy));
  });
  for (const auto& copy : into) copy->Relink(copies);
  return copies;
}

}  // namespace

void TAdministrador::SaveField(FieldSnapshot& into) const {
  into.entities.clear();
  Counterparts copies =
      CopyEntities([this](const auto& visit) { entities.Walk(visit); }, into.entities);
  for (int slot = 0; slot < kMaxPlayers; ++slot) into.players[slot] = copies.Of(players[slot]);
  into.playerCount = playerCount;
  into.dimmer = dimmer;
  into.dimmerRate = dimmerRate;
}

void TAdministrador::LoadField(const FieldSnapshot& from) {
  entities.Clear();
  std::vector<std::shared_ptr<TEntidad>> fresh;
  fresh.reserve(from.entities.size());
  Counterparts copies = CopyEntities(
      [&from](const auto& visit) {
        for (const auto& entity : from.entities) visit(entity);
      },
      fresh);
  for (const auto& entity : fresh) Add(entity);
  for (int slot = 0; slot < kMaxPlayers; ++slot) players[slot] = copies.Of(from.players[slot]);
  playerCount = from.playerCount;
  dimmer = from.dimmer;
  dimmerRate = from.dimmerRate;
}
