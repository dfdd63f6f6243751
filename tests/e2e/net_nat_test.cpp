// Matches by room code between homes behind routers that masquerade, made in network namespaces:
// routers that keep a home port's public port let the punch through and the link is direct;
// routers that give every destination a new port leave only the relay, and the match still
// plays. Skipped, saying why, where namespaces cannot be made (not root, no ip or nft).
#include <gtest/gtest.h>

#include <regex>

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

  // Three or four homes: the joiners link with each other too, each through its own router, or
  // through the server's relay when their routers map every destination apart; either way the
  // match plays and each machine says how each of its links goes.
  void PlayAcrossHomes(int count, NatHomes::Mapping mapping, const std::string& link) {
    MakeHomes(mapping, count);
    if (IsSkipped() || HasFailure()) return;
    std::vector<std::unique_ptr<Runner>> more;
    std::vector<Runner*> all{&host, &joiner};
    for (int m = 2; m < count; ++m) {
      more.push_back(std::make_unique<Runner>(root.Path(), "joiner" + std::to_string(m)));
      all.push_back(more.back().get());
    }
    for (int m = 0; m < count; ++m) all[m]->RunInside(homes->AtHome(m + 1));
    const auto script = [](int m) {
      return Press(1500 + 700 * m, kKeyPlayerOne, 100) +
             (m == 1 ? Press(6000, kKeyEscape, 100) : "");
    };
    host.Start(script(0), {"--host", "0", "--server", at, "--match", "0:" + std::to_string(count)});
    const std::string code = RoomCode(host);
    ASSERT_FALSE(code.empty()) << host.Output();
    for (int m = 1; m < count; ++m) {
      all[m]->Start(script(m), {"--join-code", code, "--server", at});
    }
    for (Runner* runner : all) EXPECT_EQ(runner->Finish(), 0) << runner->Output();
    if (HasFailure()) return;
    size_t common = host.Confirmed().size();
    for (const Runner* runner : all) common = std::min(common, runner->Confirmed().size());
    ASSERT_GT(common, 100u);
    for (const Runner* runner : all)
      ExpectSameFrames(host.Confirmed(), runner->Confirmed(), common);

    const std::regex otherJoiner("Enlace con el EQUIPO \\d: " + link);
    const std::string hostLink = link == "directo" ? "directo" : "por el servidor de salas";
    for (int m = 1; m < count; ++m) {
      const std::string out = all[m]->Output();
      EXPECT_NE(out.find("Enlace con el anfitrión: " + hostLink), std::string::npos) << out;
      const auto words = std::distance(std::sregex_iterator(out.begin(), out.end(), otherJoiner),
                                       std::sregex_iterator());
      EXPECT_EQ(words, count - 2) << "a word for each link with another joiner:\n" << out;
    }
    for (int m = 2; m <= count; ++m) {
      EXPECT_NE(host.Output().find("Enlace con el EQUIPO " + std::to_string(m) + ": " + link),
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
  PlayAcrossHomes(3, NatHomes::Mapping::kEndpointIndependent, "directo");
}

TEST_F(NetNat, ThreeHomesBehindRoutersThatMapEveryDestinationApartRelayEveryPair) {
  PlayAcrossHomes(3, NatHomes::Mapping::kSymmetric, "por el servidor");
}

// Six relayed links, all within one room's share of the relay.
TEST_F(NetNat, FourHomesRelayedPairByPairPlayTheSameFrames) {
  PlayAcrossHomes(4, NatHomes::Mapping::kSymmetric, "por el servidor");
}

}  // namespace

namespace {

// A host on the internet links with each joiner directly, while the joiners' routers leave them
// only the relay between them. When the server goes, the joiners no longer hear each other though
// the host hears both: the match settles without one of them, and each joiner says which link went
// with the server.
TEST_F(NetNat, JoinersRelayedToEachOtherSayWhyWhenTheServerGoes) {
  MakeHomes(NatHomes::Mapping::kSymmetric);
  if (IsSkipped() || HasFailure()) return;
  Runner third{root.Path(), "joiner2"};
  host.RunInside(homes->InPublic());
  joiner.RunInside(homes->AtHome(1));
  third.RunInside(homes->AtHome(2));
  const std::string leave = Press(90000, kKeyEnter, 50);
  host.Start(leave, {"--host", "0", "--server", at, "--match", "0:3"});
  const std::string code = RoomCode(host);
  ASSERT_FALSE(code.empty()) << host.Output();
  for (Runner* runner : {&joiner, &third}) {
    runner->Start(leave, {"--join-code", code, "--server", at});
  }
  for (const Runner* runner : {&host, &joiner, &third}) {
    ASSERT_FALSE(AwaitLine(runner->Out(), "(Partida en red)").empty())
        << host.Output() << joiner.Output() << joiner.Errors() << third.Output();
  }
  server->Stop();
  for (Runner* runner : {&host, &joiner, &third}) {
    EXPECT_EQ(runner->Finish(), 0) << runner->Output();
  }
  for (const Runner* runner : {&joiner, &third}) {
    const std::string out = runner->Output();
    EXPECT_NE(out.find("Enlace con el anfitrión: directo"), std::string::npos) << out;
    EXPECT_NE(out.find("el servidor de salas que llevaba el enlace no responde"), std::string::npos)
        << out;
  }
  EXPECT_EQ(host.Output().find("no responde"), std::string::npos) << host.Output();
}

}  // namespace
