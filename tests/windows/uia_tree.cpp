// Prints what a screen reader is told about the top-level window titled TITLE:
// its UI Automation tree, one element a line indented by depth, as "<control
// type>\t<name>" in UTF-8 (a newline in a name as \n). Exits 1, saying why,
// when there is no such window or no UI Automation. usage: uia_tree TITLE
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <cstdio>
#include <string>

namespace {
// MinGW-w64's headers before version 11 lack the client interfaces: methods are
// called by their place in the vtable after IUnknown's three (UIAutomationClient.idl).
template <typename... Args> HRESULT call(IUnknown *object, int slot, Args... args)
{
    using Method = HRESULT(STDMETHODCALLTYPE *)(IUnknown *, Args...);
    return (*reinterpret_cast<Method **>(object))[3 + slot](object, args...);
}
enum : int { ElementFromHandle = 3, CreateTreeWalker = 10, CreateTrueCondition = 18 }; // IUIAutomation
enum : int { CurrentControlType = 18, CurrentName = 20 };          // IUIAutomationElement
enum : int { GetFirstChildElement = 1, GetNextSiblingElement = 3 }; // IUIAutomationTreeWalker
constexpr CLSID clsidCUIAutomation = {0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};
constexpr IID iidIUIAutomation = {0x30cbe57d, 0xd9d0, 0x452a, {0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee}};
// Control types 50000 to 50032, in order; others print as their number.
constexpr const char *controlTypes[] = {"Button", "Calendar", "CheckBox", "ComboBox", "Edit", "Hyperlink", "Image",
    "ListItem", "List", "Menu", "MenuBar", "MenuItem", "ProgressBar", "RadioButton", "ScrollBar", "Slider", "Spinner",
    "StatusBar", "Tab", "TabItem", "Text", "ToolBar", "ToolTip", "Tree", "TreeItem", "Custom", "Group", "Thumb",
    "DataGrid", "DataItem", "Document", "SplitButton", "Window"};

std::string utf8(const wchar_t *text)
{
    std::string bytes(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr)), 0);
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    std::string out; // a newline byte is never part of a longer UTF-8 sequence
    for (const char *c = bytes.c_str(); *c; ++c)
        out += *c == '\n' ? std::string("\\n") : std::string(1, *c);
    return out;
}

// Wine's GetCurrentPropertyValue is a stub; the properties' own getters answer.
void print(IUnknown *element, int depth)
{
    int type = 0;
    BSTR name = nullptr;
    call(element, CurrentControlType, &type);
    call(element, CurrentName, &name);
    const bool known = type >= 50000 && type < 50000 + int(std::size(controlTypes));
    std::printf("%*s%s\t%s\n", 2 * depth, "", known ? controlTypes[type - 50000] : std::to_string(type).c_str(),
                name ? utf8(name).c_str() : "");
    SysFreeString(name);
}

// Depth-first; the bound keeps a provider that loops from running forever.
void walk(IUnknown *walker, IUnknown *element, int depth)
{
    print(element, depth);
    IUnknown *child = nullptr, *next = nullptr;
    for (call(walker, GetFirstChildElement, element, &child); child && depth < 16; child = next) {
        walk(walker, child, depth + 1);
        next = nullptr;
        call(walker, GetNextSiblingElement, child, &next);
        child->Release();
    }
}
} // namespace

int main()
{
    int argc = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc != 2) {
        std::fputs("usage: uia_tree TITLE\n", stderr);
        return 2;
    }
    const HWND window = FindWindowW(nullptr, argv[1]);
    if (!window) {
        std::fprintf(stderr, "uia_tree: no top-level window titled '%s'\n", utf8(argv[1]).c_str());
        return 1;
    }
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    IUnknown *automation = nullptr, *everything = nullptr, *walker = nullptr, *element = nullptr;
    HRESULT result = CoCreateInstance(clsidCUIAutomation, nullptr, CLSCTX_INPROC_SERVER, iidIUIAutomation,
                                      reinterpret_cast<void **>(&automation));
    // Every element, the raw view: Wine's RawViewWalker is a stub.
    if (SUCCEEDED(result) && SUCCEEDED(result = call(automation, CreateTrueCondition, &everything))
        && SUCCEEDED(result = call(automation, CreateTreeWalker, everything, &walker)))
        result = call(automation, ElementFromHandle, static_cast<void *>(window), &element);
    if (FAILED(result) || !element) {
        std::fprintf(stderr, "uia_tree: no UI Automation element for the window (HRESULT 0x%08lx)\n",
                     static_cast<unsigned long>(result));
        return 1;
    }
    _setmode(_fileno(stdout), _O_BINARY); // "\n", not "\r\n", for the shell
    walk(walker, element, 0);
}
