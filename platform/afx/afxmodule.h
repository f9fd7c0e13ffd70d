// The file a module was loaded from.
#pragma once

#include "afxstr.h"

#include <windows.h>

// The full path of hModule (null: the executable). The buffer grows until the path fits, so paths
// longer than MAX_PATH come back whole; nFirstTry is the first buffer size in characters.
// Empty if the system call fails.
CString AfxGetModuleFileName(HMODULE hModule, DWORD nFirstTry = MAX_PATH);
