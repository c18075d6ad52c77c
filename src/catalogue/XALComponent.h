// The owner of model objects: the window that created them. The model only carries it and
// hands it on to the children and copies it creates; it never calls it.
#pragma once

namespace xal {

class TXALComponent {
 public:
  virtual ~TXALComponent() = default;
};

}  // namespace xal
