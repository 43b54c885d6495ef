// FormView.h: what the model asks of its view (the Win32 dialog, the command line, a test).
#pragma once

#include <optional>
#include <string>

// ---- What the model asks of its view ---------------------------------------------------------------

class TFormView {
 public:
  virtual ~TFormView() = default;
  // The modal box of a refusal: caption `captionSjis` ("ソラトＫ（半径） - 確認"), warning icon,
  // one OK button. Returns when closed.
  virtual void ShowConfirmation(const std::string& captionSjis, const std::string& messageSjis) = 0;
  // LabelA1's caption changed while a handler runs: repaint it at once.
  virtual void RepaintStatus() = 0;
  // A failure that loses the user's dimension (the exchange file could not be written): a modal
  // error box with the caption kErrorCaption that the user must close. Returns when closed.
  virtual void ShowError(const std::string& messageSjis) = 0;
  // A failure that loses nothing of this run (the settings were not saved): a line on standard
  // error, no box.
  virtual void ShowNotice(const std::string& messageSjis) = 0;
  // The drawn dimension could not be written: a modal box with 再試行 and キャンセル (caption
  // kErrorCaption). True to try again, false to give up; nullopt when no one can be asked (the
  // model then shows the failure with ShowError).
  virtual std::optional<bool> AskRetry(const std::string& messageSjis) {
    static_cast<void>(messageSjis);
    return std::nullopt;
  }
};
