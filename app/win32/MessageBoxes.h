// MessageBoxes.h: the boxes the model asks its view for, and a view made of them alone for a run
// without the dialog. A box owned by no window is task-modal and comes to the front, so that it
// is not lost behind the host.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "Unit1.h"

// A refusal: the caption given ("ソラトＫ（半径） - 確認"), warning icon, OK.
void ConfirmationBox(HWND owner, const std::string& captionSjis, const std::string& messageSjis);
// "書き込みエラー", error icon, OK.
void ErrorBox(HWND owner, const std::string& messageSjis);
// "書き込みエラー", warning icon, 再試行 and キャンセル: true for 再試行.
bool RetryBox(HWND owner, const std::string& messageSjis);
// One line on standard error (a dialog started from a console still has one).
void NoticeLine(const std::string& messageSjis);

// The view of a run without the dialog: the same boxes, owned by no window; no status line.
class TBoxView final : public TFormView {
 public:
  void ShowConfirmation(const std::string& captionSjis, const std::string& messageSjis) override {
    ConfirmationBox(nullptr, captionSjis, messageSjis);
  }
  void RepaintStatus() override {}
  void ShowError(const std::string& messageSjis) override { ErrorBox(nullptr, messageSjis); }
  void ShowNotice(const std::string& messageSjis) override { NoticeLine(messageSjis); }
  std::optional<bool> AskRetry(const std::string& messageSjis) override {
    return RetryBox(nullptr, messageSjis);
  }
};

// Whether Shift is held now (the user asks for the dialog of a run that would skip it).
bool ShiftHeld();
