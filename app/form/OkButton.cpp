// OK: check the inputs, remember the settings, draw the dimension into the output list, close.
#include <string>

#include "Unit1.h"

namespace {

// What lines 23..31 record of a drawn dimension: the points it was drawn on (a continued one's
// are made from the last dimension), so that the next chain or outside dimension goes on from it.
TLastDimension DrawnRecord(const TDimensionInput& in, int32_t group) {
  // Only the linear kind goes on from its last dimension: the others record no points.
  TLastDimension r{group, in.Scale, in.AxisAngle, {}, KindEntry(in.Kind).RecordsPoints, std::nullopt};
  if (!r.HasPoints) return r;
  for (std::size_t i = 1; i <= 3; ++i) r.Points[i] = {in.Points[i].X, in.Points[i].Y};
  if (in.Pick == TPick::Fence && in.Row.size() >= 2) {
    // A row records its last dimension and its first point: a chain goes on from its end and an
    // outside dimension spans it.
    r.Points[1] = in.Row[in.Row.size() - 2];
    r.Points[2] = in.Row.back();
    r.RowStart = in.Row.front();
    return r;
  }
  // A chain stays in the row of the dimension it went on from (ContinuePoints finds its start);
  // any other dimension starts a row (an outside one measures from the row's start already).
  r.RowStart = r.Points[1];
  if (in.Next == TNext::Chain && in.RowStart) r.RowStart = in.RowStart;
  return r;
}

}  // namespace

void TForm1::Button1Click() {
  SavedLeft = Left;
  SavedTop = Top;
  drawn_.reset();

  std::string focus;
  const TDimensionInput in = ReadInputs(*this, focus);
  if (!focus.empty()) {
    FocusControl = focus;  // no message, nothing saved, the dialog stays open
    return;
  }
  // The settings alone: nothing is drawn, so the host gets "hq" and the record stays as it was.
  if (SettingsOnly) {
    SaveSettings(SettingsFile());
    CloseRequested = true;
    return;
  }

  // A refused dimension keeps the dialog's values all the same; the record of the last dimension
  // stays as it was, since nothing is drawn.
  const TRefusal refusal = exchangeRead_ ? CheckDimension(in, Jww) : TRefusal::None;
  if (!exchangeRead_ || refusal != TRefusal::None) {
    SaveSettings(SettingsFile());
    Confirm(exchangeRead_ ? RefusalMessage(refusal) : SjisText(kMessageReadFailed));
    return;
  }

  SetStatus(kStatusProcessing);
  ConstructDimension(in, Jww);
  // Saved once the output is written (SaveAfterClose): a failed write draws nothing.
  drawn_ = DrawnRecord(in, Jww.FirstGroup);
  SetStatus(kStatusWriting);
  CloseRequested = true;
}

void TForm1::QuickOk() {
  quick_ = true;
  Button1Click();
  // A refused field has no dialog to take the focus: its reason goes into the box. The other
  // refusals have shown theirs. Nothing is in the output list, so the host gets "hq".
  if (!CloseRequested && !FocusControl.empty()) Confirm(RefusedControlMessage(FocusControl));
  quick_ = false;
  FocusControl.clear();
  CloseRequested = true;
}

void TForm1::Confirm(const std::string& messageSjis) {
  if (!view_) return;
  std::string message = messageSjis;
  // The user ticked the dialog away some runs ago: the box tells how to have it again, naming this
  // mode's settings launcher.
  if (quick_)
    message += "\n" + SjisText(kMessageDialogBack) + SettingsLauncher(Mode) + SjisText(kMessageDialogBackEnd);
  view_->ShowConfirmation(ConfirmationCaption(), message);
}

std::string TForm1::ConfirmationCaption() const { return Caption() + " - " + SjisText(kConfirmationCaption); }

bool TForm1::SkipsDialog(const std::filesystem::path& exeDir, TDimensionMode mode) {
  TForm1 settings(exeDir, nullptr, mode);
  settings.LoadSettings(settings.SettingsFile());
  return settings.CheckBox6.Checked;
}

void TForm1::SaveAfterClose(bool drawn) {
  if (!drawn_) return;
  const TLastDimension record = *drawn_;
  drawn_.reset();
  if (!drawn) {
    SaveSettings(SettingsFile());
    return;
  }
  const std::filesystem::path file = SettingsFile();
  const TWriteError why = WriteSettings(file, &record);
  // Drawn but not recorded: the next chain would silently go on from the dimension before.
  if (why != TWriteError::None && view_)
    view_->ShowError(WriteFailureMessage(kMessageRecordNotSaved, file, why));
}
