// COM for the tests that use it: the program initialises a single-threaded apartment on its user
// interface thread before the first probe, and so do these tests on theirs.
#pragma once

#include <objbase.h>

namespace xal::win32 {

class ComApartment {
 public:
  ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) {
      CoUninitialize();
    }
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  bool Ok() const { return SUCCEEDED(result_); }

 private:
  HRESULT result_;
};

}  // namespace xal::win32
