// AfxMessageBox with the application's title as caption, and the name behind that title.
#pragma once

#include "afxstr.h"

#include <windows.h>

// The application's title: what the application object set, else string 57344 of the resources,
// else the executable's base name.
LPCWSTR AfxGetAppName();
void AfxSetAppName(LPCWSTR lpszAppName);

// Owned by the window the user works in on this thread. nIDHelp is accepted for the callers'
// sake; there is no help system to show it.
int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));

// Test seam: while set, message boxes are answered by the hook instead of being shown. Returns the
// previous hook.
using AFX_MSGBOX_HOOK = int (*)(LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType);
AFX_MSGBOX_HOOK AfxSetMessageBoxHook(AFX_MSGBOX_HOOK pfnHook);
