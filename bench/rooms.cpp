// The room server under load on the loopback: one server thread (one core) and clients that
// register rooms as fast as the server answers them, each keeping a bounded number of requests
// in flight. Reported: registrations answered per second, and the server's memory with the
// rooms open (the heap in use with the server and its rooms, against the heap before it).
// Targets: 10,000 rooms in under 100 MB, 5,000 registrations per second. Then the relay: many
// relayed links at once, each carrying game-sized datagrams both ways; reported: datagrams
// passed on per second.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "net/endpoint.h"
#include "server/readiness.h"
#include "server/room_server.h"

namespace {

constexpr int kRooms = 10000;
constexpr int kClients = 8;
constexpr int kInFlight = 32;  // per client
constexpr double kTimeLimitMs = 20000;
constexpr double kTargetPerSecond = 5000;
constexpr double kTargetMegabytes = 100;
constexpr uint32_t kLoopback = 0x0100007F;

double HeapMegabytes() {
  return static_cast<double>(mallinfo2().uordblks) / 1e6;
}

net::Bytes Registration() {
  auto request = net::RoomWriter(net::RoomMessage::kRegister);
  request.U32(net::kRoomProtocol);
  net::Whereabouts{{}, {{0x0A00000A, 27315}}}.Write(request);
  return net::Padded(std::move(request));
}

// Registers `rooms` rooms from kClients sockets; the rooms the server opened.
int Register(const net::IpPort& server, int rooms) {
  std::string error;
  std::vector<std::unique_ptr<net::DatagramSocket>> clients;
  for (int c = 0; c < kClients; ++c) clients.push_back(net::DatagramSocket::Open(0, error));
  std::vector<const net::DatagramSocket*> waiting;
  for (const auto& client : clients) waiting.push_back(client.get());
  const net::Bytes request = Registration();
  std::vector<int> inFlight(kClients, 0);
  int sent = 0, opened = 0, answered = 0;
  const double end = net::NowMs() + kTimeLimitMs;
  while (answered < rooms && net::NowMs() < end) {
    for (int c = 0; c < kClients; ++c) {
      for (; inFlight[c] < kInFlight && sent < rooms; ++inFlight[c], ++sent) {
        clients[c]->Send(server, request);
      }
    }
    const auto ready = net::WaitForAny(waiting, 100);
    // Requests lost on a full buffer are sent again rather than waited for.
    if (ready.empty()) {
      std::fill(inFlight.begin(), inFlight.end(), 0);
      sent = answered;
    }
    for (const size_t c : ready) {
      while (auto answer = clients[c]->Receive()) {
        net::ByteReader in(answer->data);
        opened += net::RoomKind(in) == net::RoomMessage::kRoom;
        ++answered;
        inFlight[c] = std::max(0, inFlight[c] - 1);
      }
    }
  }
  return opened;
}

void BM_Registrations(benchmark::State& state) {
  for (auto _ : state) {
    const double before = HeapMegabytes();
    server::ServerSettings settings;
    settings.port = 0;
    settings.maxRooms = kRooms;
    // The clients all share the loopback's one address.
    settings.roomsPerAddress = kRooms;
    std::string error;
    auto rooms = server::RoomServer::Open(settings, error);
    if (!rooms) {
      state.SkipWithError(error.c_str());
      return;
    }
    std::atomic<bool> done = false;
    std::thread serving([&] {
      while (!done) rooms->Serve(10);
    });
    const double start = net::NowMs();
    const int opened = Register({kLoopback, rooms->Port()}, kRooms);
    const double seconds = (net::NowMs() - start) / 1000;
    done = true;
    serving.join();
    const double megabytes = HeapMegabytes() - before;
    const double perSecond = opened / seconds;
    state.counters["rooms"] = static_cast<double>(rooms->Rooms());
    state.counters["registrations_per_s"] = perSecond;
    state.counters["server_MB"] = megabytes;
    if (static_cast<int>(rooms->Rooms()) < kRooms || perSecond < kTargetPerSecond ||
        megabytes > kTargetMegabytes) {
      state.SkipWithError("below target: fewer rooms, fewer registrations a second or more memory");
    }
  }
}
BENCHMARK(BM_Registrations)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr int kCirculating = 4;  // datagrams each link carries at once, each way
constexpr size_t kGameDatagram = 80;
constexpr double kRelayMs = 3000;

// The server's next answer to `client`, the server served meanwhile.
net::Bytes AnswerTo(server::RoomServer& rooms, net::DatagramSocket& client) {
  const double end = net::NowMs() + 1000;
  while (net::NowMs() < end) {
    rooms.Serve(1);
    if (auto datagram = client.Receive()) return datagram->data;
  }
  return {};
}

// Reads past a room message's mark and kind.
net::ByteReader After(const net::Bytes& message) {
  net::ByteReader in(message);
  net::RoomKind(in);
  return in;
}

struct RelayedPair {
  std::unique_ptr<net::DatagramSocket> host, joiner;
  net::IpPort hostSide, joinerSide;
};

// A room with a joiner whose link with its host goes through the relay, both sides open.
std::optional<RelayedPair> Relayed(server::RoomServer& rooms) {
  std::string error;
  RelayedPair pair{
      net::DatagramSocket::Open(0, error), net::DatagramSocket::Open(0, error), {}, {}};
  if (!pair.host || !pair.joiner) return std::nullopt;
  const net::IpPort server{kLoopback, rooms.Port()};
  pair.host->Send(server, Registration());
  const net::Bytes opened = AnswerTo(rooms, *pair.host);
  net::ByteReader room = After(opened);
  const net::RoomCode code = net::ReadCode(room);
  auto find = net::RoomWriter(net::RoomMessage::kFind);
  find.U32(net::kRoomProtocol);
  net::WriteCode(find, code);
  net::Whereabouts{}.Write(find);
  pair.joiner->Send(server, net::Padded(std::move(find)));
  const net::Bytes admitted = AnswerTo(rooms, *pair.joiner);
  net::ByteReader found = After(admitted);
  const int member = found.U8();
  const uint64_t secret = found.U64();
  AnswerTo(rooms, *pair.host);  // the joiner's arrival
  auto ask = net::RoomWriter(net::RoomMessage::kRelayAsk);
  net::RoomTicket{server, code, member, secret}.Write(ask);
  pair.joiner->Send(server, net::Padded(std::move(ask)));
  for (auto [side, socket] : {std::pair{&pair.joinerSide, pair.joiner.get()},
                              std::pair{&pair.hostSide, pair.host.get()}}) {
    const net::Bytes told = AnswerTo(rooms, *socket);
    net::ByteReader relay = After(told);
    relay.U8();
    *side = {kLoopback, relay.U16()};
    socket->Send(*side, net::RoomWriter(net::RoomMessage::kPunch).Data());
  }
  if (!room.Ok() || !found.Ok() || pair.hostSide.port == 0) return std::nullopt;
  return pair;
}

void BM_Relay(benchmark::State& state) {
  const int links = static_cast<int>(state.range(0));
  for (auto _ : state) {
    server::ServerSettings settings;
    settings.port = 0;
    settings.maxRooms = settings.roomsPerAddress = settings.maxRelays = links;
    settings.relayKbps = 1000000;  // the relay's own pace, not a room's share
    std::string error;
    auto rooms = server::RoomServer::Open(settings, error);
    std::vector<RelayedPair> pairs;
    for (int i = 0; rooms && i < links; ++i) {
      if (auto pair = Relayed(*rooms)) pairs.push_back(std::move(*pair));
    }
    if (pairs.size() != static_cast<size_t>(links)) {
      state.SkipWithError(("relayed links could not be made: " + error).c_str());
      return;
    }
    rooms->Serve(10);  // the sides' openings
    std::atomic<bool> done = false;
    std::thread serving([&] {
      while (!done) rooms->Serve(10);
    });
    // The clients watch their thousands of sockets as the server does, or they would be the
    // ones measured.
    auto ends = server::Readiness::Open(error);
    const net::Bytes datagram(kGameDatagram, 7);
    for (size_t p = 0; p < pairs.size(); ++p) {
      const RelayedPair& pair = pairs[p];
      ends->Watch(pair.joiner->Handle(), 2 * p);
      ends->Watch(pair.host->Handle(), 2 * p + 1);
      for (int i = 0; i < kCirculating; ++i) {
        pair.joiner->Send(pair.joinerSide, datagram);
        pair.host->Send(pair.hostSide, datagram);
      }
    }
    // Every datagram that arrives goes back the way it came, so the load stays the same.
    uint64_t passed = 0;
    const double start = net::NowMs();
    while (net::NowMs() - start < kRelayMs) {
      for (const uint64_t end : ends->Wait(100)) {
        const RelayedPair& pair = pairs[end / 2];
        const bool joiner = end % 2 == 0;
        net::DatagramSocket& socket = joiner ? *pair.joiner : *pair.host;
        while (socket.Receive()) {
          ++passed;
          socket.Send(joiner ? pair.joinerSide : pair.hostSide, datagram);
        }
      }
    }
    const double seconds = (net::NowMs() - start) / 1000;
    done = true;
    serving.join();
    state.counters["relayed_links"] = static_cast<double>(rooms->RelayLinks());
    state.counters["datagrams_per_s"] = static_cast<double>(passed) / seconds;
    state.counters["relayed_MB_per_s"] =
        static_cast<double>(passed * kGameDatagram) / seconds / 1e6;
  }
}
BENCHMARK(BM_Relay)
    ->Arg(100)
    ->Arg(1000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
