// Matches by room code between homes behind routers that masquerade, made in network namespaces:
// routers that keep a home port's public port let the punch through and the link is direct;
// routers that give every destination a new port leave only the relay, and the match still
// plays. Skipped, saying why, where namespaces cannot be made (not root, no ip or nft).
#include <gtest/gtest.h>

#include "nat_homes.h"
#include "room_server.h"

namespace {

using namespace e2e;

class NetNat : public ::testing::Test {
 protected:
  // Homes behind routers of the mapping, the room server on the internet between them; the test
  // is skipped where namespaces cannot be made.
  void MakeHomes(NatHomes::Mapping mapping, int count = 2) {
    homes = std::make_unique<NatHomes>(root.Path(), count, mapping);
    if (!homes->Cannot().empty()) {
      GTEST_SKIP() << "network namespaces cannot be made: " << homes->Cannot();
    }
    ASSERT_EQ(homes->Failed(), "");
    server = std::make_unique<RoomServerProcess>(root.Path(), homes->InPublic());
    const std::string port = server->Port();
    ASSERT_FALSE(port.empty());
    at = std::string(NatHomes::kServerIp) + ":" + port;
  }

  // A host at home 1 and a joiner at home 2 with these scripts, the joiner by the host's code.
  void StartBoth(const std::string& hostScript, const std::string& joinerScript) {
    host.RunInside(homes->AtHome(1));
    joiner.RunInside(homes->AtHome(2));
    host.Start(hostScript, {"--host", "0", "--server", at});
    const std::string code = RoomCode(host);
    ASSERT_FALSE(code.empty()) << host.Output();
    joiner.Start(joinerScript, {"--join-code", code, "--server", at});
  }

  // A whole match across the homes; each machine says how it is linked.
  void PlayAcross(NatHomes::Mapping mapping, const std::string& joinerLink,
                  const std::string& hostLink) {
    MakeHomes(mapping);
    if (IsSkipped() || HasFailure()) return;
    ASSERT_NO_FATAL_FAILURE(StartBoth(Press(1000, kKeyPlayerOne, 100) + Press(90000, kKeyEnter, 50),
                                      Press(500, kKeyPlayerOne, 0) + Press(90000, kKeyEnter, 50)));
    EXPECT_EQ(joiner.Finish(), 0) << joiner.Output();
    EXPECT_EQ(host.Finish(), 0) << host.Output();
    if (HasFailure()) return;

    const auto frames = host.Confirmed();
    ASSERT_GT(frames.size(), 100u);
    ExpectSameFrames(frames, joiner.Confirmed(),
                     std::max(frames.size(), joiner.Confirmed().size()));
    EXPECT_NE(joiner.Output().find("Enlace con el anfitrión: " + joinerLink), std::string::npos)
        << joiner.Output();
    EXPECT_NE(host.Output().find("Enlace con el EQUIPO 2: " + hostLink), std::string::npos)
        << host.Output();
  }

  // Three homes: the two joiners link with each other too, each through its own router, or through
  // the server's relay when their routers map every destination apart; either way the match plays
  // and each machine says how each of its links goes.
  void PlayThreeHomes(NatHomes::Mapping mapping, const std::string& link) {
    MakeHomes(mapping, 3);
    if (IsSkipped() || HasFailure()) return;
    Runner third(root.Path(), "third");
    third.RunInside(homes->AtHome(3));
    const auto script = [](int m) {
      return Press(1500 + 700 * m, kKeyPlayerOne, 100) +
             (m == 1 ? Press(6000, kKeyEscape, 100) : "");
    };
    host.RunInside(homes->AtHome(1));
    joiner.RunInside(homes->AtHome(2));
    host.Start(script(0), {"--host", "0", "--server", at, "--match", "0:3"});
    const std::string code = RoomCode(host);
    ASSERT_FALSE(code.empty()) << host.Output();
    joiner.Start(script(1), {"--join-code", code, "--server", at});
    third.Start(script(2), {"--join-code", code, "--server", at});
    for (Runner* runner : {&host, &joiner, &third}) {
      EXPECT_EQ(runner->Finish(), 0) << runner->Output();
    }
    if (HasFailure()) return;
    const size_t common =
        std::min({host.Confirmed().size(), joiner.Confirmed().size(), third.Confirmed().size()});
    ASSERT_GT(common, 100u);
    ExpectSameFrames(host.Confirmed(), joiner.Confirmed(), common);
    ExpectSameFrames(host.Confirmed(), third.Confirmed(), common);
    const std::string hostLink = link == "directo" ? "directo" : "por el servidor de salas";
    for (const Runner* runner : {&joiner, &third}) {
      const std::string out = runner->Output();
      EXPECT_NE(out.find("Enlace con el anfitrión: " + hostLink), std::string::npos) << out;
      const bool other = out.find("Enlace con el EQUIPO 2: " + link) != std::string::npos ||
                         out.find("Enlace con el EQUIPO 3: " + link) != std::string::npos;
      EXPECT_TRUE(other) << "no word of the link with the other joiner:\n" << out;
    }
    for (const char* machine : {"2", "3"}) {
      EXPECT_NE(host.Output().find("Enlace con el EQUIPO " + std::string(machine) + ": " + link),
                std::string::npos)
          << host.Output();
    }
  }

  ScratchFolder root;
  std::unique_ptr<NatHomes> homes;
  std::unique_ptr<RoomServerProcess> server;
  std::string at;  // the server, as the homes reach it
  Runner host{root.Path(), "host"}, joiner{root.Path(), "joiner"};
};

TEST_F(NetNat, RoutersThatKeepAPortPerHomePortLetThePunchThrough) {
  PlayAcross(NatHomes::Mapping::kEndpointIndependent, "directo", "directo");
}

TEST_F(NetNat, RoutersThatMapEveryDestinationApartPlayThroughTheRelay) {
  PlayAcross(NatHomes::Mapping::kSymmetric, "por el servidor de salas", "por el servidor");
}

}  // namespace

namespace {

// Without the server, a relayed link is gone: each machine says so and plays on alone, and its
// player, the last one standing, ends the match.
TEST_F(NetNat, ARelayedMatchWhoseServerGoesEndsSayingWhy) {
  MakeHomes(NatHomes::Mapping::kSymmetric);
  if (IsSkipped() || HasFailure()) return;
  ASSERT_NO_FATAL_FAILURE(StartBoth(Press(90000, kKeyEnter, 50), Press(90000, kKeyEnter, 50)));
  ASSERT_FALSE(AwaitLine(host.Out(), "(Partida en red)").empty()) << host.Output();
  server->Stop();
  EXPECT_EQ(joiner.Finish(), 0) << joiner.Output();
  EXPECT_EQ(host.Finish(), 0) << host.Output();
  for (const Runner* runner : {&host, &joiner}) {
    EXPECT_NE(runner->Output().find("el servidor de salas que llevaba el enlace no responde"),
              std::string::npos)
        << runner->Output();
  }
}

}  // namespace

namespace {

TEST_F(NetNat, ThreeHomesLinkEveryPairDirectly) {
  PlayThreeHomes(NatHomes::Mapping::kEndpointIndependent, "directo");
}

TEST_F(NetNat, ThreeHomesBehindRoutersThatMapEveryDestinationApartRelayEveryPair) {
  PlayThreeHomes(NatHomes::Mapping::kSymmetric, "por el servidor");
}

}  // namespace
