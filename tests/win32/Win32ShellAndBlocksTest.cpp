// The ports that start programs, share memory, write the registry and read the machine's state.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

#include "ComApartment.h"
#include "catalogue/XALErrors.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32HostAddresses.h"
#include "platform/win32/Win32InternetOptions.h"
#include "platform/win32/Win32Keyboard.h"
#include "platform/win32/Win32ManagementService.h"
#include "platform/win32/Win32Printers.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32SharedMemory.h"
#include "platform/win32/Win32Shell.h"
#include "regex/IPPattern.h"

namespace xal::win32 {
namespace {

std::string UniqueName(const char* stem) {
  return std::string(stem) + std::to_string(GetCurrentProcessId()) + "_" +
         std::to_string(GetTickCount64());
}

TEST(Win32SharedMemory, AnExistingBlockKeepsItsFirstSize) {
  Win32SharedMemory memory;
  const std::string name = UniqueName("XALTestBlock");
  const std::unique_ptr<ISharedBlock> first = memory.CreateOrOpen(name, 100);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Size(), 100u);
  std::memcpy(first->View(), "first", 5);

  // Asking for more does not grow it; what is reported may be rounded up to the page, never to
  // the size asked for.
  const std::unique_ptr<ISharedBlock> second = memory.CreateOrOpen(name, 100000);
  ASSERT_NE(second, nullptr);
  EXPECT_GE(second->Size(), 100u);
  EXPECT_LT(second->Size(), 100000u);
  EXPECT_EQ(std::memcmp(second->View(), "first", 5), 0);
  // The whole reported size can be touched.
  second->View()[second->Size() - 1] = 1;
}

TEST(Win32SharedMemory, ASquattedBlockIsRefusedOrCutToItsCommittedPart) {
  // Another program takes the name first, with memory reserved but not committed: touching the
  // view would fault.
  const std::string name = UniqueName("XALTestSquat");
  const HANDLE squat =
      CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE | SEC_RESERVE, 0, 64 * 1024,
                         Widen(name).c_str());
  ASSERT_NE(squat, nullptr);
  Win32SharedMemory memory;
  try {
    memory.CreateOrOpen(name, 100);
    FAIL() << "a block without memory behind it was opened";
  } catch (const EXALError& error) {
    EXPECT_NE(std::string(error.what()).find("\"" + name + "\" can't be used"), std::string::npos)
        << error.what();
  }

  // Once the squatter commits a page, that page is all there is to use.
  void* squatView = MapViewOfFile(squat, FILE_MAP_ALL_ACCESS, 0, 0, 0);
  ASSERT_NE(squatView, nullptr);
  ASSERT_NE(VirtualAlloc(squatView, 1, MEM_COMMIT, PAGE_READWRITE), nullptr);
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  const std::unique_ptr<ISharedBlock> block = memory.CreateOrOpen(name, 10000);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->Size(), system.dwPageSize);
  EXPECT_EQ(CommittedBytesAt(block->View()), system.dwPageSize);
  block->View()[block->Size() - 1] = 1;
  UnmapViewOfFile(squatView);
  CloseHandle(squat);
}

TEST(Win32SharedMemory, ABlockThatCantBeMadeRaises) {
  Win32SharedMemory memory;
  EXPECT_THROW(memory.CreateOrOpen(UniqueName("XALTestEmpty"), 0), EXALError);
}

TEST(Win32Registry, WriterRoundTrip) {
  const std::string key = "Software\\KelpraTremvaleTest\\" + UniqueName("Writer");
  Win32Registry registry;
  {
    std::unique_ptr<IRegistryKeyWriter> writer =
        registry.CreateKey(TXALRegistryRoot::CurrentUser, key);
    ASSERT_NE(writer, nullptr);
    writer->WriteString("ProxyServer", "proxy.example:8080 \xe6\x9d\xb1");
    writer->WriteString("AutoConfigURL", "");
    writer->WriteDword("ProxyEnable", 0xFFFFFFFFu);
  }
  EXPECT_EQ(registry.ReadString(TXALRegistryRoot::CurrentUser, key, "ProxyServer"),
            "proxy.example:8080 \xe6\x9d\xb1");
  EXPECT_EQ(registry.ReadString(TXALRegistryRoot::CurrentUser, key, "AutoConfigURL"), "");
  EXPECT_EQ(registry.ReadDword(TXALRegistryRoot::CurrentUser, key, "ProxyEnable"), 0xFFFFFFFFu);
  EXPECT_EQ(registry.ReadDword(TXALRegistryRoot::CurrentUser, key, "ProxyServer"), std::nullopt);
  EXPECT_EQ(registry.ReadDword(TXALRegistryRoot::CurrentUser, key, "Missing"), std::nullopt);
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KelpraTremvaleTest");
}

TEST(Win32Registry, AKeyThatCantBeCreatedGivesNoWriter) {
  Win32Registry registry;
  // Key names are limited to 255 characters.
  EXPECT_EQ(registry.CreateKey(TXALRegistryRoot::CurrentUser,
                               "Software\\KelpraTremvaleTest\\" + std::string(300, 'k')),
            nullptr);
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\KelpraTremvaleTest");
}

TEST(Win32InternetOptions, TheSettingsNoticesReturn) {
  Win32DefaultConnection connection;
  Win32InternetOptions options(connection);
  // Their results are not reported; neither may crash, even where the refresh is refused.
  options.SetOption(kInternetOptionSettingsChanged);
  options.SetOption(kInternetOptionRefresh);
}

TEST(Win32Shell, ExecuteExStartsAProgramAndReportsAMissingOne) {
  ComApartment com;
  Win32Shell shell;
  wchar_t self[MAX_PATH] = {};
  ASSERT_NE(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  // This test program again, told only to list its tests and end.
  EXPECT_TRUE(shell.ExecuteEx("open", Narrow(self), "--gtest_list_tests"));
  EXPECT_FALSE(shell.ExecuteEx("open", "Z:\\no\\such\\XALTestMissing.exe", ""));
}

TEST(Win32Shell, VersionAndTaskBar) {
  Win32Shell shell;
  EXPECT_GE(shell.OsMajorVersion(), 6);
  // Sent with no window when there is no task bar; must not fail either way.
  shell.SetTaskBarState(0);
}

TEST(Win32Keyboard, ShiftIsUpWhenNobodyTypes) {
  EXPECT_FALSE(Win32Keyboard().IsShiftDown());
}

TEST(Win32HostAddresses, AddressesAreIPv4Texts) {
  Win32HostAddresses host;
  const std::vector<std::string> addresses = host.LocalIPv4Addresses();
  EXPECT_LE(addresses.size(), kMaxHostAddresses);
  for (const std::string& address : addresses) {
    EXPECT_TRUE(IsIPv4Address(address)) << address;
  }
}

TEST(Win32Printers, ListsWithoutFailing) {
  // Without a print spooler that has printers the list is empty, not an error.
  for (const std::string& name : Win32Printers().InstalledPrinters()) {
    EXPECT_FALSE(name.empty());
  }
}

TEST(Win32ManagementService, AnUnknownMethodRaisesWithItsName) {
  ComApartment com;
  ASSERT_TRUE(com.Ok());
  Win32ManagementService service;
  auto query = service.ExecQuery("SELECT * FROM Win32_OperatingSystem");
  std::unique_ptr<IManagementObject> system = query->Next();
  ASSERT_NE(system, nullptr);
  try {
    system->InvokeMethod("XALNoSuchMethod");
    FAIL() << "no error";
  } catch (const EXALError& error) {
    EXPECT_NE(std::string(error.what()).find("XALNoSuchMethod"), std::string::npos) << error.what();
  }
  EXPECT_THROW(InvokeManagementMethod(*system, "XALNoSuchMethod", {}), EXALError);
}

}  // namespace
}  // namespace xal::win32
