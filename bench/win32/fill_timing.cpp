// The Windows side of showing a large catalogue: the editor's controls made and filled with
// 10,000 set lines, then with grids of 1,000 rows each. Prints wall-clock milliseconds of each
// step; the presenter's own cost is measured by bench/editor_bench.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/XALDialog.h"
#include "ui/win32/FormView.h"

namespace {

using namespace xal;

class LargeForm : public TXALDialog {
 public:
  LargeForm() : TXALDialog("fmFillTiming", 771, 503) {
    Add(TXALControlKind::List, "lbXALSets", {8, 8, 140, 480}).Highlights =
        std::getenv("PLAIN") == nullptr;
    for (int i = 0; i < 3; ++i) {
      TXALControl& grid =
          Add(TXALControlKind::Grid, "sg" + std::to_string(i), {156, 8 + i * 160, 600, 150});
      grid.Columns.assign(6, "Column");
    }
  }
  void FillSets(int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
      lines.push_back("Location " + std::to_string(i));
    }
    SetLines("lbXALSets", lines);
    Mutable("lbXALSets").ItemHighlighted.assign(static_cast<std::size_t>(count), false);
  }
  void FillGrids(int rows) {
    for (int g = 0; g < 3; ++g) {
      std::vector<std::vector<std::string>> cells;
      std::vector<std::uint64_t> data;
      for (int r = 0; r < rows; ++r) {
        cells.push_back({"Item " + std::to_string(r), "Ethernet", "255.255.255.0", "192.168.1.1",
                         "192.168.1.1", "8.8.8.8"});
        data.push_back(static_cast<std::uint64_t>(r + 1));
      }
      SetRows("sg" + std::to_string(g), cells, data);
    }
  }
};

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int main() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = &HostProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"XALFillTiming";
  RegisterClassW(&windowClass);
  HWND host = CreateWindowExW(0, L"XALFillTiming", L"Fill timing", WS_OVERLAPPEDWINDOW, 0, 0, 800,
                              560, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ShowWindow(host, SW_SHOW);
  LargeForm form;
  win32::FormView view(GetModuleHandleW(nullptr), form);
  view.Create(host, 96);

  LARGE_INTEGER start, sets, grids;
  QueryPerformanceCounter(&start);
  form.FillSets(10000);
  view.Sync();
  UpdateWindow(host);
  QueryPerformanceCounter(&sets);
  form.FillGrids(1000);
  view.Sync();
  UpdateWindow(host);
  QueryPerformanceCounter(&grids);
  std::printf("fill 10,000 set lines: %.1f ms\n", Milliseconds(start, sets));
  std::printf("fill three grids of 1,000 rows: %.1f ms\n", Milliseconds(sets, grids));
  DestroyWindow(host);
  return 0;
}
