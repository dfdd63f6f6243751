#pragma once
// SIGINT and SIGTERM during network play: instead of ending the program on the spot, they are
// held while a session is open, so that the others hear why this machine leaves; when the last
// session closes, the signal is raised again and the program ends as it would have.
namespace net {

// Holds the two signals while it lives; sessions nest.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;
};

// A signal came while a session was open.
bool StopRequested();

}  // namespace net
