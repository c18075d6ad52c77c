#include "platform/sim/SimWindowSystem.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <stdexcept>

namespace xal::sim {

namespace {

std::string Hex(TXALWindowHandle handle) {
  std::ostringstream text;
  text << "0x" << std::hex << handle;
  return text.str();
}

// Distance along one axis from a span to another; 0 when they overlap.
long long Gap(int aLow, int aHigh, int bLow, int bHigh) {
  if (aHigh < bLow) {
    return static_cast<long long>(bLow) - aHigh;
  }
  if (bHigh < aLow) {
    return static_cast<long long>(aLow) - bHigh;
  }
  return 0;
}

}  // namespace

TXALWindowHandle SimWindowSystem::Add(SimWindow window) {
  const TXALWindowHandle handle = next_;
  next_ += 0x10;
  AddWithHandle(handle, std::move(window));
  return handle;
}

void SimWindowSystem::AddWithHandle(TXALWindowHandle handle, SimWindow window) {
  if (windows_.count(handle) != 0) {
    throw std::logic_error("handle in use: " + Hex(handle));
  }
  windows_[handle] = std::move(window);
  callCounts_.erase(handle);
  writeCounts_.erase(handle);
  order_.push_back(handle);
}

void SimWindowSystem::Destroy(TXALWindowHandle handle) {
  windows_.erase(handle);
  order_.erase(std::remove(order_.begin(), order_.end(), handle), order_.end());
}

SimWindow& SimWindowSystem::Window(TXALWindowHandle handle) {
  const auto it = windows_.find(handle);
  if (it == windows_.end()) {
    throw std::logic_error("no window " + Hex(handle));
  }
  return it->second;
}

int SimWindowSystem::WriteCount(TXALWindowHandle handle) const {
  const auto it = writeCounts_.find(handle);
  return it == writeCounts_.end() ? 0 : it->second;
}

SimWindow* SimWindowSystem::Touch(TXALWindowHandle window) const {
  const auto it = windows_.find(window);
  if (it == windows_.end()) {
    return nullptr;
  }
  const int count = ++callCounts_[window];
  if (it->second.VanishOnCall != 0 && count >= it->second.VanishOnCall) {
    windows_.erase(it);
    order_.erase(std::remove(order_.begin(), order_.end(), window), order_.end());
    return nullptr;
  }
  return &it->second;
}

bool SimWindowSystem::IsWindow(TXALWindowHandle window) const {
  return Touch(window) != nullptr;
}

std::string SimWindowSystem::ClassName(TXALWindowHandle window) const {
  const SimWindow* w = Touch(window);
  return w == nullptr ? std::string() : w->ClassName.substr(0, 259);
}

std::string SimWindowSystem::Caption(TXALWindowHandle window) const {
  const SimWindow* w = Touch(window);
  return w == nullptr ? std::string() : w->Caption;
}

std::string SimWindowSystem::ModuleFileName(TXALWindowHandle window) const {
  const SimWindow* w = Touch(window);
  return w == nullptr ? std::string() : w->Module.substr(0, 259);
}

std::uint32_t SimWindowSystem::Style(TXALWindowHandle window) const {
  const SimWindow* w = Touch(window);
  return w == nullptr ? 0 : w->Style;
}

bool SimWindowSystem::IsVisible(TXALWindowHandle window) const {
  const SimWindow* w = Touch(window);
  return w != nullptr && w->Visible;
}

bool SimWindowSystem::IsEnabled(TXALWindowHandle window) const {
  const SimWindow* w = Touch(window);
  return w != nullptr && w->Enabled;
}

std::uint32_t SimWindowSystem::ProcessId(TXALWindowHandle window) const {
  const SimWindow* w = Touch(window);
  return w == nullptr ? 0 : w->Process;
}

TXALWindowHandle SimWindowSystem::FindTopLevel(const std::string& className) const {
  for (const TXALWindowHandle handle : order_) {
    if (windows_.at(handle).ClassName == className) {
      return handle;
    }
  }
  return 0;
}

std::vector<TXALWindowHandle> SimWindowSystem::EnumTopLevel() const {
  return order_;
}

bool SimWindowSystem::GetPlacement(TXALWindowHandle window, TXALWindowPlacement& placement) const {
  const SimWindow* w = Touch(window);
  if (w == nullptr) {
    return false;
  }
  placement = w->Placement;
  return true;
}

void SimWindowSystem::SetPlacement(TXALWindowHandle window, const TXALWindowPlacement& placement) {
  calls.push_back("SetPlacement " + Hex(window) + " " + std::to_string(placement.ShowCmd));
  SimWindow* w = Touch(window);
  if (w == nullptr) {
    return;
  }
  const int writes = ++writeCounts_[window];
  if (w->RefusesWrites || writes <= w->IgnoredWrites) {
    return;
  }
  w->Placement = placement;
  // As the platform does: a window minimised without activation reads back as minimised.
  if (placement.ShowCmd == kSwShowMinNoActive) {
    w->Placement.ShowCmd = kSwShowMinimized;
  }
}

void SimWindowSystem::SetForeground(TXALWindowHandle window) {
  calls.push_back("SetForeground " + Hex(window));
  Touch(window);
}

void SimWindowSystem::Flash(TXALWindowHandle window, int count) {
  calls.push_back("Flash " + Hex(window) + " " + std::to_string(count));
  Touch(window);
}

std::uintptr_t SimWindowSystem::MonitorFromRect(const TXALRect& rect) const {
  if (monitors == nullptr) {
    return 0;
  }
  // As the platform chooses: the largest overlap, else the smallest distance.
  std::uintptr_t best = 0;
  long long bestOverlap = 0;
  long long bestDistance = std::numeric_limits<long long>::max();
  for (const TXALMonitor& monitor : monitors->List()) {
    const TXALRect& b = monitor.Bounds;
    const long long w =
        static_cast<long long>(std::min(rect.Right, b.Right)) - std::max(rect.Left, b.Left);
    const long long h =
        static_cast<long long>(std::min(rect.Bottom, b.Bottom)) - std::max(rect.Top, b.Top);
    const long long overlap = w > 0 && h > 0 ? w * h : 0;
    const long long dx = Gap(rect.Left, rect.Right, b.Left, b.Right);
    const long long dy = Gap(rect.Top, rect.Bottom, b.Top, b.Bottom);
    const long long distance = dx * dx + dy * dy;
    if (overlap > bestOverlap || (bestOverlap == 0 && overlap == 0 && distance < bestDistance)) {
      bestOverlap = overlap;
      bestDistance = distance;
      best = monitor.Handle;
    }
  }
  return best;
}

void SimWindowSystem::ProcessMessages() {
  ++messagePumps;
  if (onProcessMessages) {
    onProcessMessages();
  }
}

}  // namespace xal::sim
