// SCAFFOLD: replaced by the real handlers before this lands.
#include "ui/XALMainEditor.h"

#include "catalogue/XALErrors.h"

namespace xal {

void TXALMainEditor::btTargetIPAddressesAddClick() {
  throw EXALError("btTargetIPAddressesAddClick is not built yet.");
}

void TXALMainEditor::btTargetIPAddressesEditClick() {
  throw EXALError("btTargetIPAddressesEditClick is not built yet.");
}

void TXALMainEditor::btTargetIPAddressesDeleteClick() {
  throw EXALError("btTargetIPAddressesDeleteClick is not built yet.");
}

void TXALMainEditor::btTargetProxyEditClick() {
  throw EXALError("btTargetProxyEditClick is not built yet.");
}

void TXALMainEditor::btTargetAutoConfigURLEditClick() {
  throw EXALError("btTargetAutoConfigURLEditClick is not built yet.");
}

void TXALMainEditor::btTargetDefaultPrinterEditClick() {
  throw EXALError("btTargetDefaultPrinterEditClick is not built yet.");
}

void TXALMainEditor::btTargetDefaultPrinterDeleteClick() {
  throw EXALError("btTargetDefaultPrinterDeleteClick is not built yet.");
}

void TXALMainEditor::btTargetStartupsAddClick() {
  throw EXALError("btTargetStartupsAddClick is not built yet.");
}

void TXALMainEditor::btTargetStartupsEditClick() {
  throw EXALError("btTargetStartupsEditClick is not built yet.");
}

void TXALMainEditor::btTargetStartupsDeleteClick() {
  throw EXALError("btTargetStartupsDeleteClick is not built yet.");
}

void TXALMainEditor::btTargetStartupsUpClick() {
  throw EXALError("btTargetStartupsUpClick is not built yet.");
}

void TXALMainEditor::btTargetStartupsDownClick() {
  throw EXALError("btTargetStartupsDownClick is not built yet.");
}

void TXALMainEditor::btTargetStartupsExecuteClick() {
  throw EXALError("btTargetStartupsExecuteClick is not built yet.");
}

void TXALMainEditor::btTargetStartupsExecuteAllClick() {
  throw EXALError("btTargetStartupsExecuteAllClick is not built yet.");
}

void TXALMainEditor::btTargetAppsAddClick() {
  throw EXALError("btTargetAppsAddClick is not built yet.");
}

void TXALMainEditor::btTargetAppsEditClick() {
  throw EXALError("btTargetAppsEditClick is not built yet.");
}

void TXALMainEditor::btTargetAppsDeleteClick() {
  throw EXALError("btTargetAppsDeleteClick is not built yet.");
}

void TXALMainEditor::btTargetAppsMoveClick() {
  throw EXALError("btTargetAppsMoveClick is not built yet.");
}

void TXALMainEditor::btTargetAppsMoveAllClick() {
  throw EXALError("btTargetAppsMoveAllClick is not built yet.");
}

}  // namespace xal
