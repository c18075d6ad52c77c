// SCAFFOLD: replaced by the real handlers before this lands.
#include "ui/XALMainEditor.h"

#include "catalogue/XALErrors.h"

namespace xal {

void TXALMainEditor::CopyFrom(TXALEditPlace) {
  throw EXALError("Copy is not built yet.");
}

void TXALMainEditor::CutFrom(TXALEditPlace) {
  throw EXALError("Cut is not built yet.");
}

void TXALMainEditor::PasteInto(TXALEditPlace) {
  throw EXALError("Paste is not built yet.");
}

}  // namespace xal
