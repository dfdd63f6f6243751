// The room server under load on the loopback: one server thread (one core) and clients that
// register rooms as fast as the server answers them, each keeping a bounded number of requests
// in flight. Reported: registrations answered per second, and the server's memory with the
// rooms open (the heap in use with the server and its rooms, against the heap before it).
// Targets: 10,000 rooms in under 100 MB, 5,000 registrations per second.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "net/endpoint.h"
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

}  // namespace
