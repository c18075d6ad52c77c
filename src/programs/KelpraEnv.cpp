// Program entry of the console companion: prints the current environment exactly as the tray
// program's probes see it, so that a user can write conditions that will match.
#include <windows.h>

#include <objbase.h>

#include <exception>
#include <string>
#include <string_view>

#include "core/CommandLine.h"
#include "platform/XALPlatform.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Platform.h"
#include "sensing/XALCurrent.h"
#include "sensing/XALEnvironmentReport.h"
#include "ui/XALLanguage.h"

namespace {

constexpr char kUsage[] =
    "Usage: KelpraEnv [/? | -h]\n"
    "\n"
    "Prints the current environment as Kelpra Tremvale sees it: the IPv4 address lines, the\n"
    "connected Wi-Fi network, the displays, the printers, the default printer, the proxy\n"
    "server and the configuration script URL, in the language of the user's locale.\n"
    "\n"
    "Exit code: 0 when every probe succeeded, 1 when one failed (its error is printed in its\n"
    "place and the other probes still run).\n";

// A console takes UTF-16; a pipe or file gets the UTF-8 bytes unchanged, so that whatever reads
// them sees the same text whatever the console code page.
void Write(DWORD stream, std::string_view text) {
  const HANDLE handle = GetStdHandle(stream);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
    return;
  }
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode)) {
    const std::wstring wide = xal::win32::Widen(text);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  while (!text.empty()) {
    DWORD written = 0;
    if (!WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written == 0) {
      return;
    }
    text.remove_prefix(written);
  }
}

bool AsksForUsage(const std::string& argument) {
  return argument == "/?" || argument == "-h" || argument == "--help";
}

int Run() {
  xal::win32::Win32Platform ports;
  xal::TXALPlatform& platform = ports.Platform();

  for (const std::string& argument : platform.System.CommandLineArguments()) {
    if (AsksForUsage(argument)) {
      Write(STD_OUTPUT_HANDLE, kUsage);
      return 0;
    }
    Write(STD_ERROR_HANDLE, "Unknown argument \"" + argument + "\".\n\n" + kUsage);
    return 1;
  }

  bool failed = false;
  // The same file the tray program reads; without it the headings and the no-proxy and no-URL
  // texts are empty, but the probes still say what they found.
  xal::TXALLanguage language;
  try {
    language.LoadFromFile(
        platform.Files,
        xal::TXALLanguage::FileName(xal::ExtractFilePath(platform.System.ExecutablePath()),
                                    platform.System.UserDefaultLocaleId()));
  } catch (const std::exception& error) {
    Write(STD_ERROR_HANDLE, std::string(error.what()) + "\n");
    failed = true;
  }

  xal::TfmXALCurrent current(platform, language);
  const xal::TXALEnvironmentReport report = xal::MakeEnvironmentReport(current, language);
  Write(STD_OUTPUT_HANDLE, report.Text);
  return failed || report.Failed ? 1 : 0;
}

}  // namespace

// The C runtime's entry for -municode calls it by its C name.
extern "C" int wmain(int, wchar_t**);

int wmain(int, wchar_t**) {
  // The management service needs COM on this thread, in the apartment the tray program uses.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int exitCode = 1;
  try {
    exitCode = Run();
  } catch (const std::exception& error) {
    Write(STD_ERROR_HANDLE, std::string(error.what()) + "\n");
  }
  if (SUCCEEDED(com)) {
    CoUninitialize();
  }
  return exitCode;
}
