#pragma once
// The program from start-up to the end of the state loop, shared by the windowed program and the
// headless runner; each installs its media backend and enters the data folder first.
#include <string>

namespace shell {

// Runs the whole program and returns its exit status: 0 when the player quits, the status of a
// program ended early (media::ProgramExit), 255 after a run-time error (its text on stderr).
int RunProgram();

// The folder the running executable lives in.
std::string ExecutableFolder();
// Makes `folder` the current folder, where gfx/, anim/, music/ and "wtf.cfg" are found. False,
// after a message on standard error naming the folder, when it cannot be entered.
bool EnterDataFolder(const std::string& folder);

}  // namespace shell
