#pragma once
// entities/, above resources/. The entity manager of one play field: owns the entity list, keeps up
// to four players in fixed slots, updates and draws everything once a frame and answers questions
// about the players.
#include <array>
#include <functional>
#include <memory>

#include "entities/entity_kinds.h"
#include "entities/entity_list.h"
#include "entities/field_snapshot.h"
#include "entities/jugador_base.h"

class TFlechaDir;
class TSistema;

class TAdministrador {
 public:
  static constexpr int kMaxPlayers = FieldSnapshot::kMaxPlayers;

  // Null when the system or the resources are missing. Without a maker for a kind, making one
  // fails as a missing object would.
  static std::shared_ptr<TAdministrador> Create(std::shared_ptr<TSistema> system,
                                                std::shared_ptr<TRecursos> resources,
                                                EntityKinds kinds = {});
  void Release() {}

  void DrawAll();
  // The players' charge gauges and tags, over everything else.
  void DrawPlayerSigns() const;
  // A marker at the top edge for each player out of sight above the screen, drawn over everything
  // else.
  void DrawOffScreenMarkers() const;
  // Draws again, faint, every player in the match of whom some part is hidden(x, y): over the
  // scenery's front layers, so that no pillar hides a player.
  void DrawPlayersThrough(const std::function<bool(float x, float y)>& hidden) const;
  // Walks each player still in the match to the centre of the screen, alone, in real time.
  void PresentWinner();
  void UpdateAll();
  void Clear();
  void RespawnPlayer(int slot);
  bool IsPlayerAlive(int slot) const;
  std::shared_ptr<TJugadorBase> AddPlayer(std::shared_ptr<VGP> graphics, int actionKey, int depth);
  void AddZombie();
  void AddZombieMovil();
  void SpawnBlood(float x, float y, int count);
  void SpawnDarkBlood(float x, float y, int count);
  void SpawnSparks(float x, float y, int count);
  void ArrangePlayers();
  std::shared_ptr<TFlechaDir> AddDirectionArrow(int depth);
  std::shared_ptr<TJugadorBase> GetPlayer(int slot) const;
  int GetPlayerCount() const { return playerCount; }
  int GetPlayerState(int slot) const;
  void SetPlayerPosition(int slot, float x, float y);
  // Darkens the field over durationMs of real time; no length (0 or less) is dark at once.
  void StartDimmer(float durationMs);
  // A player's button by its input code: the reader when there is one, else the input devices.
  bool ButtonDown(int code) const;

  // The field by value, and back. Loading replaces every entity with a copy of the snapshot's.
  void SaveField(FieldSnapshot& into) const;
  void LoadField(const FieldSnapshot& from);

  // Appends the entity and stores its entry with it, so that its own Remove can take it out.
  void Add(const std::shared_ptr<TEntidad>& entity);

  EntityList entities;
  std::shared_ptr<TSistema> system;
  std::shared_ptr<TRecursos> resources;
  std::array<std::shared_ptr<TJugadorBase>, kMaxPlayers> players;
  int playerCount = 0;
  float dimmer = -1.0f;  // end-of-match darkening 0..1; negative = off
  float dimmerRate = 0;  // per real millisecond
  // Set by a networked match, whose players press the buttons every machine agreed on for the
  // frame instead of this machine's devices.
  std::function<bool(int code)> buttonReader;

 private:
  std::shared_ptr<TTimer> Clock() const;
  void AddTag(const std::shared_ptr<TJugadorBase>& player, int slot);
  void AddZombieOfKind(const EntityKinds::ZombieMaker& make);
  // Scatters count splats around (x, y) and hands each to adjust before it joins the list.
  template <class Adjust>
  void Scatter(float x, float y, int count, Adjust&& adjust);
  // The depth offset that puts a splat behind every player on the field.
  int BehindPlayers() const;
  void TintForDimmer(TEntidad& entity) const;
  void GlideToCentre(TJugadorBase& player);

  EntityKinds kinds_;
};
