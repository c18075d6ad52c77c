// The Internet client library's options, recorded in the order they were set.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/InternetOptions.h"

namespace xal::sim {

class SimInternetOptions : public IInternetOptions {
 public:
  void SetOption(std::uint32_t option) override { options.push_back(option); }

  std::vector<std::uint32_t> options;
};

}  // namespace xal::sim
