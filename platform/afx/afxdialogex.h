// CDialogEx lives with CDialog; this header keeps the usual include of dialog classes working.
#pragma once

#include "afxdlg.h"
