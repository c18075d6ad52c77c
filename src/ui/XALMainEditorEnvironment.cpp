// SCAFFOLD: replaced by the real handlers before this lands.
#include "ui/XALMainEditor.h"

#include "catalogue/XALErrors.h"

namespace xal {

void TXALMainEditor::btEnvWiFiEditClick() {
  throw EXALError("btEnvWiFiEditClick is not built yet.");
}

void TXALMainEditor::btEnvWiFiDeleteClick() {
  throw EXALError("btEnvWiFiDeleteClick is not built yet.");
}

void TXALMainEditor::btEnvIPAddressesAddClick() {
  throw EXALError("btEnvIPAddressesAddClick is not built yet.");
}

void TXALMainEditor::btEnvIPAddressesEditClick() {
  throw EXALError("btEnvIPAddressesEditClick is not built yet.");
}

void TXALMainEditor::btEnvIPAddressesDeleteClick() {
  throw EXALError("btEnvIPAddressesDeleteClick is not built yet.");
}

void TXALMainEditor::seEnvDisplaysCountChange() {
  throw EXALError("seEnvDisplaysCountChange is not built yet.");
}

void TXALMainEditor::btEnvDisplaysAddClick() {
  throw EXALError("btEnvDisplaysAddClick is not built yet.");
}

void TXALMainEditor::btEnvDisplaysEditClick() {
  throw EXALError("btEnvDisplaysEditClick is not built yet.");
}

void TXALMainEditor::btEnvDisplaysDeleteClick() {
  throw EXALError("btEnvDisplaysDeleteClick is not built yet.");
}

void TXALMainEditor::btEnvDisplaysImportCurrentClick() {
  throw EXALError("btEnvDisplaysImportCurrentClick is not built yet.");
}

void TXALMainEditor::btEnvPrintersAddClick() {
  throw EXALError("btEnvPrintersAddClick is not built yet.");
}

void TXALMainEditor::btEnvPrintersEditClick() {
  throw EXALError("btEnvPrintersEditClick is not built yet.");
}

void TXALMainEditor::btEnvPrintersDeleteClick() {
  throw EXALError("btEnvPrintersDeleteClick is not built yet.");
}

void TXALMainEditor::RaiseDisplayCount() {
  throw EXALError("RaiseDisplayCount is not built yet.");
}

}  // namespace xal
