// The network panel's lists of machines: who is in the match and how this machine links with
// each, on the host page and, once a joiner is in a room, on the join page.
#include "menu/submenu_net.h"

namespace {
// The longest address the panel has room for, a full IPv4 one with its port; the host's roster
// may say anything, so a longer one is cut.
constexpr size_t kLongestShownAddress = 21;
}  // namespace

std::string TSubMenuNet::PlayersText(int count) {
  return std::to_string(count) + (count == 1 ? " jugador" : " jugadores");
}

std::string TSubMenuNet::MemberLine(int machine, const std::string& who, int localPlayers,
                                    const std::string& link) {
  return std::to_string(machine + 1) + ". " + who.substr(0, kLongestShownAddress) + ", " +
         PlayersText(localPlayers) + link;
}

std::string TSubMenuNet::LinkText(net::Lobby::Link link) {
  const std::string word = net::Lobby::LinkWord(link);
  return word.empty() ? "" : " (" + word + ")";
}

// Only while joining and in: before the host answers, the page says it is calling instead.
void TSubMenuNet::ReadJoinLinks() {
  joinLinks.clear();
  if (page != Page::kJoin || lobby->GetPhase() == net::Lobby::Phase::kConnecting) return;
  const auto& members = lobby->Members();
  for (int m = 0; m < static_cast<int>(members.size()); ++m) {
    if (m == lobby->LocalMachine()) continue;
    const std::string who = m == 0 ? "anfitrión" : members[m].address;
    joinLinks.push_back(MemberLine(m, who, members[m].localPlayers, LinkText(lobby->LinkWith(m))));
  }
}
