#pragma once
// Everything on one play field by value: copies of its entities in list order (which is also the
// order they update in), its player slots and the end-of-match darkening. Loading one hands the
// field fresh copies, so a snapshot can be loaded any number of times.
#include <array>
#include <memory>
#include <vector>

class TEntidad;
class TJugadorBase;

struct FieldSnapshot {
  static constexpr int kMaxPlayers = 4;

  std::vector<std::shared_ptr<TEntidad>> entities;
  std::array<std::shared_ptr<TJugadorBase>, kMaxPlayers> players;
  int playerCount = 0;
  float dimmer = -1.0f;
  float dimmerRate = 0;
};
