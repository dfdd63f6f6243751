// The script: what each step does every frame it lasts, and what moves it on. Timed steps move on
// when strictly more than their time has passed on the step clock; Enter steps move on at a press
// of Enter; both restart the step clock. At-once steps move on in the same frame and leave the
// clock alone, so a timed step after them counts from the last timed or Enter step.
#include <memory>

#include "anim/anim_state.h"
#include "core/configuracion.h"
#include "core/sound_effects.h"
#include "core/timer.h"
#include "entities/administrador.h"
#include "entities/jugador.h"
#include "field/play_field.h"
#include "field/seats.h"
#include "media/input.h"
#include "resources/recursos.h"
#include "tutorial/tutorial.h"

namespace {

constexpr int kGroundY = 475;
constexpr int32_t kFreePlaySeed = 1407;
constexpr int kKnockBlendMs = 50;

enum class Leave { kAtOnce, kAfter, kOnEnter, kOnEscape };

using Action = void (*)(TTutorial&, const TConfiguracion&);

struct ScriptStep {
  int step;
  Action each;  // null: nothing but waiting
  int next;
  Leave leave;
  int ms;  // for kAfter
};

constexpr int kPartner = 1;
constexpr float kPartnerLeftX = 200;
constexpr float kPartnerRightX = 700;

void KeepAlive(TAdministrador& manager, int slot) {
  if (!manager.IsPlayerAlive(slot)) manager.RespawnPlayer(slot);
}

// While a slide speaks of the partner it is on the field: one the horde took (knocked by the
// reader, or by a walker earlier) is back on its feet at once, where the slide has it stand.
void KeepPartner(TTutorial& t, float x) {
  if (t.manager->IsPlayerAlive(kPartner)) return;
  t.manager->RespawnPlayer(kPartner);
  t.PlacePlayer(kPartner, x);
}

const ScriptStep kScript[] = {
    {0, [](TTutorial& t, const TConfiguracion&) { t.RestartStepClock(); }, 10, Leave::kAtOnce, 0},
    {10, nullptr, 20, Leave::kAfter, 1000},
    {20, nullptr, 30, Leave::kAfter, 5000},
    {30, nullptr, 40, Leave::kAfter, 7000},
    {40, nullptr, 50, Leave::kAfter, 6000},
    {50, nullptr, 61, Leave::kAfter, 1500},
    // A sparring partner, first on the left ...
    {61,
     [](TTutorial& t, const TConfiguracion& settings) {
       t.AddPlayer(settings, kPartner);
       t.PlacePlayer(kPartner, kPartnerLeftX);
     },
     62, Leave::kAtOnce, 0},
    {62, [](TTutorial& t, const TConfiguracion&) { t.PlacePlayer(kPartner, kPartnerLeftX); }, 71,
     Leave::kOnEnter, 0},
    {71, [](TTutorial& t, const TConfiguracion&) { KeepPartner(t, kPartnerLeftX); }, 81,
     Leave::kOnEnter, 0},
    // ... then on the right.
    {81,
     [](TTutorial& t, const TConfiguracion&) {
       KeepPartner(t, kPartnerRightX);
       t.PlacePlayer(kPartner, kPartnerRightX);
     },
     82, Leave::kAtOnce, 0},
    {82, [](TTutorial& t, const TConfiguracion&) { KeepPartner(t, kPartnerRightX); }, 89,
     Leave::kOnEnter, 0},
    // The slides on walking zombies show one crossing, brought in as the game brings them.
    {89, [](TTutorial& t, const TConfiguracion&) { t.manager->AddZombieMovil(); }, 90,
     Leave::kAtOnce, 0},
    {90, nullptr, 100, Leave::kAfter, 5000},
    {100, nullptr, 111, Leave::kAfter, 2000},
    // The reader's own player goes down and stays where it fell until Enter.
    {111, [](TTutorial& t, const TConfiguracion&) { t.KnockFirstPlayerDown(); }, 112,
     Leave::kAtOnce, 0},
    {112, [](TTutorial& t, const TConfiguracion&) { t.PlacePlayer(0, t.heldX); }, 120,
     Leave::kOnEnter, 0},
    {120, nullptr, 130, Leave::kAfter, 5000},
    {130, nullptr, 140, Leave::kAfter, 5000},
    {140, [](TTutorial& t, const TConfiguracion&) { KeepPartner(t, kPartnerRightX); }, 151,
     Leave::kAfter, 5000},
    // Free play for four, nobody stays dead.
    {151, [](TTutorial& t, const TConfiguracion& settings) { t.StartFreePlay(settings); }, 152,
     Leave::kAtOnce, 0},
    {152,
     [](TTutorial& t, const TConfiguracion&) {
       for (int slot = 0; slot < TAdministrador::kMaxPlayers; ++slot) KeepAlive(*t.manager, slot);
     },
     160, Leave::kOnEscape, 0},
};

const ScriptStep* Find(int step) {
  for (const ScriptStep& row : kScript) {
    if (row.step == step) return &row;
  }
  return nullptr;
}

// A new slide turns with a flip; a step that waits for Enter chimes as its prompt appears.
void AnnounceStep(int before, int now) {
  if (TTutorial::SlideAt(now) != TTutorial::SlideAt(before) && TTutorial::SlideAt(now) >= 0) {
    PlaySoundEffect(SoundEffect::kSlide);
  }
  const ScriptStep* row = Find(now);
  if (row && row->leave == Leave::kOnEnter) PlaySoundEffect(SoundEffect::kPrompt);
}

}  // namespace

void TTutorial::Script(const TConfiguracion& settings) {
  // Enter is read every frame, so a press made while a slide was showing on its timer cannot
  // skip the next wait unseen.
  const bool enter = media::KeyHit(media::kKeyEnter) > 0;
  const ScriptStep* row = Find(step);
  if (!row) return;
  const int before = step;
  if (row->each) row->each(*this, settings);
  switch (row->leave) {
    case Leave::kAtOnce:
      step = row->next;
      break;
    case Leave::kAfter:
      if (StepElapsed() > row->ms) {
        step = row->next;
        RestartStepClock();
      }
      break;
    case Leave::kOnEnter:
      if (enter) {
        step = row->next;
        RestartStepClock();
      }
      break;
    case Leave::kOnEscape:
      if (media::KeyHit(media::kKeyEscape)) step = row->next;
      break;
  }
  if (step != before) AnnounceStep(before, step);
}

void TTutorial::AddPlayer(const TConfiguracion& settings, int slot) {
  const auto player = manager->AddPlayer(resources->GetPlayerPackage(slot),
                                         field::TutorialSeatButton(settings, slot),
                                         field::kFirstPlayerDepth + field::kPlayerDepthStep * slot);
  if (player) {
    player->buttonName =
        field::SeatButtonName(field::TutorialSeats(settings)[slot], settings.GetKey(slot));
  }
}

void TTutorial::StartFreePlay(const TConfiguracion& settings) {
  AddPlayer(settings, 2);
  AddPlayer(settings, 3);
  manager->ArrangePlayers();
  bots = std::make_shared<field::Bots>(field::TutorialSeats(settings), kFreePlaySeed);
  media::UseInputSource(bots);
}

void TTutorial::PlacePlayer(int slot, float x) {
  manager->SetPlayerPosition(slot, x, kGroundY);
}

void TTutorial::KnockFirstPlayerDown() {
  const auto player = std::dynamic_pointer_cast<TJugador>(manager->GetPlayer(0));
  if (!player) return;
  player->state = kKnocked;
  player->DropArrow();
  if (player->animState) {
    player->animState->Play(kAnimKnocked, timer->GetElapsed(false), 0, kKnockBlendMs, 0);
  }
  heldX = player->x;
}
