#pragma once
// A networked match frame by frame. Every machine plays the same frames with the same buttons:
// each samples its own players, sends their buttons to every other machine and plays them
// `inputDelay` frames later, when everyone has them. Every 30 frames the machines compare a
// digest of the match state; a machine silent for ten seconds is taken out by agreement on the
// frame from which its players leave play. A machine that sends something no honest machine
// would is cut off with a line on standard error and taken out the same way.
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/endpoint.h"
#include "net/input_log.h"
#include "net/match_setup.h"
#include "net/message_readers.h"
#include "net/messages.h"
#include "net/stop_signal.h"

namespace net {

inline constexpr double kSilenceLimitMs = 10000;
// A machine that was not listening this long (suspended, say) cannot know whether the others
// have taken it out: it takes itself out, and the others see it leave. Shorter than their
// patience by more than a line's delay, so that both sides always come to the same verdict;
// a shorter absence (a busy machine) costs nothing.
inline constexpr double kLeftBehindMs = kSilenceLimitMs - 2000;

struct FrameInput {
  std::array<bool, kMaxSeats> buttons{};  // by seat
  bool pause = false;                     // some machine asked to toggle the pause
  std::vector<int> seatsOut;              // seats whose machine left play at this frame
};

class Lockstep {
 public:
  enum class Outcome {
    kPlaying,
    kQuit,        // a machine pressed Escape (QuitBy says which)
    kDesync,      // the digests differed
    kLeft,        // this machine left (Leave) or finished (Finish)
    kLeftBehind,  // this machine was not listening for too long and the others went on
  };

  // `peers` by machine number; the local machine's entry and missing machines are null.
  Lockstep(std::unique_ptr<Endpoint> endpoint, std::array<PeerHandle, kMaxMachines> peers,
           MatchSetup setup);
  // A match still being played when this goes ends for the others as if Escape was pressed; the
  // links close politely either way.
  ~Lockstep();
  Lockstep(const Lockstep&) = delete;
  Lockstep& operator=(const Lockstep&) = delete;

  const MatchSetup& Setup() const { return setup_; }
  // The frame to be played next; 0 first.
  uint32_t Frame() const { return frame_; }
  // This machine's buttons as sampled now; they are played inputDelay frames from now. Once a
  // frame, before Ready.
  void Submit(uint8_t buttons);
  // As Submit, on a machine that plays `playedFrame` ahead of what everyone has confirmed.
  void SubmitFor(uint32_t playedFrame, uint8_t buttons);
  // Services the network for up to timeoutMs; true as soon as every machine's buttons for Frame()
  // are there, or the match has ended (see GetOutcome).
  bool Ready(int timeoutMs);
  // The buttons of Frame(), then on to the next frame. Only after Ready said true while playing.
  FrameInput Take();
  // The buttons of any frame as far as they are known here. A machine whose buttons for it have
  // not come is guessed to hold what it held last, without asking for the pause again.
  FrameInput Guess(uint32_t frame) const;
  // How many frames this machine, about to play `playedFrame`, runs ahead of the machine furthest
  // behind (lockstep_sync.cpp); 0 when it runs behind or level with all.
  double FramesAhead(uint32_t playedFrame) const;
  // The machines whose buttons for Frame() are missing, by number.
  std::vector<int> Missing() const;

  // The digest of the match state after `frame`, a multiple of kDigestEvery.
  void RecordDigest(uint32_t frame, uint64_t digest);
  Outcome GetOutcome() const { return outcome_; }
  int QuitBy() const { return quitBy_; }
  // The last frames' buttons and the digests, for finding out why a desync happened.
  std::string DesyncLog() const;

  // Escape here: everyone else's match ends too.
  void Leave();
  // The match was decided here: the last buttons go out reliably, then the links close.
  void Finish();

  Endpoint::Traffic Traffic() { return endpoint_->CountTraffic(); }
  // Test-only: this machine's buttons go out to nobody until `untilMs` (NowMs), then all at once.
  void HoldBack(double untilMs) { holdUntil_ = untilMs; }
  // Test-only: this machine stops hearing and speaking to `machine` without telling it, as when
  // the transport gives up on a link whose other end never learns it closed.
  void ForgetLink(int machine) { OnDisconnected(machine); }

 private:
  struct Machine {
    PeerHandle peer = nullptr;  // null: this machine, or one that has gone
    InputLog log;
    uint32_t confirmed = 0;  // it has this machine's buttons for every frame before this
    double lastHeard = 0;
    bool silent = false;       // gone as far as this machine can tell
    bool finished = false;     // its match was decided; its buttons are all here
    bool dropped = false;      // taken out by agreement…
    uint32_t dropFrame = 0;    // …from this frame on
    uint8_t lostBy = 0;        // the machines that told this coordinator they lost it, by bit
    int toldCoordinator = -1;  // whom this machine told it lost its link to it
  };

  void SendInputs();
  void Pump(int timeoutMs);
  // Not listening since `since` is not the others' silence; too long, and this machine is out.
  void NoticeOwnStall(double since);
  void Receive(int from, const Bytes& message);
  Verdict OnInputs(const Arrival& arrival, const Bytes& message);
  Verdict OnDone(const Arrival& arrival, const Bytes& message);
  // Refused: the machine is cut off and leaves as a silent one does.
  void CutOff(int machine, const Verdict& why);
  void SendTo(int machine, const Bytes& bytes, Delivery how);
  void SendToAll(const Bytes& bytes, Delivery how);
  bool Needed(int machine) const;  // its buttons for Frame() must be waited for
  int MachineOf(PeerHandle peer) const;

  // Silent machines (lockstep_drop.cpp).
  void WatchSilence();
  void OnDisconnected(int machine);
  int Coordinator() const;
  void StartDropRound(int machine);
  Verdict OnLostQuery(const Arrival& arrival, const Bytes& message);
  Verdict OnLostReport(const Arrival& arrival, const Bytes& message);
  Verdict OnDrop(const Arrival& arrival, const Bytes& message);
  void EndDropRound();
  bool Present(int machine) const;  // still linked and playing
  // Gone, or not heard from for a good while, as far as this machine can tell.
  bool Quiet(int machine) const;
  // Only the coordinator names a machine to drop, and only one that is quiet here too.
  Verdict CoordinatorsWord(int from, int machine) const;
  // Every machine below `from` is gone here: its word drops even a machine still heard here.
  bool Coordinates(int from) const;
  // A link lost here to a machine the coordinator may still hear: the coordinator is told.
  void TellCoordinator();
  // The machine the coordinator takes out next, or -1: one gone here, or else one that says it
  // lost a machine still heard here (the link that failed is at its end).
  int ToDrop() const;
  // A machine's last buttons up to the first frame missing, as kDone, kLostReport and kDrop carry
  // them: the machine, that frame, and the values before it.
  Bytes InputsMessage(Message kind, int machine) const;
  // The last buttons must follow on from what this machine has, or it would wait for ever.
  Verdict FollowsOn(const LastInputs& last) const;

  // Digests (lockstep_digest.cpp).
  Verdict OnDigest(const Arrival& arrival, const Bytes& message);
  Verdict OnDesyncMessage(const Arrival& arrival, const Bytes& message);
  void CompareDigests(uint32_t frame);
  void OnDesync(uint32_t frame);
  void ForgetOldDigests();

  StopSignals stopSignals_;
  std::unique_ptr<Endpoint> endpoint_;
  MatchSetup setup_;
  std::array<Machine, kMaxMachines> machines_;
  int machineCount_ = 0;
  int local_ = 0;
  uint32_t frame_ = 0;
  double lastSent_ = 0;
  double lastPump_ = 0;  // 0 until the match is first serviced
  double holdUntil_ = 0;
  Outcome outcome_ = Outcome::kPlaying;
  int quitBy_ = -1;
  uint32_t desyncFrame_ = 0;
  std::map<uint32_t, std::array<std::optional<uint64_t>, kMaxMachines>> digests_;

  // The drop round this machine coordinates: which machine, since when, who has answered.
  int dropping_ = -1;
  double dropStarted_ = 0;
  std::array<bool, kMaxMachines> reported_{};
};

}  // namespace net
