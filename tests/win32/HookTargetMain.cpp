// A program in another process for the hook library tests. Without arguments it shows and
// activates a window, retitles it and destroys it, each step with a pause so that the notices go
// out in that order. Other modes:
//
//   placement                      a window for the placement tests, open until it is closed
//   steer <window> <hook folder>   first writes WM_CLOSE over everything in both libraries' shared
//                                  sections except the handle of <window>, as a stranger could
//   second-starter <hook folder>   starts and stops both hooks itself, with a window of its own,
//                                  around two rounds of window events
//   hold-and-end <hook folder>     starts both hooks itself and ends without stopping them
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void PumpFor(DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  MSG message;
  while (GetTickCount64() < end) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(10);
  }
}

// Marks the window as dying and lingers, so that a destroy notice handled only once destruction has
// begun sees the changed caption instead of the last one.
LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    SetWindowTextW(window, L"Hook target dying");
    Sleep(500);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK PlacementTargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A shown top-level window of its own class, or null.
HWND MakeWindow(WNDPROC procedure, const wchar_t* className, const wchar_t* caption) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = className;
  if (RegisterClassW(&windowClass) == 0) {
    return nullptr;
  }
  const HWND window = CreateWindowExW(0, className, caption, WS_OVERLAPPEDWINDOW, 40, 40, 320, 200,
                                      nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window != nullptr) {
    ShowWindow(window, SW_SHOWNORMAL);
  }
  return window;
}

// One round of the events the hooks report, on a window of the given class.
int ShowRetitleDestroy(const wchar_t* className) {
  const HWND window = MakeWindow(TargetProc, className, L"Hook target before");
  if (window == nullptr) {
    return 2;
  }
  SetForegroundWindow(window);
  SetActiveWindow(window);
  PumpFor(300);
  SetWindowTextW(window, L"Hook target after");
  PumpFor(300);
  DestroyWindow(window);
  return 0;
}

int RunPlacementTarget() {
  if (MakeWindow(PlacementTargetProc, L"XalPlacementTarget", L"Placement target") == nullptr) {
    return 2;
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

HMODULE LoadHookLibrary(const std::wstring& folder, const wchar_t* name) {
  return LoadLibraryExW((folder + L"\\" + name).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// Every 32-bit word of the library's shared section becomes WM_CLOSE, except a pointer-sized
// slot holding `keep`, so that notices keep their way to the test's window. False when the
// library or its section is missing, so the test can't pass without having written anything.
bool Steer(const std::wstring& folder, const wchar_t* name, HWND keep) {
  const HMODULE module = LoadHookLibrary(folder, name);
  if (module == nullptr) {
    return false;
  }
  auto* const base = reinterpret_cast<BYTE*>(module);
  const auto* const dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  auto* const nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
  for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
    if (std::memcmp(section->Name, ".shared", 8) != 0) {
      continue;
    }
    auto* const slots = reinterpret_cast<UINT_PTR*>(base + section->VirtualAddress);
    const DWORD count = section->Misc.VirtualSize / sizeof(UINT_PTR);
    for (DWORD slot = 0; slot < count; ++slot) {
      if (slots[slot] == reinterpret_cast<UINT_PTR>(keep)) {
        continue;
      }
      auto* const words = reinterpret_cast<DWORD*>(&slots[slot]);
      for (std::size_t word = 0; word < sizeof(UINT_PTR) / sizeof(DWORD); ++word) {
        words[word] = WM_CLOSE;
      }
    }
    return count > 0;
  }
  return false;
}

int RunSteerer(HWND keep, const std::wstring& folder) {
  if (!Steer(folder, L"XALCBTH.DLL", keep) || !Steer(folder, L"XALCWPH.DLL", keep)) {
    return 3;
  }
  return ShowRetitleDestroy(L"XalHookTargetWindow");
}

// Both libraries' start and stop, as a program of its own would call them.
struct OwnHooks {
  using Start = void(__stdcall*)(HWND);
  using Stop = void(__stdcall*)();
  Start startCbt = nullptr;
  Stop stopCbt = nullptr;
  Start startCallWndProcRet = nullptr;
  Stop stopCallWndProcRet = nullptr;
  HWND window = nullptr;

  template <typename Function>
  static Function Bind(HMODULE module, const char* name) {
    return module == nullptr
               ? nullptr
               : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }

  bool Load(const std::wstring& folder) {
    const HMODULE cbt = LoadHookLibrary(folder, L"XALCBTH.DLL");
    const HMODULE callWndProcRet = LoadHookLibrary(folder, L"XALCWPH.DLL");
    startCbt = Bind<Start>(cbt, "StartCBTHook");
    stopCbt = Bind<Stop>(cbt, "StopCBTHook");
    startCallWndProcRet = Bind<Start>(callWndProcRet, "StartCallWndProcRetHook");
    stopCallWndProcRet = Bind<Stop>(callWndProcRet, "StopCallWndProcRetHook");
    window = CreateWindowExW(0, L"STATIC", L"Own hooks", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    return startCbt != nullptr && stopCbt != nullptr && startCallWndProcRet != nullptr &&
           stopCallWndProcRet != nullptr && window != nullptr;
  }
  void StartBoth() const {
    startCbt(window);
    startCallWndProcRet(window);
  }
  void StopBoth() const {
    stopCbt();
    stopCallWndProcRet();
  }
};

int RunSecondStarter(const std::wstring& folder) {
  OwnHooks hooks;
  if (!hooks.Load(folder)) {
    return 3;
  }
  hooks.StartBoth();
  int result = ShowRetitleDestroy(L"XalHookTargetDuring");
  hooks.StopBoth();
  if (result == 0) {
    result = ShowRetitleDestroy(L"XalHookTargetAfter");
  }
  return result;
}

// Takes the hooks and ends without stopping them, as a program that crashed would.
int RunHoldAndEnd(const std::wstring& folder) {
  OwnHooks hooks;
  if (!hooks.Load(folder)) {
    return 3;
  }
  hooks.StartBoth();
  return 0;
}

// The test passes build paths, which need no more than the ANSI code page.
std::wstring Wide(const char* text) {
  const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring wide(size > 0 ? static_cast<std::size_t>(size) : 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
  wide.resize(wide.size() - 1);
  return wide;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 1) {
    return ShowRetitleDestroy(L"XalHookTargetWindow");
  }
  if (argc == 2 && lstrcmpA(argv[1], "placement") == 0) {
    return RunPlacementTarget();
  }
  if (argc == 4 && lstrcmpA(argv[1], "steer") == 0) {
    const auto keep =
        reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(argv[2], nullptr, 10)));
    return RunSteerer(keep, Wide(argv[3]));
  }
  if (argc == 3 && lstrcmpA(argv[1], "second-starter") == 0) {
    return RunSecondStarter(Wide(argv[2]));
  }
  if (argc == 3 && lstrcmpA(argv[1], "hold-and-end") == 0) {
    return RunHoldAndEnd(Wide(argv[2]));
  }
  return 4;
}
