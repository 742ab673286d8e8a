// What zelvar.exe carries for the system: its manifest, its icon and its
// version; and what the manifest gives a program that carries it, as this
// test program does (it links the same resource script): Common Controls 6
// and UTF-8 as the code page of the A functions.
#include "common/app_instance.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

namespace {

std::string programPath()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + "zelvar.exe";
}

// zelvar.exe loaded for its resources only.
class ProgramFile {
public:
    ProgramFile()
        : module_(LoadLibraryExA(programPath().c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {
    }
    ~ProgramFile()
    {
        if (module_)
            FreeLibrary(module_);
    }
    ProgramFile(const ProgramFile&) = delete;
    ProgramFile& operator=(const ProgramFile&) = delete;

    HMODULE module() const { return module_; }

    std::string manifest() const
    {
        HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
        if (!found)
            return "";
        const char* text = static_cast<const char*>(LockResource(LoadResource(module_, found)));
        return std::string(text, SizeofResource(module_, found));
    }

private:
    HMODULE module_;
};

bool contains(const std::string& text, const std::string& part)
{
    return text.find(part) != std::string::npos;
}

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// The Windows layer on Linux names itself through this export of ntdll.
bool underWine()
{
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// The string of the version information's US English, Unicode table.
std::string versionString(const std::vector<char>& info, const char* name)
{
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || length == 0)
        return "";
    return std::string(value, length - 1);
}

} // namespace

TEST(ProgramManifest, IsResourceOneOfTheProgramAndAsksForWhatItNeeds)
{
    const ProgramFile program;
    ASSERT_NE(program.module(), nullptr) << programPath();
    const std::string manifest = program.manifest();
    ASSERT_FALSE(manifest.empty());
    EXPECT_TRUE(contains(manifest, "<?xml version=\"1.0\" encoding=\"UTF-8\""));
    EXPECT_TRUE(contains(manifest, "name=\"Zelvar\" version=\"2.0.0.0\" processorArchitecture=\"amd64\""));
    // Common Controls 6.
    EXPECT_TRUE(contains(manifest, "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    EXPECT_TRUE(contains(manifest, "publicKeyToken=\"6595b64144ccf1df\""));
    // Per-monitor DPI awareness, version 2 first, with the older settings
    // behind it.
    EXPECT_TRUE(contains(manifest, ">PerMonitorV2, PerMonitor</dpiAwareness>"));
    EXPECT_TRUE(contains(manifest, ">true/pm</dpiAware>"));
    // Windows 7, 8, 8.1 and 10 or 11.
    for (const char* os : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                           "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"})
        EXPECT_TRUE(contains(manifest, std::string("<supportedOS Id=\"{") + os + "}\"/>")) << os;
    EXPECT_TRUE(contains(manifest, ">UTF-8</activeCodePage>"));
    EXPECT_TRUE(contains(manifest, "level=\"asInvoker\""));
}

TEST(ProgramManifest, BringsCommonControls6)
{
    HMODULE controls = GetModuleHandleA("comctl32.dll");
    ASSERT_NE(controls, nullptr);
    // The library loaded is the one of the Common Controls 6 assembly.
    char path[MAX_PATH] = {};
    GetModuleFileNameA(controls, path, MAX_PATH);
    const std::string loaded = lowerCase(path);
    EXPECT_TRUE(contains(loaded, "\\winsxs\\")) << path;
    EXPECT_TRUE(contains(loaded, "microsoft.windows.common-controls_6595b64144ccf1df_6.0.")) << path;

    using GetVersion = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
    auto dllGetVersion = reinterpret_cast<GetVersion>(reinterpret_cast<void*>(GetProcAddress(controls, "DllGetVersion")));
    ASSERT_NE(dllGetVersion, nullptr);
    DLLVERSIONINFO version = {};
    version.cbSize = sizeof version;
    ASSERT_EQ(dllGetVersion(&version), S_OK);
    // Windows reports 6 from it; Wine 8 reports 5.81 from its library of
    // the version 6 assembly as from the other one.
    if (underWine())
        EXPECT_GE(version.dwMajorVersion, 5u);
    else
        EXPECT_EQ(version.dwMajorVersion, 6u);
}

TEST(ProgramManifest, MakesTheProgramAwareOfEachMonitorsDpi)
{
    // Windows takes this from the manifest; Wine 8 makes every program
    // aware per monitor (version 1) unless DpiScalingVer is set, and then
    // does not know version 2.
    using GetContext = HANDLE(WINAPI*)();
    using GetAwareness = int(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleA("user32.dll");
    auto context = reinterpret_cast<GetContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    auto awareness = reinterpret_cast<GetAwareness>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    ASSERT_NE(context, nullptr);
    ASSERT_NE(awareness, nullptr);
    const int perMonitor = 2;
    EXPECT_EQ(awareness(context()), perMonitor);
}

TEST(ProgramManifest, LetsTheSystemTellItsOwnVersion)
{
    // Windows 8.1 and later give a program that does not name them as
    // supported the version of Windows 8 (6.2); the kernel's own call never
    // does. Wine does the same when its prefix says Windows 10. The tests'
    // prefix says Windows 7, where both agree anyway.
    using GetRealVersion = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto rtlGetVersion = reinterpret_cast<GetRealVersion>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
    ASSERT_NE(rtlGetVersion, nullptr);
    OSVERSIONINFOW real = {};
    real.dwOSVersionInfoSize = sizeof real;
    ASSERT_EQ(rtlGetVersion(&real), 0);
    OSVERSIONINFOA told = {};
    told.dwOSVersionInfoSize = sizeof told;
    ASSERT_TRUE(GetVersionExA(&told));
    EXPECT_EQ(told.dwMajorVersion, real.dwMajorVersion);
    EXPECT_EQ(told.dwMinorVersion, real.dwMinorVersion);
    EXPECT_EQ(told.dwBuildNumber, real.dwBuildNumber);
}

TEST(ProgramManifest, MakesUtf8TheCodePageOfFileNames)
{
    EXPECT_EQ(GetACP(), UINT(CP_UTF8));
    // "Zelvar e-acute euro-sign CJK-sun.txt" in UTF-8, through the A function.
    const std::string folder = [] {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        return std::string(temp);
    }();
    const std::string name = "zelvar-\xC3\xA9\xE2\x82\xAC\xE6\x97\xA5.txt";
    HANDLE file = CreateFileA((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    // The file has those characters in its name, as the W functions see it.
    wchar_t wideFolder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, wideFolder);
    const std::wstring wide = std::wstring(wideFolder) + L"zelvar-\u00E9\u20AC\u65E5.txt";
    EXPECT_NE(GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(DeleteFileW(wide.c_str()));
}

TEST(ProgramVersion, NamesTheProductItsVersionDescriptionAndCopyright)
{
    const std::string path = programPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD(MAKELONG(0, 2)));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, DWORD(MAKELONG(0, 2)));
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, DWORD(VFT_APP));

    EXPECT_EQ(versionString(info, "ProductName"), "Zelvar");
    EXPECT_EQ(versionString(info, "ProductVersion"), "2.0.0.0");
    EXPECT_EQ(versionString(info, "FileVersion"), "2.0.0.0");
    EXPECT_EQ(versionString(info, "FileDescription"), "Zelvar, an explorer of the Mandelbrot set");
    EXPECT_EQ(versionString(info, "LegalCopyright"), "Copyright 2026 The Zelvar authors");
    EXPECT_EQ(versionString(info, "OriginalFilename"), "zelvar.exe");
}

TEST(ProgramIcon, IsTheProgramsFirstIconAndLoadsAtEverySize)
{
    const ProgramFile program;
    ASSERT_NE(program.module(), nullptr);
    // Explorer shows the first icon group of the file: there is only ours.
    std::vector<std::string> groups;
    EnumResourceNamesA(
        program.module(), MAKEINTRESOURCEA(14),
        [](HMODULE, LPCSTR, LPSTR name, LONG_PTR list) {
            reinterpret_cast<std::vector<std::string>*>(list)->push_back(
                IS_INTRESOURCE(name) ? std::to_string(reinterpret_cast<ULONG_PTR>(name)) : std::string(name));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&groups));
    ASSERT_EQ(groups, std::vector<std::string>{std::to_string(IDI_ZELVAR)});

    for (int size : {16, 24, 32, 48, 256}) {
        HICON icon = static_cast<HICON>(
            LoadImageA(program.module(), MAKEINTRESOURCEA(IDI_ZELVAR), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        ASSERT_NE(icon, nullptr) << size;
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info)) << size;
        BITMAP colour = {};
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);

        // Drawn on white: the corners stay white, the middle shows the set
        // in black, and the tile beside it is blue.
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP canvas = CreateCompatibleBitmap(screen, size, size);
        HGDIOBJ old = SelectObject(memory, canvas);
        const RECT all = {0, 0, size, size};
        FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
        EXPECT_EQ(GetPixel(memory, 0, 0), RGB(255, 255, 255)) << size;
        EXPECT_EQ(GetPixel(memory, size - 1, size - 1), RGB(255, 255, 255)) << size;
        EXPECT_EQ(GetPixel(memory, size * 5 / 8, size / 2), RGB(0, 0, 0)) << size;
        const COLORREF tile = GetPixel(memory, size / 8 + 1, size / 4);
        EXPECT_GT(GetBValue(tile), GetRValue(tile)) << size;
        SelectObject(memory, old);
        DeleteObject(canvas);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);

        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}
