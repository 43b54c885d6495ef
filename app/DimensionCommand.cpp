// OK: check the inputs, remember the settings, draw the dimension into the output list, close.
#include <string>

#include "Unit1.h"

void TForm1::Button1Click() {
  SavedLeft = Left;
  SavedTop = Top;

  std::string focus;
  const TDimensionInput in = ReadInputs(*this, focus);
  if (!focus.empty()) {
    FocusControl = focus;  // no message, nothing saved, the dialog stays open
    return;
  }

  // Saved before any geometry: a refused dimension keeps the settings all the same.
  SaveSettings(SettingsFile());

  if (!exchangeRead_) {
    if (view_) view_->ShowConfirmation(SjisText(kMessageReadFailed));
    return;
  }
  const TRefusal refusal = CheckDimension(in);
  if (refusal != TRefusal::None) {
    if (view_) view_->ShowConfirmation(RefusalMessage(refusal));
    return;
  }

  SetStatus(kStatusProcessing);
  ConstructDimension(in, Jww);
  SetStatus(kStatusWriting);
  CloseRequested = true;
}
