// Stands in for code that must not run, or an uninstaller that fails: it
// writes the command line that ran it to NAME.ran beside itself (a program
// then exits with status 7; a DLL writes its loading process's).
#include <windows.h>

namespace {

void leaveMark(HMODULE module)
{
    wchar_t mark[MAX_PATH + 4];
    lstrcpyW(mark + GetModuleFileNameW(module, mark, MAX_PATH), L".ran");
    const HANDLE file = CreateFileW(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, GetCommandLineA(), lstrlenA(GetCommandLineA()), &written, nullptr);
    CloseHandle(file);
}

} // namespace

int main()
{
    leaveMark(nullptr);
    return 7;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        leaveMark(module);
    return TRUE;
}
