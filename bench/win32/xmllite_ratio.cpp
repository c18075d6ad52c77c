// Loading a large catalogue on Windows against XmlLite alone: the catalogue's load (parse,
// model, sets) and a bare walk of the same bytes with the same reader, which asks for every
// name, attribute and value and keeps nothing. CPU time of this process, after warm-up runs,
// the median of the interleaved repetitions; prints the ratio. Google Benchmark is not built for
// MinGW.
#include <windows.h>
// windows.h first: the headers below need its types.
#include <objidl.h>
#include <shlwapi.h>
#include <wrl/client.h>
#include <xmllite.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "LargeCatalogue.h"
#include "catalogue/XALClasses00100.h"

namespace {

using namespace xal;
using Microsoft::WRL::ComPtr;

double ProcessCpuSeconds() {
  FILETIME creation, exit, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
  const auto ticks = [](const FILETIME& t) {
    return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  };
  return static_cast<double>(ticks(kernel) + ticks(user)) * 1e-7;
}

using CreateReader = decltype(&::CreateXmlReader);

CreateReader LoadCreateReader() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  HMODULE module = LoadLibraryW((std::wstring(folder, length) + L"\\xmllite.dll").c_str());
  if (module == nullptr) {
    return nullptr;
  }
  return reinterpret_cast<CreateReader>(
      reinterpret_cast<void (*)()>(GetProcAddress(module, "CreateXmlReader")));
}

// What any reader of the file must ask XmlLite for, and nothing more.
std::size_t BareWalk(CreateReader create, const std::string& bytes) {
  ComPtr<IXmlReader> reader;
  ComPtr<IStream> stream;
  stream.Attach(SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()),
                                  static_cast<UINT>(bytes.size())));
  if (FAILED(
          create(__uuidof(IXmlReader), reinterpret_cast<void**>(reader.GetAddressOf()), nullptr)) ||
      !stream ||
      FAILED(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit)) ||
      FAILED(reader->SetInput(stream.Get()))) {
    std::fprintf(stderr, "XmlLite is not available\n");
    std::exit(1);
  }
  std::size_t seen = 0;
  XmlNodeType type = XmlNodeType_None;
  const WCHAR* text = nullptr;
  UINT length = 0;
  while (reader->Read(&type) == S_OK) {
    if (type == XmlNodeType_Element) {
      reader->GetQualifiedName(&text, &length);
      seen += length;
      for (HRESULT hr = reader->MoveToFirstAttribute(); hr == S_OK;
           hr = reader->MoveToNextAttribute()) {
        reader->GetQualifiedName(&text, &length);
        seen += length;
        reader->GetValue(&text, &length);
        seen += length;
      }
    } else if (type == XmlNodeType_Text || type == XmlNodeType_Comment) {
      reader->GetValue(&text, &length);
      seen += length;
    }
  }
  return seen;
}

// The median CPU time of one run of each work, after the warm-up runs. The repetitions of all
// of them alternate, so that a drift of the machine's speed falls on each alike.
std::vector<double> Medians(const std::vector<std::function<void()>>& works, int warmUps,
                            int repetitions) {
  for (int i = 0; i < warmUps; ++i) {
    for (const auto& work : works) {
      work();
    }
  }
  std::vector<std::vector<double>> times(works.size());
  for (int i = 0; i < repetitions; ++i) {
    for (std::size_t w = 0; w < works.size(); ++w) {
      const double start = ProcessCpuSeconds();
      works[w]();
      times[w].push_back(ProcessCpuSeconds() - start);
    }
  }
  std::vector<double> medians;
  for (std::vector<double>& runs : times) {
    std::sort(runs.begin(), runs.end());
    medians.push_back(runs[runs.size() / 2]);
  }
  return medians;
}

}  // namespace

int main(int argc, char** argv) {
  const int setCount = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int repetitions = argc > 2 ? std::atoi(argv[2]) : 7;
  const CreateReader create = LoadCreateReader();
  if (create == nullptr) {
    std::fprintf(stderr, "xmllite.dll not found\n");
    return 1;
  }
  TXALComponent owner;
  TXALSets sets(&owner);
  for (int i = 0; i < setCount; ++i) {
    sets.Add(bench::MakeBenchmarkSet(&owner, i));
  }
  const std::string bytes = sets.SaveToBytes("benchmark catalogue");
  std::printf("catalogue: %d sets, %zu bytes\n", setCount, bytes.size());

  std::size_t sink = 0;
  const std::vector<double> medians =
      Medians({[&] { sink += BareWalk(create, bytes); },
               [&] {
                 TXALSets loaded(&owner);
                 loaded.LoadFromBytes(bytes, "bench.xml");
                 sink += static_cast<std::size_t>(loaded.Count());
               },
               [&] { sink += sets.SaveToBytes("benchmark catalogue").size(); }},
              2, repetitions);
  const double bare = medians[0];
  const double load = medians[1];
  const double save = medians[2];
  std::printf("bare XmlLite walk: %8.1f ms CPU\n", bare * 1e3);
  std::printf("catalogue load:    %8.1f ms CPU\n", load * 1e3);
  std::printf("catalogue save:    %8.1f ms CPU\n", save * 1e3);
  std::printf("load / bare XmlLite walk: %.3g\n", load / bare);
  return sink == 0 ? 1 : 0;
}
