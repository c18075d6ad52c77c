// The elevated IP settings helper as the tray program starts it: a block in shared memory, the
// length on the command line, and an environment that any program of the user could have set.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "ComApartment.h"
#include "TestFolders.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32ManagementService.h"
#include "programs/XALSetIPSettings.h"

namespace xal::win32 {
namespace {

// The description of an adapter with IPv4, as the tray program reads it, which names the adapter
// to the helper.
std::string FirstAdapter() {
  ComApartment com;
  Win32ManagementService service;
  auto query =
      service.ExecQuery("SELECT * FROM Win32_NetworkAdapterConfiguration WHERE IPEnabled=TRUE");
  while (std::unique_ptr<IManagementObject> adapter = query->Next()) {
    const std::string description = adapter->GetString("Description");
    if (!description.empty()) {
      return description;
    }
  }
  return {};
}

struct TopLevelSearch {
  DWORD process;
  HWND found;
};

BOOL CALLBACK TakePlanWindow(HWND window, LPARAM search) {
  auto* s = reinterpret_cast<TopLevelSearch*>(search);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t title[128] = {};
  GetWindowTextW(window, title, 128);
  if (process == s->process && IsWindowVisible(window) &&
      std::wcscmp(title, kIPPlanWindowTitle) == 0) {
    s->found = window;
    return FALSE;
  }
  return TRUE;
}

std::wstring ControlText(HWND dialog, int id) {
  wchar_t text[4096] = {};
  GetDlgItemTextW(dialog, id, text, 4096);
  return text;
}

class IPSettingsHelper : public ::testing::Test {
 protected:
  void SetUp() override {
    helper_ = BuildBinFolder() + L"\\XALSetIPSettings.exe";
    ASSERT_NE(GetFileAttributesW(helper_.c_str()), INVALID_FILE_ATTRIBUTES)
        << "build XALSetIPSettings first";
    adapter_ = FirstAdapter();
    ASSERT_FALSE(adapter_.empty()) << "no network adapter to name";
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    report_ =
        std::wstring(temp) + L"XALTestReport" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    DeleteFileW(report_.c_str());
    // What the helper once obeyed; now it must not even look.
    SetEnvironmentVariableW(L"XAL_IPSETTINGS_DRY_RUN", L"1");
    SetEnvironmentVariableW(L"XAL_IPSETTINGS_REPORT", report_.c_str());
  }

  void TearDown() override {
    SetEnvironmentVariableW(L"XAL_IPSETTINGS_DRY_RUN", nullptr);
    SetEnvironmentVariableW(L"XAL_IPSETTINGS_REPORT", nullptr);
    if (process_.hProcess != nullptr) {
      if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 99);
      }
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    if (view_ != nullptr) {
      UnmapViewOfFile(view_);
    }
    if (block_ != nullptr) {
      CloseHandle(block_);
    }
    DeleteFileW(report_.c_str());
  }

  // Leaves the text in the block, as the tray program does, and holds the block.
  std::size_t HoldBlock(const std::string& text) {
    block_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                static_cast<DWORD>(text.size()), L"IPSettingsMMF_ForTremvale");
    EXPECT_NE(block_, nullptr);
    view_ = MapViewOfFile(block_, FILE_MAP_ALL_ACCESS, 0, 0, text.size());
    EXPECT_NE(view_, nullptr);
    if (view_ != nullptr) {
      std::memcpy(view_, text.data(), text.size());
    }
    return text.size();
  }

  // Started without output streams, as the shell starts it for the tray program.
  void Start(const std::wstring& arguments) {
    std::wstring line = L"\"" + helper_ + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process_));
  }

  HWND WaitForPlanWindow() {
    TopLevelSearch search{process_.dwProcessId, nullptr};
    for (int tries = 0; tries < 200 && search.found == nullptr; ++tries) {
      if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) {
        break;
      }
      EnumWindows(&TakePlanWindow, reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
  }

  DWORD ExitCode() {
    EXPECT_EQ(WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

  std::string Block() const { return adapter_ + "\r\nDHCP\r\n\r\n\r\n192.0.2.53\r\n\r\n"; }

  std::wstring helper_;
  std::string adapter_;
  std::wstring report_;
  HANDLE block_ = nullptr;
  void* view_ = nullptr;
  PROCESS_INFORMATION process_{};
};

TEST_F(IPSettingsHelper, TheEnvironmentNeitherMakesADryRunNorNamesAFile) {
  Start(std::to_wstring(HoldBlock(Block())));
  const HWND plan = WaitForPlanWindow();
  ASSERT_NE(plan, nullptr) << "no plan window; the helper ended with " << ExitCode();
  // A real run: the plan waits for the user, with Apply there to press.
  const HWND apply = GetDlgItem(plan, kIPPlanApplyId);
  EXPECT_TRUE(IsWindowVisible(apply) && IsWindowEnabled(apply));
  const std::wstring text = ControlText(plan, kIPPlanTextId);
  EXPECT_NE(text.find(L"Adapter: " + Widen(adapter_) + L"\r\n"), std::wstring::npos)
      << Narrow(text);
  EXPECT_NE(text.find(L"  Address: by DHCP\r\n"), std::wstring::npos) << Narrow(text);
  EXPECT_NE(text.find(L"  DNS servers: 192.0.2.53\r\n"), std::wstring::npos) << Narrow(text);

  PostMessageW(plan, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(plan, IDCANCEL)));
  EXPECT_EQ(ExitCode(), static_cast<DWORD>(kIPHelperExitCancelled));
  EXPECT_EQ(GetFileAttributesW(report_.c_str()), INVALID_FILE_ATTRIBUTES)
      << "the helper wrote the file the environment named";
}

TEST_F(IPSettingsHelper, EnterInThePlanCancels) {
  Start(std::to_wstring(HoldBlock(Block())));
  const HWND plan = WaitForPlanWindow();
  ASSERT_NE(plan, nullptr) << "no plan window; the helper ended with " << ExitCode();
  // The plan has the focus; a stray Enter there gives the default button, which is Cancel.
  const HWND text = GetDlgItem(plan, kIPPlanTextId);
  PostMessageW(text, WM_KEYDOWN, VK_RETURN, 1);
  PostMessageW(text, WM_CHAR, L'\r', 1);
  PostMessageW(text, WM_KEYUP, VK_RETURN, 1 | (1U << 30) | (1U << 31));
  EXPECT_EQ(ExitCode(), static_cast<DWORD>(kIPHelperExitCancelled));
}

TEST_F(IPSettingsHelper, ADryRunFromTheCommandLineOnlyShowsThePlan) {
  Start(L"--dry-run " + std::to_wstring(HoldBlock(Block())));
  const HWND plan = WaitForPlanWindow();
  ASSERT_NE(plan, nullptr) << "no plan window; the helper ended with " << ExitCode();
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(plan, kIPPlanApplyId)));
  EXPECT_EQ(ControlText(plan, IDCANCEL), L"Close");
  EXPECT_NE(ControlText(plan, kIPPlanTextId).find(L"  DNS servers: 192.0.2.53\r\n"),
            std::wstring::npos);
  PostMessageW(plan, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  EXPECT_EQ(ExitCode(), static_cast<DWORD>(kIPHelperExitApplied));
  EXPECT_EQ(GetFileAttributesW(report_.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace xal::win32
