// Where the Windows test program finds what the build made beside it.
#pragma once

#include <windows.h>

#include <string>

namespace xal::win32 {

// The test program's own folder, with a trailing separator.
inline std::wstring TestProgramFolder() {
  wchar_t path[MAX_PATH * 2];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  const std::wstring text(path, length);
  return text.substr(0, text.find_last_of(L"\\/") + 1);
}

// The build's bin folder (the programs and libraries), two levels above the test program;
// without a trailing separator, so that it can stand quoted at the end of a command line.
inline std::wstring BuildBinFolder() {
  return TestProgramFolder() + L"..\\..\\bin";
}

}  // namespace xal::win32
