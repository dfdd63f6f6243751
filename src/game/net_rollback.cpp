// A network match played ahead of the others' buttons: the frame is played at once with a guess
// for them, and rollback takes the match back whenever a guess turns out wrong. Only confirmed
// frames are compared between machines.
#include "core/timer.h"
#include "game/juego.h"
#include "game/match_hooks.h"
#include "game/net_play.h"
#include "media/input.h"
#include "media/system.h"

namespace game {

namespace {
// The next frame would end the darkening and show the winner.
bool WouldConclude(const TJuego& game) {
  if (!game.progress.deciding) return false;
  TTimer next = *game.timer;
  next.Update();
  return next.GetElapsed(true) > game.progress.endTime;
}
}  // namespace

int NetPlay::Reconcile() {
  const int rolled = rollback_->Reconcile(*this);
  heard_.CutUnheard();
  heard_.Forget(lockstep_->Frame());
  return rolled;
}

bool NetPlay::MustWait(const TJuego& game) const {
  return rollback_->TooFarAhead() || (WouldConclude(game) && !rollback_->AllConfirmed());
}

bool NetPlay::AwaitFrameAhead(TJuego& game) {
  game_ = &game;
  int rolled = Reconcile();
  const double start = net::NowMs();
  while (MustWait(game) && lockstep_->GetOutcome() == net::Lockstep::Outcome::kPlaying &&
         !media::KeyDown(media::kKeyEscape)) {
    lockstep_->Ready(kWaitSliceMs);
    rolled += Reconcile();
    if (net::NowMs() - start >= kSignAfterMs) ShowWaiting(game);
  }
  Status().waitingFor.clear();
  if (MustWait(game) || lockstep_->GetOutcome() != net::Lockstep::Outcome::kPlaying) {
    game.running = 0;
    return false;
  }
  // Time sync: a machine ahead shows its frame once more now and then.
  if (rollback_->ShouldHold()) game.Render();
  const uint32_t frame = rollback_->NextFrame();
  game.SaveState(kept_.Keep(frame));
  if (holdMs_ > 0 && frame == holdFrame_) lockstep_->HoldBack(net::NowMs() + holdMs_);
  input_ = rollback_->PlayNext(SampleButtons());
  heard_.Begin(frame);
  Status().frame = frame;
  Status().rolled = rolled;
  TakeOutOfPlay(*manager_, input_.seatsOut);
  return true;
}

void NetPlay::Restore(uint32_t frame) {
  const MatchSnapshot* kept = kept_.Find(frame);
  if (!kept) media::Raise("la partida no guarda el fotograma " + std::to_string(frame));
  game_->LoadState(*kept);
  heard_.Rewind(frame);
}

void NetPlay::Replay(uint32_t frame, const net::FrameInput& input) {
  game_->SaveState(kept_.Keep(frame));
  input_ = input;
  heard_.Begin(frame);
  TakeOutOfPlay(*manager_, input_.seatsOut);
  game_->AdvanceFrame(input_.pause);
  FinishFrame(*game_, frame);
}

void NetPlay::Confirmed(uint32_t frame) {
  const auto& report = CurrentMatchHooks().confirmedFrame;
  if (const auto* players = reports_.Find(frame); report && players) report(frame, *players);
  if (frame == 0 || frame % net::kDigestEvery != 0) return;
  if (const uint64_t* digest = digests_.Find(frame)) lockstep_->RecordDigest(frame, *digest);
}

}  // namespace game
