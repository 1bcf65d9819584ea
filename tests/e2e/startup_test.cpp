// Start-up on the real program: the default list file, the column of icon windows under
// the pointer, icons only for groups whose shown item exists (named for screen readers), and
// the single instance, which a second start asks to show its settings window.
#include "e2e/harness/harness.h"
#include "e2e/harness/list_file_writer.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>

namespace e2e {
namespace {

// A start that finds another instance ends within moments; the margin is for a loaded machine,
// never for an instance that stays.
constexpr std::chrono::milliseconds kPromptExit{5000};
constexpr COLORREF kPictureBackground = 0x0080FFFF;

std::string defaultListFile() {
    std::string bytes = " 200 \r\n 10 \r\n 30 \r\n 20 \r\n 30 \r\n";
    for (int line = 0; line < 80; ++line) {
        bytes += "\r\n";
    }
    return bytes;
}

// The name a screen reader reads: that of oleacc's client object ("" when it has none).
std::wstring accessibleName(HWND window) {
    // MinGW's import library holds a wrong IID_IAccessible.
    constexpr IID kIAccessible{
        0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0, 0xAA, 0, 0x38, 0x9B, 0x71}};
    IAccessible* object = nullptr;
    BSTR name = nullptr;
    if (SUCCEEDED(::AccessibleObjectFromWindow(window, OBJID_CLIENT, kIAccessible,
                                               reinterpret_cast<void**>(&object)))) {
        VARIANT self{};
        self.vt = VT_I4; // CHILDID_SELF
        object->get_accName(self, &name);
        object->Release();
    }
    const std::wstring text = name != nullptr ? name : L"";
    ::SysFreeString(name);
    return text;
}

// The tools of the tooltip control the window owns (0 when it owns none).
LRESULT ownedTooltipTools(HWND owner) {
    HWND tooltip = nullptr;
    while ((tooltip = ::FindWindowExW(nullptr, tooltip, TOOLTIPS_CLASSW, nullptr)) != nullptr) {
        if (::GetWindow(tooltip, GW_OWNER) == owner) {
            return ::SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0);
        }
    }
    return 0;
}

// The Linux path of a path on the Wine prefix's drive C:, where links and mounts are made.
std::string unixPath(const std::filesystem::path& path) {
    return std::string(std::getenv("WINEPREFIX")) + "/drive_c/" +
           path.relative_path().generic_string();
}

// Runs shell commands on the Linux side (Wine's start /unix), without waiting for them.
void runOnLinux(const std::string& commands) {
    const auto script = std::filesystem::temp_directory_path() / L"miruteka-e2e.sh";
    writeBytes(script, commands + "\n");
    _wsystem((L"start /unix /bin/sh " + std::filesystem::path(unixPath(script)).wstring()).c_str());
}

// The column start-up builds with the default gaps: Form1 centred 30 pixels below the
// pointer, then one window every 40 pixels.
std::array<POINT, 4> defaultColumn(POINT pointer) {
    std::array<POINT, 4> corners{};
    for (int k = 0; k < 4; ++k) {
        corners[k] = POINT{pointer.x - 16, pointer.y + 14 + 40 * k};
    }
    return corners;
}

TEST(Startup, WritesTheDefaultListAndStacksFourHiddenWindowsUnderThePointer) {
    ProgramFolder folder;
    movePointer(400, 300);
    Instance instance(folder.exe());
    const auto windows = waitForIconWindows(instance);
    ASSERT_NE(windows[3], nullptr);

    EXPECT_TRUE(waitForCorners(windows, defaultColumn({400, 300})))
        << describeCorners(cornersOf(windows));
    for (HWND window : windows) {
        const RECT rect = windowRect(window);
        EXPECT_EQ(rect.right - rect.left, 32);
        EXPECT_EQ(rect.bottom - rect.top, 32);
    }
    EXPECT_EQ(readBytes(folder.listFile()), defaultListFile());
    // Every group is empty, so no window shows: not even the start-up window.
    EXPECT_TRUE(waitUntil([&] {
        return std::none_of(windows.begin(), windows.end(),
                            [](HWND window) { return ::IsWindowVisible(window) != FALSE; });
    }));
}

TEST(Startup, ShowsOnlyTheGroupWhoseShownItemExistsWithItsIcon) {
    ProgramFolder folder;
    ListFileContents contents;
    contents.setItem(2, 0, L"メモ帳", L"C:\\windows\\notepad.exe");
    contents.setItem(3, 0, L"ない", L"C:\\windows\\no-such-program.exe");
    contents.setItem(4, 1, L"二番目", L"C:\\windows\\notepad.exe");
    writeListFile(folder.listFile(), contents);
    movePointer(600, 200);
    Instance instance(folder.exe());
    const auto windows = waitForIconWindows(instance);
    ASSERT_NE(windows[3], nullptr);
    ASSERT_TRUE(waitForCorners(windows, defaultColumn({600, 200})));

    EXPECT_TRUE(waitUntil([&] {
        return !::IsWindowVisible(windows[0]) && ::IsWindowVisible(windows[1]) &&
               !::IsWindowVisible(windows[2]) && !::IsWindowVisible(windows[3]);
    }));
    EXPECT_TRUE(waitUntil([&] {
        return hasPixelOtherThan(windowRect(windows[1]), kPictureBackground);
    })) << "Form2 shows no icon";

    // The file dialog (with the printing DLLs it brings) and the browser's automation DLL
    // load when first used, not at start-up.
    const auto modules = instance.loadedModules();
    ASSERT_NE(std::find(modules.begin(), modules.end(), L"ole32.dll"), modules.end());
    for (const wchar_t* later : {L"comdlg32.dll", L"winspool.drv", L"oleaut32.dll"}) {
        EXPECT_EQ(std::find(modules.begin(), modules.end(), later), modules.end()) << later;
    }

    // A screen reader names each icon window after its shown item, shown or not; the
    // tooltips come a moment after the icons.
    const std::array<std::wstring, 4> names{L"", L"メモ帳", L"ない", L""};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(accessibleName(windows[k]), names[k]) << "Form" << k + 1;
        EXPECT_TRUE(waitUntil([&] { return ownedTooltipTools(windows[k]) == 1; }))
            << "Form" << k + 1;
    }
}

TEST(Startup, ASecondStartEndsAtOnceAndLeavesTheListFileAlone) {
    ProgramFolder folder;
    // Written by hand (no blanks around the numbers): any rewrite would show.
    std::string list = "200\r\n10\r\n30\r\n20\r\n30\r\n";
    for (int line = 0; line < 80; ++line) {
        list += "\r\n";
    }
    writeBytes(folder.listFile(), list);

    // An instance started elevated leaves an instance mutex this one may not open (here: an
    // empty access list): it runs all the same, so this start ends.
    {
        SECURITY_DESCRIPTOR closed{};
        ::InitializeSecurityDescriptor(&closed, SECURITY_DESCRIPTOR_REVISION);
        ACL noAccess{};
        ::InitializeAcl(&noAccess, sizeof noAccess, ACL_REVISION);
        ::SetSecurityDescriptorDacl(&closed, TRUE, &noAccess, FALSE);
        SECURITY_ATTRIBUTES attributes{sizeof attributes, &closed, FALSE};
        HANDLE elevated = ::CreateMutexW(&attributes, FALSE, L"Local\\Miruteka.SingleInstance");
        ASSERT_NE(elevated, nullptr);
        Instance unseen(folder.exe());
        EXPECT_TRUE(unseen.waitForExit(kPromptExit));
        ::CloseHandle(elevated);
    }

    movePointer(300, 300);
    Instance first(folder.exe());
    const auto windows = waitForIconWindows(first);
    ASSERT_NE(windows[3], nullptr);
    ASSERT_TRUE(waitForCorners(windows, defaultColumn({300, 300})));

    {
        Instance second(folder.exe());
        EXPECT_TRUE(second.waitForExit(kPromptExit));
    }
    EXPECT_EQ(readBytes(folder.listFile()), list);
    // It asked the running instance to open its settings window, in front.
    HWND form6 = first.waitForWindow(L"MirutekaForm6");
    EXPECT_TRUE(waitUntil([&] { return form6 != nullptr && ::GetForegroundWindow() == form6; }));

    // Without a list file a third start still writes none; it brings the settings window
    // back from behind another program's window.
    std::filesystem::remove(folder.listFile());
    Instance other(L"C:\\windows\\notepad.exe");
    HWND cover = other.waitForWindow(L"Notepad");
    ::SetForegroundWindow(cover);
    ASSERT_TRUE(waitUntil([&] { return ::GetForegroundWindow() == cover; }));
    {
        Instance third(folder.exe());
        EXPECT_TRUE(third.waitForExit(kPromptExit));
    }
    EXPECT_FALSE(std::filesystem::exists(folder.listFile()));
    EXPECT_TRUE(waitUntil([&] { return ::GetForegroundWindow() == form6; }));
    EXPECT_EQ(first.windows(L"MirutekaForm6").size(), 1u);
    EXPECT_TRUE(first.running());
    EXPECT_EQ(first.windows(L"MirutekaForm1").size(), 1u);
}

TEST(Startup, AListFileThatCannotBeCreatedEndsTheProgramWithAMessage) {
    ProgramFolder folder;
    // A folder where the new file's temporary copy must go: writing fails even as root.
    std::filesystem::create_directory(folder.path() / L"filelist.txt.new");
    Instance instance(folder.exe());
    // Its texts are set only after the window exists.
    HWND message = instance.waitForVisibleWindow(L"#32770");
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(windowText(message), L"エラー");
    const std::wstring text = windowText(::GetDlgItem(message, 0xFFFF));
    EXPECT_NE(text.find(folder.listFile().filename().wstring()), std::wstring::npos) << text.size();
    for (int group = 1; group <= 4; ++group) {
        EXPECT_TRUE(
            instance.visibleWindows((L"MirutekaForm" + std::to_wstring(group)).c_str()).empty());
    }

    ::PostMessageW(message, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(instance.waitForExit());
    EXPECT_NE(instance.exitCode(), 0u);
    EXPECT_FALSE(std::filesystem::exists(folder.listFile()));
}

TEST(Startup, ThroughALinkToItsExeTheListIsTheOneBesideTheRealExe) {
    ProgramFolder folder;
    const auto real = folder.path() / L"real";
    std::filesystem::create_directory(real);
    std::filesystem::rename(folder.exe(), real / L"miruteka.exe");
    runOnLinux("ln -s '" + unixPath(real) + "/miruteka.exe' '" + unixPath(folder.exe()) + "'");
    ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(folder.exe()); }));
    Instance instance(folder.exe());
    EXPECT_TRUE(waitUntil([&] { return std::filesystem::exists(real / L"filelist.txt"); }));
    EXPECT_FALSE(std::filesystem::exists(folder.listFile()));
    instance.kill();
    runOnLinux("rm '" + unixPath(folder.exe()) + "'"); // Wine keeps a link whose file is gone
}

TEST(Startup, InAFolderItCannotWriteItKeepsItsListInTheUsersProfile) {
    ProgramFolder folder;
    const std::string mount = "'" + unixPath(folder.path()) + "'";
    const auto mounted = folder.path().wstring() + L".mounted";
    runOnLinux("mount --bind " + mount + " " + mount + " && mount -o remount,ro,bind " + mount +
               " && : >'" + unixPath(mounted) + "'");
    if (!waitUntil([&] { return std::filesystem::remove(mounted); })) {
        GTEST_SKIP() << "no read-only bind mount here (it needs root)";
    }
    const auto profile = std::filesystem::path(_wgetenv(L"APPDATA")) / L"Miruteka";
    Instance instance(folder.exe());
    EXPECT_TRUE(waitUntil([&] { return std::filesystem::exists(profile / L"filelist.txt"); }));
    instance.kill();
    runOnLinux("umount " + mount);
    std::filesystem::remove_all(profile); // it would be every later first start's list
}

} // namespace
} // namespace e2e
