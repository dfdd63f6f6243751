// Matches by room code between homes behind routers that masquerade, made in network namespaces:
// routers that keep a home port's public port let the punch through and the link is direct;
// routers that give every destination a new port leave only the relay, and the match still
// plays. Skipped, saying why, where namespaces cannot be made (not root, no ip or nft).
#include <gtest/gtest.h>

#include "nat_homes.h"
#include "room_server.h"

namespace {

using namespace e2e;

constexpr int kKeyQ = 81;
constexpr int kKeyEnter = 13;

class NetNat : public ::testing::Test {
 protected:
  // A host at home 1 and a joiner at home 2 play a whole match; each says how it is linked.
  void PlayAcross(NatHomes::Mapping mapping, const std::string& joinerLink,
                  const std::string& hostLink) {
    NatHomes homes(root.Path(), 2, mapping);
    if (!homes.Cannot().empty()) {
      GTEST_SKIP() << "network namespaces cannot be made: " << homes.Cannot();
    }
    ASSERT_EQ(homes.Failed(), "");
    RoomServerProcess server(root.Path(), homes.InPublic());
    const std::string port = server.Port();
    ASSERT_FALSE(port.empty());
    const std::string at = std::string(NatHomes::kServerIp) + ":" + port;

    Runner host(root.Path(), "host"), joiner(root.Path(), "joiner");
    host.RunInside(homes.AtHome(1));
    joiner.RunInside(homes.AtHome(2));
    host.Start(Press(1000, kKeyQ, 100) + Press(90000, kKeyEnter, 50),
               {"--host", "0", "--server", at});
    const std::string code = RoomCode(host);
    ASSERT_FALSE(code.empty()) << host.Output();
    joiner.Start(Press(500, kKeyQ, 0) + Press(90000, kKeyEnter, 50),
                 {"--join-code", code, "--server", at});
    EXPECT_EQ(joiner.Finish(), 0) << joiner.Output();
    EXPECT_EQ(host.Finish(), 0) << host.Output();
    if (HasFailure()) return;

    const auto frames = host.Frames();
    ASSERT_GT(frames.size(), 100u);
    ExpectSameFrames(frames, joiner.Frames(), std::max(frames.size(), joiner.Frames().size()));
    EXPECT_NE(joiner.Output().find("Enlace con el anfitrión: " + joinerLink), std::string::npos)
        << joiner.Output();
    EXPECT_NE(host.Output().find("Enlace con el EQUIPO 2: " + hostLink), std::string::npos)
        << host.Output();
  }

  ScratchFolder root;
};

TEST_F(NetNat, RoutersThatKeepAPortPerHomePortLetThePunchThrough) {
  PlayAcross(NatHomes::Mapping::kEndpointIndependent, "directo", "directo");
}

TEST_F(NetNat, RoutersThatMapEveryDestinationApartPlayThroughTheRelay) {
  PlayAcross(NatHomes::Mapping::kSymmetric, "por el servidor de salas", "por el servidor");
}

}  // namespace
