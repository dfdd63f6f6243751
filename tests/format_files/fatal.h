#pragma once
// Expecting the modules' fatal ends: what reached standard output and how the program ended.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "media/stream.h"
#include "media/system.h"

struct FatalEnd {
  std::string output;        // standard output written before the end
  std::string raised;        // the run-time error's text, "" when none was raised
  int exitStatus = -1;       // the status of a ProgramExit, -1 when none
  bool readPastEnd = false;  // the stream read error ended it
};

inline FatalEnd RunToFatalEnd(const std::function<void()>& action) {
  FatalEnd end;
  testing::internal::CaptureStdout();
  try {
    action();
    ADD_FAILURE() << "the action ended normally";
  } catch (const media::StreamReadError& error) {
    end.readPastEnd = true;
    end.raised = error.what();
  } catch (const media::RuntimeError& error) {
    end.raised = error.what();
  } catch (const media::ProgramExit& exit) {
    end.exitStatus = exit.status;
  }
  end.output = testing::internal::GetCapturedStdout();
  return end;
}

// The package module's end: the message without a line break, then its run-time error.
inline void ExpectVgpFailure(const std::function<void()>& action, const std::string& message) {
  const FatalEnd end = RunToFatalEnd(action);
  EXPECT_EQ(end.output, message);
  EXPECT_EQ(end.raised, "Tarn.net VGP module abnormal termination");
}

// The animation module's end: two lines, then status 1.
inline void ExpectVbaFailure(const std::function<void()>& action, const std::string& message) {
  const FatalEnd end = RunToFatalEnd(action);
  EXPECT_EQ(end.output, message + "\nTarn Engine: VBA module abnormal termination\n");
  EXPECT_EQ(end.exitStatus, 1);
}
