// Network matches by room code through a room server on the loopback: the host gets a code,
// joiners give it, everyone plays the same frames; wrong and closed codes are refused.
#include <gtest/gtest.h>

#include "room_server.h"

namespace {

using namespace e2e;

class NetRooms : public ::testing::Test {
 protected:
  std::vector<std::string> ByCode(const std::string& code) {
    return {"--join-code", code, "--server", "127.0.0.1:" + serverPort};
  }

  ScratchFolder root;
  RoomServerProcess server{root.Path()};
  std::string serverPort = server.Port();
};

TEST_F(NetRooms, AHostAndThreeJoinersByCodePlayTheSameFrames) {
  ASSERT_FALSE(serverPort.empty());
  std::vector<std::unique_ptr<Runner>> runners;
  for (int m = 0; m < 4; ++m) {
    runners.push_back(std::make_unique<Runner>(root.Path(), "machine" + std::to_string(m)));
  }
  const auto script = [](int m) {
    return Press(1500 + 700 * m, kKeyPlayerOne, 100) + (m == 1 ? Press(6000, kKeyEscape, 100) : "");
  };
  runners[0]->Start(script(0),
                    {"--host", "0", "--match", "2:4", "--server", "127.0.0.1:" + serverPort});
  const std::string code = RoomCode(*runners[0]);
  ASSERT_FALSE(code.empty()) << runners[0]->Output();
  for (int m = 1; m < 4; ++m) runners[m]->Start(script(m), ByCode(code));
  for (const auto& runner : runners) EXPECT_EQ(runner->Finish(), 0) << runner->Output();
  if (HasFailure()) return;

  size_t common = SIZE_MAX;
  for (const auto& runner : runners) common = std::min(common, runner->Confirmed().size());
  ASSERT_GT(common, 100u);
  for (int m = 1; m < 4; ++m) {
    ExpectSameFrames(runners[0]->Confirmed(), runners[m]->Confirmed(), common);
    EXPECT_NE(runners[m]->Output().find("Enlace con el anfitrión: directo"), std::string::npos)
        << runners[m]->Output();
    EXPECT_NE(
        runners[0]->Output().find("Enlace con el EQUIPO " + std::to_string(m + 1) + ": directo"),
        std::string::npos)
        << runners[0]->Output();
  }
}

TEST_F(NetRooms, WrongAndClosedCodesAreRefusedWithAMessage) {
  ASSERT_FALSE(serverPort.empty());
  Runner host(root.Path(), "host"), joiner(root.Path(), "joiner"), late(root.Path(), "late"),
      wrong(root.Path(), "wrong");
  host.Start(Press(3000, kKeyEscape, 100), {"--host", "0", "--server", "127.0.0.1:" + serverPort});
  const std::string code = RoomCode(host);
  ASSERT_FALSE(code.empty()) << host.Output();
  wrong.Start("", ByCode(code == "ZZZZ" ? "YYYY" : "ZZZZ"));
  EXPECT_EQ(wrong.Finish(), 3) << wrong.Output();
  EXPECT_NE(wrong.Output().find("No hay ninguna sala"), std::string::npos) << wrong.Output();

  joiner.Start("", ByCode(code));
  // Once the match has begun, the room is closed: nobody else finds it.
  ASSERT_FALSE(AwaitLine(host.Out(), "(Partida en red)").empty()) << host.Output();
  late.Start("", ByCode(code));
  EXPECT_EQ(late.Finish(), 3) << late.Output();
  EXPECT_NE(late.Output().find("No hay ninguna sala " + code), std::string::npos) << late.Output();
  EXPECT_EQ(host.Finish(), 0) << host.Output();
  EXPECT_EQ(joiner.Finish(), 0) << joiner.Output();
}

// The server is needed only to meet: once the match has begun, direct links play it to its end.
TEST_F(NetRooms, AMatchOfDirectLinksPlaysOnWhenTheServerGoes) {
  ASSERT_FALSE(serverPort.empty());
  Runner host(root.Path(), "host"), joiner(root.Path(), "joiner");
  host.Start(Press(1000, kKeyPlayerOne, 100) + Press(90000, kKeyEnter, 50),
             {"--host", "0", "--server", "127.0.0.1:" + serverPort});
  const std::string code = RoomCode(host);
  ASSERT_FALSE(code.empty()) << host.Output();
  joiner.Start(Press(500, kKeyPlayerOne, 0) + Press(90000, kKeyEnter, 50), ByCode(code));
  ASSERT_FALSE(AwaitLine(host.Out(), "(Partida en red)").empty()) << host.Output();
  server.Stop();
  EXPECT_EQ(joiner.Finish(), 0) << joiner.Output();
  EXPECT_EQ(host.Finish(), 0) << host.Output();
  const auto frames = host.Confirmed();
  ASSERT_GT(frames.size(), 100u);
  ExpectSameFrames(frames, joiner.Confirmed(), std::max(frames.size(), joiner.Confirmed().size()));
}

TEST_F(NetRooms, AJoinCodeWithoutAServerOrAServerThatNeverAnswersSaysSo) {
  Runner joiner(root.Path(), "joiner");
  joiner.Start("", {"--join-code", "ABCD"});
  EXPECT_EQ(joiner.Finish(), 2);
  joiner.Start("", {"--join-code", "ABCD", "--server", "127.0.0.1:9"});
  EXPECT_EQ(joiner.Finish(), 3) << joiner.Output();
  EXPECT_NE(joiner.Output().find("El servidor de salas no responde en 127.0.0.1:9"),
            std::string::npos)
      << joiner.Output();
}

}  // namespace
