// The conversion worker's log lines. Per-file lines end in "%s", filled with the input's path.
// Kept in one place: the worker writes them, and the command-line converter reads a job's outcome
// from them.
#pragma once

#include "afxtypes.h"

namespace WorkerLine {

inline constexpr LPCWSTR kStartLine = L"変換処理を開始します。";
inline constexpr LPCWSTR kCancelLine = L"変換処理をキャンセルします。";
inline constexpr LPCWSTR kEndLine = L"変換処理が終了しました。";
inline constexpr LPCWSTR kWaitLine = L"作業フォルダが他の変換処理で使用中です。終了を待っています。";
inline constexpr LPCWSTR kNoWorkFolderLine = L"作業フォルダを使用できません。変換処理を中止します。%s";
inline constexpr LPCWSTR kOutputExistsLine = L"出力先に同名のファイルが既に存在します。%s";
inline constexpr LPCWSTR kProbeFailedLine = L"VTQ、VTQPファイルの展開(UTF-8)に失敗しました。%s";
inline constexpr LPCWSTR kNoNeedLine = L"このVTQ、VTQPファイルは変換の必要がありません。%s";
inline constexpr LPCWSTR kExtractFailedLine = L"VTQ、VTQPファイルの展開(shift_jis)に失敗しました。%s";
inline constexpr LPCWSTR kConvertedLine = L"VTQ、VTQPファイルの変換が終了しました。%s";
inline constexpr LPCWSTR kArchiveFailedLine = L"変換処理に失敗しました。圧縮に失敗しました。%s";
inline constexpr LPCWSTR kRenamedLine = L"変換処理に失敗しました。ファイル名が変更されている可能性があります。%s";
inline constexpr LPCWSTR kOutsideLine = L"変換処理に失敗しました。プロジェクトフォルダ以外のファイルが含まれています。%s";

}  // namespace WorkerLine
