// tallivox.exe's entry point. Every DLL that is not one of Windows' KnownDLLs
// is delay-loaded (cmake/DelayLoad.cmake), and Windows would look for it
// first in the folder the program was started from: a Downloads folder, say,
// where a web page can drop a DLL. So before the C runtime, Qt or anything
// else of the program runs, DLLs are searched for in System32 alone.
#include <windows.h>

extern "C" int WinMainCRTStartup();

extern "C" int tallivoxEntry()
{
    // This flag cannot fail on a Windows that Qt 6 runs on; if it ever did,
    // the program would rather not start than start unprotected.
    if (!SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return static_cast<int>(GetLastError());
    return WinMainCRTStartup();
}
