// FormMessages.h: the messages and status texts of the OK handling and of the run's files (UTF-8 source
// literals; SjisText them).
#pragma once

#include <filesystem>
#include <string>

#include "AtomicFile.h"
#include "Dimension.h"

// The messages and status texts of the OK handling (UTF-8 source literals; SjisText them).
inline constexpr const char* kConfirmationCaption = "確認";
// The caption's end in the settings launcher's dialog, which draws nothing.
inline constexpr const char* kCaptionSettingsOnly = " - 設定（作図しません）";
// A run without the dialog that refuses says how the dialog comes back (Jw_cad starts the command
// when the last point is picked, so that is when Shift must be down); the settings launcher's name
// stands between the two parts.
inline constexpr const char* kMessageDialogBack =
    "ダイアログを表示するには、最後の点を Shift キーを押したまま指示してください。設定用の ";
inline constexpr const char* kMessageDialogBackEnd =
    " で「次回からダイアログを表示しない」を外すこともできます。";
// The settings launcher that opens the dialog of `mode`'s settings file without drawing
// ("q748hset.bat").
std::string SettingsLauncher(const TDimensionMode& mode);
inline constexpr const char* kStatusProcessing = "処理中です";
inline constexpr const char* kStatusWriting = "ファイル生成中です";
inline constexpr const char* kStatusIdle = "　";                // one full-width blank
inline constexpr const char* kStatusWaiting = "書き込み待ち…";  // another program holds the file
// Failures of the run's files, and their reasons in words a user can act on.
inline constexpr const char* kErrorCaption = "書き込みエラー";
inline constexpr const char* kMessageReadFailed = "JWC_TEMP.TXT を読み込めませんでしたので作図出来ません";
inline constexpr const char* kMessageWriteFailed = "作図結果を書き込めませんでした。何も作図されません。";
inline constexpr const char* kMessageWriteRetry =
    "作図結果を書き込めませんでした。［再試行］で同じ寸法をもう一度書き込みます（点の指示は要りません）。［キャンセル］では何も作図されません。";
inline constexpr const char* kMessageSettingsNotSaved = "設定を保存できませんでした（前回の設定のままです）";
inline constexpr const char* kMessageRecordNotSaved =
    "寸法は作図しましたが、その記録を保存できませんでした（次の連続・外側追加は前回の寸法から続きます）";
inline constexpr const char* kReasonInUse = "他のプログラムがこのファイルを使用中です。";
inline constexpr const char* kReasonNoPermission = "このフォルダーに書き込む権限がありません。";
inline constexpr const char* kReasonDiskFull = "ディスクの空き容量が不足しています。";
inline constexpr const char* kReasonLinkLeavesFolder =
    "このファイルは同じフォルダーのファイルを指していないリンクですので、書き込みませんでした。リンクを削除するか、普通のファイルに置き換えてください。";
inline constexpr const char* kReasonOther = "ファイルを書き込めませんでした。";
// "MESSAGE\nFILE\nREASON" in Shift-JIS; FILE in the system's own spelling.
std::string WriteFailureMessage(const char* messageUtf8, const std::filesystem::path& file, TWriteError why);

// What the status line and a quick run say of a control that OK refuses (Shift-JIS): its caption,
// and for an edit the values it takes, so that the user knows what to type instead.
std::string RefusedControlMessage(const std::string& control);
