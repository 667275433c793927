// Stands in for an uninstaller that must not run, or that fails: it writes
// its command line to PROGRAM.ran beside itself and exits with status 7.
#include <windows.h>

int main()
{
    wchar_t mark[MAX_PATH + 4];
    lstrcpyW(mark + GetModuleFileNameW(nullptr, mark, MAX_PATH), L".ran");
    const HANDLE file = CreateFileW(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, GetCommandLineA(), lstrlenA(GetCommandLineA()), &written, nullptr);
    CloseHandle(file);
    return 7;
}
