// A shell that starts nothing: it records every call in order, so that tests can check what
// would have been started, and with which verb, parameters, folder and show command.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace xal::sim {

struct SimShellCall {
  enum class Kind { Execute, ExecuteEx, TaskBarState };
  Kind kind = Kind::Execute;
  std::string verb;
  std::string file;
  std::string parameters;
  std::string folder;
  int show = 0;
  std::uint32_t state = 0;
};

class SimShell : public IShell {
 public:
  void Execute(const std::string& verb, const std::string& file, const std::string& parameters,
               const std::string& workingFolder, int showCommand) override {
    Record({SimShellCall::Kind::Execute, verb, file, parameters, workingFolder, showCommand, 0});
  }
  bool ExecuteEx(const std::string& verb, const std::string& file,
                 const std::string& parameters) override {
    Record({SimShellCall::Kind::ExecuteEx, verb, file, parameters, {}, kShowNormal, 0});
    return executeExResult;
  }
  void SetTaskBarState(std::uint32_t state) override {
    Record({SimShellCall::Kind::TaskBarState, {}, {}, {}, {}, 0, state});
    taskBarState = state;
  }
  int OsMajorVersion() const override { return osMajorVersion; }

  std::vector<SimShellCall> calls;
  // Called with each call as it is made, to look at the world at that moment.
  std::function<void(const SimShellCall&)> onCall;
  bool executeExResult = true;
  std::uint32_t taskBarState = 0;
  int osMajorVersion = 10;

 private:
  void Record(SimShellCall call) {
    calls.push_back(call);
    if (onCall) {
      onCall(calls.back());
    }
  }
};

}  // namespace xal::sim
