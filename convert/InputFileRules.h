// Which dropped or named files a conversion takes: project files and project package files, each path
// once. The drop file list and the command-line converter apply the same rules.
#pragma once

#include "afxstr.h"

enum class EInputVerdict {
    Accept,
    NotVtqFile,  // no extension, or one other than "vtq" or "vtqp" (case ignored)
    Duplicate,   // the same path, case ignored, is already listed
};

// True when the text after the path's last '.' is "vtq" or "vtqp", ignoring case. A path without a
// dot, or whose only dot is its first character, has no extension. Only the text is examined.
bool IsVtqFileName(LPCWSTR lpszPath);

// The verdict on appending lpszPath to the paths in csaListed.
EInputVerdict JudgeInputFile(LPCWSTR lpszPath, const CStringArray& csaListed);
