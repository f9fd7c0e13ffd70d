// The Windows base types the framework uses; on Linux, the few that the portable parts need.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <cstddef>
#include <cstdint>

using BOOL = int;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using INT_PTR = std::intptr_t;
using WCHAR = wchar_t;
using LPWSTR = wchar_t*;
using LPCWSTR = const wchar_t*;
using LPCTSTR = const wchar_t*;
#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif
#endif
