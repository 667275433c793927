// Prints what a screen reader is told about the top-level window titled TITLE:
// every element of its UI Automation tree as "<control type id>\t<name>\n",
// in UTF-8. Exits 1, saying why, when there is no such window or no UI
// Automation. usage: uia_tree TITLE
#include <windows.h>
#include <cstdio>

namespace {
// MinGW-w64's headers before version 11 lack the client interfaces: methods are
// called by their place in the vtable after IUnknown's three (UIAutomationClient.idl).
template <typename... Args> HRESULT call(IUnknown *object, int slot, Args... args)
{
    using Method = HRESULT(STDMETHODCALLTYPE *)(IUnknown *, Args...);
    return (*reinterpret_cast<Method **>(object))[3 + slot](object, args...);
}
enum : int { ElementFromHandle = 3, CreateTrueCondition = 18 }; // IUIAutomation
enum : int { FindAll = 3, CurrentControlType = 18, CurrentName = 20 }; // IUIAutomationElement
enum : int { Length = 0, GetElement = 1 };                              // IUIAutomationElementArray
constexpr CLSID clsidCUIAutomation = {0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};
constexpr IID iidIUIAutomation = {0x30cbe57d, 0xd9d0, 0x452a, {0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee}};

} // namespace

int main()
{
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const HWND window = argc == 2 ? FindWindowW(nullptr, argv[1]) : nullptr;
    if (!window) {
        std::fputs("uia_tree: no top-level window of that title (usage: uia_tree TITLE)\n", stderr);
        return 1;
    }
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IUnknown *automation = nullptr, *everything = nullptr, *element = nullptr, *found = nullptr;
    HRESULT result = CoCreateInstance(clsidCUIAutomation, nullptr, CLSCTX_INPROC_SERVER, iidIUIAutomation,
                                      reinterpret_cast<void **>(&automation));
    if (SUCCEEDED(result) && SUCCEEDED(result = call(automation, CreateTrueCondition, &everything))
        && SUCCEEDED(result = call(automation, ElementFromHandle, static_cast<void *>(window), &element)))
        result = call(element, FindAll, 7 /* TreeScope_Subtree */, everything, &found);
    int count = 0;
    if (FAILED(result) || !found || FAILED(call(found, Length, &count))) {
        std::fprintf(stderr, "uia_tree: no UI Automation tree for the window (HRESULT 0x%08lx)\n",
                     static_cast<unsigned long>(result));
        return 1;
    }
    for (int i = 0; i < count; ++i) {
        IUnknown *one = nullptr;
        int type = 0;
        BSTR name = nullptr;
        call(found, GetElement, i, &one);
        // Wine's GetCurrentPropertyValue is a stub; the properties' own getters answer.
        call(one, CurrentControlType, &type);
        call(one, CurrentName, &name);
        char text[4096] = "";
        WideCharToMultiByte(CP_UTF8, 0, name ? name : L"", -1, text, sizeof text - 1, nullptr, nullptr);
        std::printf("%d\t%s\n", type, text);
        SysFreeString(name);
    }
}
