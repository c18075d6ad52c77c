// Starting a set's startup programs through the shell. The file name "TaskBarAutoHide" starts
// nothing: it switches the task bar to auto-hide.
#pragma once

#include <string>
#include <vector>

namespace xal {

class IShell;

// Opens the file with the verb "open" and the default show command, without waiting and without
// looking at the result; "TaskBarAutoHide" (exact letter case) sets the task bar state instead.
void ExecuteStartup(IShell& shell, const std::string& filePath, const std::string& param,
                    const std::string& workDir);
// ExecuteStartup for each index of files, in order; params and dirs hold the same count.
void ExecuteStartups(IShell& shell, const std::vector<std::string>& files,
                     const std::vector<std::string>& params, const std::vector<std::string>& dirs);

}  // namespace xal
