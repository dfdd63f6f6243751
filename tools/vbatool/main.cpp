// vbatool: animation sets on the command line. `info` prints a set as JSON, `build` writes a
// version 2 file from such JSON. Bad files end with the animation module's message and status 1.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "media/system.h"
#include "vba_json.h"

namespace {

int Usage() {
  std::fputs("usage: vbatool info FILE\n       vbatool build FILE.json OUT.vba\n", stderr);
  return 2;
}

int Build(const std::string& source, const std::string& target) {
  std::ifstream in(source);
  if (!in) {
    std::fprintf(stderr, "vbatool: cannot read %s\n", source.c_str());
    return 1;
  }
  std::stringstream text;
  text << in.rdbuf();
  VbaFromJson(jsonkit::Parse(text.str()))->Save(target);
  return 0;
}

int Run(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "info" && argc == 3) {
    std::printf("%s\n", VbaToJson(*VBA::Load(argv[2])).Write().c_str());
    return 0;
  }
  if (command == "build" && argc == 4) return Build(argv[2], argv[3]);
  return Usage();
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const media::ProgramExit& exit) {
    return exit.status == 0 ? 1 : exit.status;
  } catch (const media::RuntimeError& error) {
    std::fprintf(stderr, "%s\n", error.what());
  } catch (const jsonkit::JsonError& error) {
    std::fprintf(stderr, "vbatool: %s\n", error.what());
  }
  return 1;
}
