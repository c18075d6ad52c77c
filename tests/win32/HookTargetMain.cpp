// A window in another process for the hook library tests: it is shown and activated, retitled
// and destroyed, each step with a pause so that the notices go out in that order. With the
// argument "placement" it opens a window for the placement tests instead and keeps it until it
// is closed.
#include <windows.h>

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

// "placement": a window of another process for the placement tests, open until it is closed.
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

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && lstrcmpA(argv[1], "placement") == 0) {
    return RunPlacementTarget();
  }
  const HWND window = MakeWindow(TargetProc, L"XalHookTargetWindow", L"Hook target before");
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
