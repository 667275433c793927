// tallivox.exe's entry point. Every DLL that is not one of Windows' KnownDLLs
// is delay-loaded (cmake/DelayLoad.cmake), and Windows would look for it
// first in the folder the program was started from: a Downloads folder, say,
// where a web page can drop a DLL. So before the C runtime, Qt or anything
// else of the program runs, DLLs are searched for in System32 alone.
#include <windows.h>

extern "C" int WinMainCRTStartup();
extern "C" FARPROC __real___delayLoadHelper2(const void *descriptor, FARPROC *entry);

namespace {
CRITICAL_SECTION addressWrites;
}

extern "C" int tallivoxEntry()
{
    // This flag cannot fail on a Windows that Qt 6 runs on; if it ever did,
    // the program would rather not start than start unprotected.
    if (!SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        return static_cast<int>(GetLastError());
    InitializeCriticalSection(&addressWrites);
    return WinMainCRTStartup();
}

// Debian 13's linker (binutils 2.44) makes the import address table
// read-only, as Windows' own linkers always have, but the delay-load helper
// of its MinGW-w64 (12) writes each address it resolves straight into that
// table, and the program died at its first delay-loaded call. Linked with
// --wrap, every call of the helper comes here: the entry is writable just
// for the helper's write, one thread at a time, and read-only again after.
extern "C" FARPROC __wrap___delayLoadHelper2(const void *descriptor, FARPROC *entry)
{
    EnterCriticalSection(&addressWrites);
    DWORD protection = 0;
    VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &protection);
    const FARPROC function = __real___delayLoadHelper2(descriptor, entry);
    VirtualProtect(entry, sizeof *entry, protection, &protection);
    LeaveCriticalSection(&addressWrites);
    return function;
}
