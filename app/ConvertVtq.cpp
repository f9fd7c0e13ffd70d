// ConvertVtq.exe entry point. The application object and its window are not part of the program yet:
// it starts and ends at once with status 0.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    return 0;
}
