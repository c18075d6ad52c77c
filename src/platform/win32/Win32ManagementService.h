// The Windows management service through its scripting objects, bound by the "winmgmts:"
// moniker and called late-bound by name. The caller's thread must have COM initialised.
#pragma once

#include <memory>
#include <string>

#include "platform/ManagementService.h"

namespace xal::win32 {

class Win32ManagementService : public IManagementService {
 public:
  Win32ManagementService() = default;

  // Connects to root\cimv2 of the local machine anew for each query.
  std::unique_ptr<IManagementQuery> ExecQuery(const std::string& wql) override;
};

}  // namespace xal::win32
