// A real host against a peer that plays along and then sends what no honest machine would, and
// against connections that never say hello: the host cuts the peer off and says why, plays its
// match to the end in the memory of a normal one, and lets a real joiner in.
#include <gtest/gtest.h>

#include "entities/jugador.h"
#include "net_runners.h"

namespace e2e_hostile {

using namespace e2e;

const std::string kHostile = std::string(SKULL_BUILD_DIR) + "/bin/hostilepeer";
// How much more than a normal match a host under attack may take. The address sanitizer keeps
// freed blocks in quarantine, so there a run's resident size wanders by a few megabytes more; it
// stays well below the oversize packet, which would show whole.
#ifdef __SANITIZE_ADDRESS__
constexpr long kMemorySlackKb = 16 * 1024;
#else
constexpr long kMemorySlackKb = 8 * 1024;
#endif
// Well before an idle player is taken by the horde.
constexpr int kAttackFrame = 60;

// The hostile peer, in a runner's folder so that its data are the host's.
class HostilePeer {
 public:
  HostilePeer(const Runner& beside, const std::string& port, std::vector<std::string> args)
      : out_(beside.Folder() / "hostile.txt") {
    args.insert(args.begin(), {kHostile, "--data", beside.Folder().string()});
    for (std::string& arg : args) {
      if (arg == "PORT") arg = "127.0.0.1:" + port;
    }
    pid_ = Spawn(args, StdoutTo(out_.string()));
  }
  int Finish() { return WaitFor(pid_, kRunLimit); }
  std::string Output() const { return ReadFile(out_); }

 private:
  fs::path out_;
  pid_t pid_;
};

// The host plays its match alone once the peer is gone, and leaves the winner at two minutes.
std::string StartHost(Runner& host, const std::vector<std::string>& more = {}) {
  std::vector<std::string> args = {"--host", "0"};
  args.insert(args.end(), more.begin(), more.end());
  host.Start(Press(120000, kKeyEnter, 50), args, 200);
  return host.HostPort();
}

// A match against a peer that sends `attack` at kAttackFrame (none: it plays along to the end);
// the host's peak memory.
long PlayAgainst(Runner& host, const std::string& attack) {
  const std::string port = StartHost(host);
  EXPECT_FALSE(port.empty()) << host.Output();
  std::vector<std::string> args = {"--join", "PORT",           "--seconds",
                                   "120",    "--attack-frame", std::to_string(kAttackFrame)};
  if (!attack.empty()) args.insert(args.end(), {"--attack", attack});
  HostilePeer peer(host, port, args);
  peer.Finish();
  EXPECT_EQ(host.Finish(), 0) << attack << "\n" << host.Output() << host.Errors();
  return host.PeakKb();
}

// The host took the peer's player out of play at the attack, and said why.
void ExpectCutOff(const Runner& host, const std::string& attack) {
  EXPECT_GE(FirstFrameIn(host.Frames(), 1, kDead), kAttackFrame) << attack;
  EXPECT_NE(host.Output().find("JUGADOR 2 ha perdido la conexión"), std::string::npos)
      << attack << "\n"
      << host.Output();
  EXPECT_NE(host.Errors().find("Red: se desconecta al equipo 1 (JUGADOR 2): "), std::string::npos)
      << attack << "\n"
      << host.Errors();
}

long NormalMatchPeakKb() {
  static const long peakKb = [] {
    ScratchFolder root;
    Runner host{root.Path(), "normal"};
    return PlayAgainst(host, "");
  }();
  return peakKb;
}

class NetHostile : public ::testing::Test {
 protected:
  std::string StartHost(const std::vector<std::string>& more = {}) {
    return e2e_hostile::StartHost(host, more);
  }

  ScratchFolder root;
  Runner host{root.Path(), "host"};
};

// Each attack is a message that once crashed, froze or bloated the host, or let a joiner decide
// for another machine.
class NetAttack : public NetHostile, public ::testing::WithParamInterface<const char*> {};

TEST_P(NetAttack, TheHostCutsThePeerOffSaysWhyAndFinishesItsMatch) {
  const long attackedKb = PlayAgainst(host, GetParam());
  EXPECT_LT(attackedKb, NormalMatchPeakKb() + kMemorySlackKb) << GetParam();
  ExpectCutOff(host, GetParam());
}

INSTANTIATE_TEST_SUITE_P(EveryBadMessage, NetAttack,
                         ::testing::Values("done-far", "done-other", "drop-self", "drop-host",
                                           "query-host", "report-far", "digest-flood", "inputs-far",
                                           "desync-far", "garbage", "hello-again", "short"));

// ENet itself drops a packet larger than any message before it takes memory; the peer plays on.
TEST_F(NetHostile, AnOversizePacketIsDroppedUnread) {
  EXPECT_LT(PlayAgainst(host, "oversize"), NormalMatchPeakKb() + kMemorySlackKb);
  EXPECT_EQ(host.Errors().find("se desconecta"), std::string::npos) << host.Errors();
}

TEST_F(NetHostile, OneConnectionIsOneMachineHoweverOftenItSaysHello) {
  const std::string port = StartHost({"--match", "0:3"});
  ASSERT_FALSE(port.empty());
  HostilePeer peer(host, port, {"--join", "PORT", "--attack", "hello-twice", "--seconds", "5"});
  peer.Finish();
  EXPECT_FALSE(AwaitLine(host.Err(), "segundo saludo").empty()) << host.Errors();
  EXPECT_FALSE(AwaitLine(host.Out(), "Se ha ido").empty()) << host.Output();
  host.Kill();
}

TEST_F(NetHostile, EscapeCodesInAHelloNeverReachTheHostsOutput) {
  const std::string port = StartHost();
  ASSERT_FALSE(port.empty());
  HostilePeer peer(host, port, {"--join", "PORT", "--attack", "escape-hello", "--seconds", "5"});
  peer.Finish();
  ASSERT_FALSE(AwaitLine(host.Out(), "No se admite").empty()) << host.Output();
  EXPECT_NE(peer.Output().find("disconnected"), std::string::npos) << "refused, then let go";
  host.Kill();
  EXPECT_EQ(host.Output().find('\x1b'), std::string::npos);
  EXPECT_EQ(host.Output().find('\x07'), std::string::npos);
  EXPECT_NE(host.Output().find("?]0;owned??[2J1.0"), std::string::npos) << host.Output();
}

// Echoes of probes never sent do not keep linking going past its limit.
TEST_F(NetHostile, EchoesAloneDoNotKeepTheStartAlive) {
  const std::string port = StartHost();
  ASSERT_FALSE(port.empty());
  HostilePeer peer(host, port, {"--join", "PORT", "--attack", "echo-forever", "--seconds", "60"});
  EXPECT_EQ(host.Finish(std::chrono::seconds(50)), 3) << host.Output();
  EXPECT_NE(host.Output().find("Los equipos no consiguen conectarse"), std::string::npos);
}

TEST_F(NetHostile, ALineSlowerThanTheLimitIsRefusedWithTheReason) {
  const std::string port = StartHost();
  ASSERT_FALSE(port.empty());
  HostilePeer peer(host, port, {"--join", "PORT", "--attack", "slow-ready", "--seconds", "30"});
  EXPECT_EQ(host.Finish(), 3) << host.Output();
  EXPECT_NE(host.Output().find("La línea es demasiado lenta: ida y vuelta de 5000 ms, el límite "
                               "es 1000 ms"),
            std::string::npos)
      << host.Output();
}

// Eight connections that never say hello keep knocking; a real joiner still gets in and plays.
TEST_F(NetHostile, ARealJoinerGetsPastSilentConnections) {
  const std::string port = StartHost();
  ASSERT_FALSE(port.empty());
  HostilePeer knockers(host, port, {"--knock", "PORT", "--connections", "8", "--seconds", "20"});
  std::this_thread::sleep_for(1s);  // the knockers are in first
  Runner joiner{root.Path(), "joiner"};
  joiner.Start(Press(120000, kKeyEnter, 50), {"--join", "127.0.0.1:" + port}, 200);
  ASSERT_FALSE(AwaitLine(joiner.Folder() / "trace.jsonl", R"(("frame": 60,))").empty())
      << joiner.Output();
  knockers.Finish();
  joiner.Kill();
  EXPECT_EQ(host.Finish(), 0) << host.Output();
}

}  // namespace e2e_hostile
