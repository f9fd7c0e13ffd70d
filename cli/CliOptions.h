// The command line of ConvertVtqCli: options, the files to convert, and the usage text.
#pragma once

#include "afxstr.h"

struct CCliOptions {
    CString csOutputPath;  // -o; empty: the default beside the executable
    CString csWorkPath;    // -w; empty: the default beside the executable
    CStringArray csaFiles; // as given, in order
    bool bHelp = false;
};

// Parses the arguments after the program's name. On a usage error returns false with a Japanese
// sentence in *pcsErrMsg.
bool ParseCliOptions(int argc, const wchar_t* const* argv, CCliOptions* pOptions, CString* pcsErrMsg);

// The usage text in Japanese, naming every option.
CString CliUsageText();
