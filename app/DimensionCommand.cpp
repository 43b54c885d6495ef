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

  // A continued dimension records the points it used, so that the next one goes on from it; one
  // whose points could not be made keeps the record of the last dimension, and without one it
  // records no points (the host's two are no dimension to go on from).
  if (Next != TNext::None) {
    record_ = TLastDimension{Jww.FirstGroup, in.Scale, in.AxisAngle, {}, in.Continued == TRefusal::None};
    for (std::size_t i = 1; i <= 3; ++i) record_->Points[i] = {in.Points[i].X, in.Points[i].Y};
    if (in.Continued != TRefusal::None && last_) record_ = last_;
  }
  // Saved before any geometry: a refused dimension keeps the settings all the same.
  SaveSettings(SettingsFile());

  if (!exchangeRead_) {
    if (view_) view_->ShowConfirmation(SjisText(kMessageReadFailed));
    return;
  }
  const TRefusal refusal = CheckDimension(in, Jww);
  if (refusal != TRefusal::None) {
    if (view_) view_->ShowConfirmation(RefusalMessage(refusal));
    return;
  }

  SetStatus(kStatusProcessing);
  ConstructDimension(in, Jww);
  SetStatus(kStatusWriting);
  CloseRequested = true;
}
