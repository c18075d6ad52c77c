#include "appliers/XALStartupRunner.h"

#include <cstddef>

#include "platform/Shell.h"

namespace xal {

void ExecuteStartup(IShell& shell, const std::string& filePath, const std::string& param,
                    const std::string& workDir) {
  if (filePath == "TaskBarAutoHide") {
    // The state is set as a whole, so always-on-top is cleared with it.
    shell.SetTaskBarState(kAppBarStateAutoHide);
    return;
  }
  shell.Execute("open", filePath, param, workDir, kShowDefault);
}

void ExecuteStartups(IShell& shell, const std::vector<std::string>& files,
                     const std::vector<std::string>& params, const std::vector<std::string>& dirs) {
  static const std::string kNone;
  for (std::size_t i = 0; i < files.size(); ++i) {
    // Shorter lists than files are a caller's slip; run the file without what is missing
    // rather than read past the end.
    ExecuteStartup(shell, files[i], i < params.size() ? params[i] : kNone,
                   i < dirs.size() ? dirs[i] : kNone);
  }
}

}  // namespace xal
