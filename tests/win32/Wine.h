// Whether the tests run under Wine, for the few checks of guarantees that Wine does not give.
#pragma once

#include <windows.h>

namespace xal::win32 {

inline bool RunningUnderWine() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace xal::win32
