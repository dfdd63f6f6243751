#pragma once
// Homes behind routers, made by the test itself as root with network namespaces: a "public"
// namespace (the internet, where the room server runs, 203.0.113.1) and for each home a router
// namespace that masquerades its home's 192.168.N.0/24 behind 203.0.113.(10 + N) and lets in only
// answers to what went out, as a home router does. The machines at home reach each other only
// through their routers; what comes in unasked is dropped at the router (were it taken in, the
// router would remember it and map the home's own answer to another port). Either the routers keep
// one public port per home port (endpoint- independent mapping, where punching works) or they give
// each destination a new random port (symmetric, where only a relay gets through).
#include <unistd.h>

#include <string>
#include <vector>

#include "net_runners.h"

namespace e2e {

class NatHomes {
 public:
  enum class Mapping { kEndpointIndependent, kSymmetric };
  static constexpr const char* kServerIp = "203.0.113.1";

  NatHomes(const fs::path& root, int homes, Mapping mapping)
      : prefix_("skg" + std::to_string(getpid()) + "x"), homes_(homes), log_(root / "nat.txt") {
    const std::string probe =
        "command -v nft && ip netns add " + prefix_ + "probe && ip netns del " + prefix_ + "probe";
    if (getuid() != 0) {
      cannot_ = "the tests do not run as root";
    } else if (RunChild({"bash", "-c", probe}, StdoutTo(log_.string())) != 0) {
      cannot_ = "no nft, or no namespaces here (" + ReadFile(log_) + ")";
    } else if (RunChild({"bash", "-c", Script(mapping)}, StdoutTo(log_.string())) != 0) {
      failed_ = ReadFile(log_);
    }
  }
  ~NatHomes() { RunChild({"bash", "-c", Teardown()}, StdoutTo("/dev/null")); }

  // Why namespaces cannot be made on this machine at all; empty where they can.
  const std::string& Cannot() const { return cannot_; }
  // What went wrong making these ones where they can be made; empty when they stand.
  const std::string& Failed() const { return failed_; }
  std::vector<std::string> InPublic() const { return {"ip", "netns", "exec", prefix_ + "pub"}; }
  std::vector<std::string> AtHome(int home) const {
    return {"ip", "netns", "exec", prefix_ + "h" + std::to_string(home)};
  }

 private:
  std::string Script(Mapping mapping) const {
    const std::string random = mapping == Mapping::kSymmetric ? " random" : "";
    std::string s = "set -e; exec 2>&1; P=" + prefix_ + "\n" + Teardown() +
                    "ip netns add ${P}pub; ip -n ${P}pub link set lo up\n"
                    "ip -n ${P}pub link add br0 type bridge\n"
                    "ip -n ${P}pub addr add " +
                    kServerIp +
                    "/24 dev br0\n"
                    "ip -n ${P}pub link set br0 up\n";
    for (int n = 1; n <= homes_; ++n) {
      const std::string h = std::to_string(n);
      s += "R=${P}r" + h + "; H=${P}h" + h +
           "\n"
           "ip netns add $R; ip netns add $H\n"
           "ip -n $R link set lo up; ip -n $H link set lo up\n"
           "ip -n ${P}pub link add w" +
           h +
           " type veth peer name wan netns $R\n"
           "ip -n ${P}pub link set w" +
           h +
           " master br0 up\n"
           "ip -n $R addr add 203.0.113." +
           std::to_string(10 + n) +
           "/24 dev wan\n"
           "ip -n $R link set wan up\n"
           "ip -n $R link add lan type veth peer name eth0 netns $H\n"
           "ip -n $R addr add 192.168." +
           h +
           ".1/24 dev lan; ip -n $R link set lan up\n"
           "ip -n $H addr add 192.168." +
           h +
           ".2/24 dev eth0; ip -n $H link set eth0 up\n"
           "ip -n $H route add default via 192.168." +
           h +
           ".1\n"
           "ip netns exec $R sysctl -qw net.ipv4.ip_forward=1\n"
           "ip netns exec $R nft -f - <<EOF\n"
           "table ip home {\n"
           "  chain masq { type nat hook postrouting priority 100; oifname \"wan\" masquerade" +
           random +
           "; }\n"
           "  chain gate {\n"
           "    type filter hook forward priority 0; policy drop;\n"
           "    ct state established,related accept\n"
           "    iifname \"lan\" accept\n"
           "  }\n"
           "  chain own {\n"
           "    type filter hook input priority 0; policy drop;\n"
           "    ct state established,related accept\n"
           "    iifname { \"lan\", \"lo\" } accept\n"
           "  }\n"
           "}\n"
           "EOF\n";
    }
    return s;
  }

  std::string Teardown() const {
    std::string s = "ip netns del " + prefix_ + "pub 2>/dev/null || true\n";
    for (int n = 1; n <= homes_; ++n) {
      for (const char* kind : {"r", "h"}) {
        s += "ip netns del " + prefix_ + kind + std::to_string(n) + " 2>/dev/null || true\n";
      }
    }
    return s;
  }

  std::string prefix_;
  int homes_;
  fs::path log_;
  std::string cannot_;
  std::string failed_;
};

}  // namespace e2e
