// Time, messages and ending the program. The clock and sleeping go through the current backend so
// that the headless runner can replace real time with its virtual clock.
#include "media/system.h"

#include <cstdio>

#include "media/backend.h"

namespace media {

uint32_t Milliseconds() {
  return CurrentBackend().Milliseconds();
}

void Sleep(int ms) {
  if (ms < 0) return;
  CurrentBackend().Sleep(ms);
}

void Notify(const std::string& text, bool serious) {
  CurrentBackend().Notify(text, serious);
}

void Print(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void Write(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

void Raise(const std::string& text) {
  throw RuntimeError(text);
}

void End() {
  throw ProgramExit{0};
}

void Exit(int status) {
  throw ProgramExit{status};
}

}  // namespace media
