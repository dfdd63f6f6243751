#pragma once
// Starting the built programs from tests: fork and exec with a changed environment, standard
// output to a file, and a bounded wait.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>
#include <vector>

struct SpawnOptions {
  std::vector<std::pair<std::string, std::string>> setEnv;
  std::vector<std::string> unsetEnv;
  std::string stdoutPath;  // empty: inherited
  std::string stderrPath;  // empty: inherited
};

inline SpawnOptions StdoutTo(const std::string& path) {
  SpawnOptions options;
  options.stdoutPath = path;
  return options;
}

inline pid_t Spawn(const std::vector<std::string>& args, const SpawnOptions& options = {}) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  for (const auto& [name, value] : options.setEnv) setenv(name.c_str(), value.c_str(), 1);
  for (const auto& name : options.unsetEnv) unsetenv(name.c_str());
  if (!options.stdoutPath.empty()) {
    const int fd = open(options.stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, STDOUT_FILENO);
    close(fd);
  }
  if (!options.stderrPath.empty()) {
    const int fd = open(options.stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, STDERR_FILENO);
    close(fd);
  }
  std::vector<char*> argv;
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  execvp(argv[0], argv.data());
  _exit(127);
}

// The exit status, or -1 (after killing it) when the child is still running after `timeout` or
// ended by a signal. `peakKb`, when given, gets the child's largest resident size.
inline int WaitFor(pid_t pid, std::chrono::milliseconds timeout, long* peakKb = nullptr) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  struct rusage usage {};
  while (wait4(pid, &status, WNOHANG, &usage) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (peakKb) *peakKb = usage.ru_maxrss;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline int RunChild(const std::vector<std::string>& args, const SpawnOptions& options = {},
                    std::chrono::milliseconds timeout = std::chrono::seconds(60)) {
  return WaitFor(Spawn(args, options), timeout);
}
