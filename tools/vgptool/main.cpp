// vgptool: graphics packages on the command line. Bad files end with the package module's
// message and a non-zero status.
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "json.h"
#include "media/system.h"

namespace {

constexpr char kUsage[] =
    "usage: vgptool info [--reader R] [--pixels] FILE\n"
    "       vgptool extract FILE DIR\n"
    "       vgptool pack DIR OUT.vgp\n"
    "       vgptool fpg2vgp IN.fpg OUT.vgp\n"
    "readers: vgp (default), vgp-relative, fpg, fpg-files, ssvgp, ssvgp-fpg-files, pvgp, "
    "pvgp-fpg\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

int InfoCommand(const std::vector<std::string>& args) {
  std::string reader = "vgp";
  bool pixels = false;
  size_t i = 1;
  for (; i + 1 < args.size(); ++i) {
    if (args[i] == "--pixels") {
      pixels = true;
    } else if (args[i] == "--reader" && i + 2 < args.size()) {
      reader = args[++i];
    } else {
      return Usage();
    }
  }
  if (i + 1 != args.size()) return Usage();
  return Info(reader, pixels, args[i]);
}

int Run(const std::vector<std::string>& args) {
  if (args.empty()) return Usage();
  const std::string& command = args[0];
  if (command == "info") return InfoCommand(args);
  if (args.size() != 3) return Usage();
  if (command == "extract") return Extract(args[1], args[2]);
  if (command == "pack") return Pack(args[1], args[2]);
  if (command == "fpg2vgp") return FpgToVgp(args[1], args[2]);
  return Usage();
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const media::RuntimeError& error) {
    std::fprintf(stderr, "\n%s\n", error.what());
  } catch (const media::ProgramExit& exit) {
    return exit.status == 0 ? 1 : exit.status;
  } catch (const jsonkit::JsonError& error) {
    std::fprintf(stderr, "%s\n", error.what());
  }
  return 1;
}
