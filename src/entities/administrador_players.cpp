#include <vector>

#include "core/player_colours.h"
#include "core/sistema.h"
#include "entities/administrador.h"
#include "entities/integer.h"
#include "entities/jugador.h"
#include "entities/player_tag.h"
#include "media/system.h"
#include "resources/recursos.h"

namespace {
constexpr float kRespawnX = 400.0f;
constexpr int kFieldWidth = 800;
}  // namespace

void TAdministrador::AddTag(const std::shared_ptr<TJugadorBase>& player, int slot) {
  if (auto tag = TPlayerTag::Create(this, Clock(), player, slot + 1)) Add(tag);
}

std::shared_ptr<TJugadorBase> TAdministrador::AddPlayer(std::shared_ptr<VGP> graphics,
                                                        int actionKey, int depth) {
  if (playerCount >= kMaxPlayers) return nullptr;
  auto player = kinds_.player
                    ? kinds_.player(this, Clock(), std::move(graphics), resources, actionKey, depth)
                    : nullptr;
  if (!player) {
    system->Error("no se pudo crear jugador");
  }
  player->colour = kPlayerColours[playerCount];
  AddTag(player, playerCount);
  players[playerCount] = player;
  Add(player);
  ++playerCount;
  return player;
}

// The old player stays when no new one can be made.
void TAdministrador::RespawnPlayer(int slot) {
  const auto old = GetPlayer(slot);
  if (!old) return;
  auto fresh = kinds_.player ? kinds_.player(this, Clock(), old->graphics, resources,
                                             old->buttonCode, old->depth)
                             : nullptr;
  if (!fresh) return;
  old->Remove();
  fresh->colour = old->colour;
  fresh->buttonName = old->buttonName;
  Add(fresh);
  AddTag(fresh, slot);
  players[slot] = fresh;
  fresh->x = kRespawnX;
}

// A slot without a player is not alive.
bool TAdministrador::IsPlayerAlive(int slot) const {
  const auto player = GetPlayer(slot);
  return player && player->GetState() != kPlayerOut;
}

std::shared_ptr<TJugadorBase> TAdministrador::GetPlayer(int slot) const {
  if (slot < 0 || slot >= playerCount) return nullptr;
  return players[slot];
}

int TAdministrador::GetPlayerState(int slot) const {
  if (slot < 0 || slot >= playerCount) return 0;
  return players[slot]->GetState();
}

void TAdministrador::SetPlayerPosition(int slot, float x, float y) {
  if (slot < 0 || slot >= playerCount) return;
  players[slot]->SetPosition(x, y);
}

// Spreads the players evenly along the field in a random order.
void TAdministrador::ArrangePlayers() {
  std::vector<std::shared_ptr<TInteger>> pool;
  for (int slot = 0; slot < playerCount; ++slot) pool.push_back(TInteger::Create(slot));
  std::vector<std::shared_ptr<TInteger>> order;
  while (!pool.empty()) {
    const int k = media::RandomInt(0, static_cast<int>(pool.size()) - 1);
    order.push_back(pool[k]);
    pool.erase(pool.begin() + k);
  }
  const int spacing = kFieldWidth / (playerCount + 1);
  int n = 1;
  for (const auto& slot : order) players[slot->value]->x = static_cast<float>(n++ * spacing);
}

bool TAdministrador::ButtonDown(int code) const {
  return buttonReader ? buttonReader(code) : ::ButtonDown(code);
}
