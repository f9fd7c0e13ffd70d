// The framework's window layer in one include, for the program's classes.
#pragma once

#include "afxarchive.h"
#include "afxcmdtarget.h"
#include "afxdata.h"
#include "afxdc.h"
#include "afxdlg.h"
#include "afxdoc.h"
#include "afxgdi.h"
#include "afxgeom.h"
#include "afxmodule.h"
#include "afxmsgbox.h"
#include "afxobject.h"
#include "afxstr.h"
#include "afxwnd.h"
