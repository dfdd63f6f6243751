#pragma once
// The commands of vgptool; each returns the process's exit status.
#include <string>

int Info(const std::string& reader, bool pixels, const std::string& path);
int Extract(const std::string& path, const std::string& folder);
int Pack(const std::string& folder, const std::string& target);
int FpgToVgp(const std::string& source, const std::string& target);
