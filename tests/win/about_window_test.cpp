#include "about/win32/about_window.h"
#include "platform/geometry.h"
#include "platform/program_place_queries.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/unique.h"
#include "platform/win32/wide_string.h"
#include "platform/win32/win32_browser.h"
#include "toolkit/palette.h"
#include "toolkit/win32/modal_window.h"
#include "win/dark_theme.h"
#include "win/modal_test_support.h"
#include "win/text_fit.h"

#include <exdispid.h>
#include <ole2.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace miruteka::win32 {
namespace {

using testing::classOf;
using testing::findDialogBox;
using testing::pumpUntil;
using testing::runSoon;
using testing::textOf;

// Browsers that only record what they were asked, so that no real browser starts.
class RecordingBrowsers : public BrowserFactory {
  public:
    struct Record {
        std::vector<std::string> addresses;
        bool shown = false;
    };
    std::unique_ptr<Browser> create(std::function<void()>) override {
        made.push_back(std::make_shared<Record>());
        class Recorded : public Browser {
          public:
            explicit Recorded(std::shared_ptr<Record> record) : record_(std::move(record)) {}
            void navigate(const std::string& address) override {
                record_->addresses.push_back(address);
            }
            void show() override { record_->shown = true; }

          private:
            std::shared_ptr<Record> record_;
        };
        return std::make_unique<Recorded>(made.back());
    }
    std::vector<std::shared_ptr<Record>> made;
};

// A plain window standing in for the settings window that opens the about window.
class Opener {
  public:
    Opener() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"MirutekaTestOpener";
        ::RegisterClassW(&windowClass);
        window_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"MirutekaTestOpener", L"opener",
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 150, 560, 480, nullptr,
                                    nullptr, ::GetModuleHandleW(nullptr), nullptr);
    }
    ~Opener() { ::DestroyWindow(window_); }
    HWND get() const { return window_; }

  private:
    HWND window_;
};

// Browser processes this test program started (Wine never ends them on Quit, and they would
// hold the test's output open).
std::vector<DWORD> browserProcessesStartedHere() {
    std::vector<DWORD> found;
    UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE) {
        return found;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ParentProcessID == ::GetCurrentProcessId() &&
            ::lstrcmpiW(entry.szExeFile, L"iexplore.exe") == 0) {
            found.push_back(entry.th32ProcessID);
        }
    }
    return found;
}

BOOL CALLBACK closeWindowOfProcess(HWND window, LPARAM processId) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(processId)) {
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

// Closing the browser's windows lets it withdraw its class registration as it ends; a browser
// that is only terminated leaves it behind, and no later test of this Wine session could
// create the automation object again.
void endBrowserProcessesStartedHere() {
    for (const DWORD id : browserProcessesStartedHere()) {
        UniqueHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
        if (process) {
            ::EnumWindows(closeWindowOfProcess, static_cast<LPARAM>(id));
            if (::WaitForSingleObject(process.get(), 5000) != WAIT_OBJECT_0) {
                ::TerminateProcess(process.get(), 0);
                ::WaitForSingleObject(process.get(), 5000);
            }
        }
    }
}

class AboutWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr))); }
    void TearDown() override {
        endBrowserProcessesStartedHere();
        ::OleUninitialize();
    }

    HWND item(const AboutWindow& window, int id) { return ::GetDlgItem(window.hwnd(), id); }

    Opener opener;
};

const MakerAddresses kAddresses{"https://miruteka.example.org/", "support@miruteka.example.org"};

TEST_F(AboutWindowTest, ShowsItsTextsCentredOverItsOpener) {
    RecordingBrowsers browsers;
    AboutWindow window(browsers, "C:\\Tools", kAddresses);
    window.offerListFolder("C:\\Data\\filelist.txt", {});
    ASSERT_TRUE(window.create(opener.get()));

    EXPECT_EQ(textOf(window.hwnd()), L"バージョン情報");
    EXPECT_EQ(textOf(item(window, kAboutTitleId)), L"ミルテカ　Ver 1.2");
    EXPECT_EQ(textOf(item(window, kAboutAuthorLabelId)), L"作者　：");
    EXPECT_EQ(textOf(item(window, kAboutAuthorId)), L"ミルテカ開発チーム");
    EXPECT_EQ(textOf(item(window, kAboutHomepageLabelId)), L"ホームページ　：");
    EXPECT_EQ(textOf(item(window, kAboutHomepageId)), L"https://miruteka.example.org/");
    EXPECT_EQ(textOf(item(window, kAboutMailLabelId)), L"メール　：");
    EXPECT_EQ(textOf(item(window, kAboutMailId)), L"support@miruteka.example.org");
    EXPECT_EQ(textOf(item(window, kAboutHelpId)), L"ヘルプ");
    EXPECT_EQ(textOf(item(window, kAboutCloseId)), L"閉じる");

    RECT outer{}, over{};
    ::GetWindowRect(window.hwnd(), &outer);
    ::GetWindowRect(opener.get(), &over);
    EXPECT_NEAR((outer.left + outer.right) / 2, (over.left + over.right) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, (over.top + over.bottom) / 2, 1);
    EXPECT_EQ(::GetWindow(window.hwnd(), GW_OWNER), opener.get());
    EXPECT_EQ(::GetFocus(), item(window, kAboutCloseId));

    // Every label of the frame shows its whole text. The values start where the layout puts
    // them; the frame (10 pixels from the right edge, a 2-pixel border) and the window widen
    // only as far as the longest value needs.
    RECT client{};
    ::GetClientRect(window.hwnd(), &client);
    auto boundsOf = [&](int id) {
        RECT bounds{};
        ::GetWindowRect(item(window, id), &bounds);
        ::MapWindowPoints(nullptr, window.hwnd(), reinterpret_cast<POINT*>(&bounds), 2);
        return bounds;
    };
    LONG valuesRight = 0;
    for (const int id : {kAboutAuthorLabelId, kAboutAuthorId, kAboutHomepageLabelId,
                         kAboutHomepageId, kAboutMailLabelId, kAboutMailId}) {
        HWND label = item(window, id);
        HDC dc = ::GetDC(label);
        HGDIOBJ old =
            ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(label, WM_GETFONT, 0, 0)));
        const std::wstring text = textOf(label);
        SIZE needed{};
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &needed);
        ::SelectObject(dc, old);
        ::ReleaseDC(label, dc);
        const RECT bounds = boundsOf(id);
        EXPECT_GE(bounds.right - bounds.left, needed.cx) << id;
        EXPECT_GE(bounds.left, 12 + 2) << id;
        EXPECT_LE(bounds.right, client.right - 10 - 2) << id;
        if (id == kAboutAuthorId || id == kAboutHomepageId || id == kAboutMailId) {
            EXPECT_EQ(bounds.left, 12 + 104) << id;
            valuesRight = std::max(valuesRight, bounds.left + needed.cx);
        } else {
            EXPECT_EQ(bounds.right, 12 + 99) << id; // captions stay right-aligned
        }
    }
    EXPECT_EQ(client.right, std::max<LONG>(295, valuesRight + 2 + 10));
    EXPECT_EQ(client.bottom, 220);
    EXPECT_EQ(boundsOf(kAboutHelpId).right, client.right - 10);
    EXPECT_EQ(boundsOf(kAboutCloseId).right, client.right - 10);
    EXPECT_EQ(boundsOf(kAboutCloseId).top, 188);
    EXPECT_EQ(boundsOf(kAboutTitleId).left, 56);

    // At 150 % and 200 % everything is laid out again from the twips, and still fits.
    for (const int dpi : {144, 192}) {
        window.applyDpi(dpi);
        ::GetClientRect(window.hwnd(), &client);
        EXPECT_EQ(client.bottom, twipsToPixels(3300, dpi)) << dpi;
        EXPECT_GE(client.right, twipsToPixels(4425, dpi)) << dpi;
        EXPECT_EQ(boundsOf(kAboutTitleId).left, twipsToPixels(840, dpi)) << dpi;
        EXPECT_NEAR(boundsOf(kAboutCloseId).right, client.right - twipsToPixels(150, dpi), 1)
            << dpi;
        EXPECT_EQ(testing::textsThatDoNotFit(window.hwnd()), std::vector<std::string>{}) << dpi;
    }
    endModal(window.hwnd());
    EXPECT_FALSE(::IsWindow(window.hwnd()));
}

TEST_F(AboutWindowTest, FontsAreBoldTitleAndUnderlinedLinks) {
    RecordingBrowsers browsers;
    AboutWindow window(browsers, "C:\\Tools");
    ASSERT_TRUE(window.create(opener.get()));
    auto fontOf = [&](int id) {
        LOGFONTW font{};
        ::GetObjectW(reinterpret_cast<HGDIOBJ>(::SendMessageW(item(window, id), WM_GETFONT, 0, 0)),
                     sizeof font, &font);
        return font;
    };
    EXPECT_EQ(fontOf(kAboutTitleId).lfWeight, FW_BOLD);
    EXPECT_EQ(fontOf(kAboutTitleId).lfHeight, -15);
    EXPECT_TRUE(fontOf(kAboutHomepageId).lfUnderline);
    EXPECT_EQ(fontOf(kAboutHomepageId).lfHeight, -12);
    EXPECT_TRUE(fontOf(kAboutMailId).lfUnderline);
    EXPECT_FALSE(fontOf(kAboutAuthorId).lfUnderline);
    endModal(window.hwnd());
}

TEST_F(AboutWindowTest, DarkWhileWindowsAppsAreDark) {
    const testing::AppsTheme theme;
    const Palette dark = choosePalette(false, {}, true);
    RecordingBrowsers browsers;
    AboutWindow window(browsers, "C:\\Tools", kAddresses);
    ASSERT_TRUE(window.create(opener.get()));
    EXPECT_EQ(testing::pixelOf(window.hwnd(), 2, 2), dark.aboutText.back);
    EXPECT_EQ(testing::pixelOf(item(window, kAboutHelpId), 4, 4), dark.buttons.back);
    EXPECT_TRUE(testing::showsLightText(item(window, kAboutHomepageId), dark.aboutText.back));
    endModal(window.hwnd());
}

TEST_F(AboutWindowTest, LinksAndHelpOpenTheirAddressesAndOnlyTheLastBrowserIsKept) {
    RecordingBrowsers browsers;
    AboutWindow window(browsers, "C:\\Tools\\", kAddresses);
    ASSERT_TRUE(window.create(opener.get()));
    auto click = [&](int id) {
        HWND label = item(window, id);
        ::SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ::SendMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    };
    click(kAboutHomepageId);
    click(kAboutMailId);
    testing::doubleClick(item(window, kAboutHelpId)); // two quick clicks, two pages
    ASSERT_TRUE(pumpUntil([&] { return browsers.made.size() == 4u; }));
    EXPECT_EQ(browsers.made[0]->addresses,
              std::vector<std::string>{"https://miruteka.example.org/"});
    EXPECT_TRUE(browsers.made[0]->shown);
    EXPECT_EQ(browsers.made[1]->addresses,
              std::vector<std::string>{"mailto:support@miruteka.example.org"});
    EXPECT_FALSE(browsers.made[1]->shown);
    EXPECT_EQ(browsers.made[2]->addresses, std::vector<std::string>{"C:\\Tools\\help.html"});
    EXPECT_TRUE(browsers.made[2]->shown);
    EXPECT_EQ(browsers.made[3]->addresses, browsers.made[2]->addresses);
    EXPECT_NE(window.actions().currentBrowser(), nullptr);
    endModal(window.hwnd());
}

TEST_F(AboutWindowTest, InEnglishWithoutAddressesTheHomepageOpensTheHelpPageAndMailIsGreyed) {
    testing::EnglishTexts english;
    RecordingBrowsers browsers;
    AboutWindow window(browsers, "C:\\Tools", {});
    window.offerListFolder("C:\\Data\\filelist.txt", {});
    ASSERT_TRUE(window.create(opener.get()));
    EXPECT_EQ(textOf(item(window, kAboutTitleId)), L"Miruteka version 1.2");
    EXPECT_EQ(textOf(item(window, kAboutHomepageId)), L"Help page");
    EXPECT_EQ(textOf(item(window, kAboutMailId)), L"None");
    EXPECT_FALSE(::IsWindowEnabled(item(window, kAboutMailId)));
    for (const int dpi : {96, 144}) {
        window.applyDpi(dpi);
        EXPECT_EQ(testing::textsThatDoNotFit(window.hwnd()), std::vector<std::string>{}) << dpi;
    }
    ::SendMessageW(item(window, kAboutHomepageId), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::SendMessageW(item(window, kAboutHomepageId), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    ASSERT_TRUE(pumpUntil([&] { return browsers.made.size() == 1u; }));
    EXPECT_EQ(browsers.made[0]->addresses, std::vector<std::string>{"C:\\Tools\\help-en.html"});
    endModal(window.hwnd());
}

// Counts ticks of a thread timer; after five it notes whether the window survived and closes it.
struct TickingCloser {
    static inline int ticks = 0;
    static inline HWND window = nullptr;
    static inline bool survived = false;
    static void CALLBACK tick(HWND, UINT, UINT_PTR id, DWORD) {
        if (window == nullptr || ++ticks < 5) {
            return;
        }
        ::KillTimer(nullptr, id);
        survived = ::IsWindow(window) != FALSE;
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    }
};

TEST_F(AboutWindowTest, IsModalOverItsOpenerWhileTimersTickAndEnterEscDoNothing) {
    RecordingBrowsers browsers;
    bool openerDisabled = false;
    std::wstring activeClass;
    runSoon([&] {
        HWND about = ::GetActiveWindow();
        activeClass = classOf(about);
        openerDisabled = !::IsWindowEnabled(opener.get());
        HWND focus = ::GetFocus();
        for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
            ::PostMessageW(focus, WM_KEYDOWN, key, 0);
            ::PostMessageW(focus, WM_KEYUP, key, 0);
        }
        TickingCloser::ticks = 0;
        TickingCloser::window = about;
        ::SetTimer(nullptr, 0, 10, &TickingCloser::tick);
    });
    showAboutWindow(opener.get(), browsers, "C:\\Tools");

    EXPECT_TRUE(openerDisabled);
    EXPECT_GE(TickingCloser::ticks, 5); // the loop kept other timers running
    EXPECT_TRUE(TickingCloser::survived);
    EXPECT_EQ(activeClass, L"MirutekaAbout");
    EXPECT_FALSE(::IsWindow(TickingCloser::window));
    EXPECT_TRUE(::IsWindowEnabled(opener.get()));
    EXPECT_TRUE(browsers.made.empty());
}

// The real automation object, with a second listener on its events to see where it goes.
class ObservedBrowsers : public BrowserFactory {
  public:
    std::unique_ptr<Browser> create(std::function<void()> onQuit) override {
        auto browser = real.createAutomation(std::move(onQuit));
        if (browser) {
            objects.emplace_back(browser->automationObject());
            auto sink = BrowserEventSink::create(
                {nullptr, [this](const std::wstring& address) { addresses.push_back(address); }});
            connections.emplace_back(browser->automationObject(), sink.Get());
        }
        return browser;
    }
    Win32BrowserFactory real;
    std::vector<ComPtr<IWebBrowser2>> objects;
    std::vector<BrowserEventConnection> connections;
    std::vector<std::wstring> addresses;
};

TEST_F(AboutWindowTest, HelpNavigatesTheAutomationBrowserToTheProgramFoldersHelpPage) {
    ObservedBrowsers browsers;
    const std::string folder = folderOfPath(programFile());
    AboutWindow window(browsers, folder);
    ASSERT_TRUE(window.create(opener.get()));
    ::SendMessageW(item(window, kAboutHelpId), BM_CLICK, 0, 0);
    ASSERT_EQ(browsers.objects.size(), 1u) << "InternetExplorer.Application cannot be created";

    ASSERT_TRUE(pumpUntil([&] { return !browsers.addresses.empty(); }));
    std::wstring expected = toWide(helpPagePath(folder));
    EXPECT_NE(browsers.addresses[0].find(L"help.html"), std::wstring::npos);
    EXPECT_EQ(browsers.addresses[0], expected);

    // Still usable, and no error box came up.
    DWORD_PTR result = 0;
    EXPECT_NE(::SendMessageTimeoutW(window.hwnd(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result),
              0);
    EXPECT_EQ(findDialogBox(::GetCurrentThreadId(), L""), nullptr);
    EXPECT_NE(window.actions().currentBrowser(), nullptr);
    ::SendMessageW(item(window, kAboutCloseId), BM_CLICK, 0, 0);
    EXPECT_FALSE(::IsWindow(window.hwnd()));

    browsers.connections.clear();
    for (auto& object : browsers.objects) {
        object->Quit();
    }
    browsers.objects.clear();
}

// A URL scheme of our own whose handler is recorder.exe, like mailto: and the mail program.
class RegisteredScheme {
  public:
    RegisteredScheme(const std::wstring& scheme, const std::wstring& command) : scheme_(scheme) {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_CLASSES_ROOT}) {
            const std::wstring key =
                (root == HKEY_CURRENT_USER ? L"Software\\Classes\\" : L"") + scheme;
            set(root, key, L"", L"URL:" + scheme);
            set(root, key, L"URL Protocol", L"");
            set(root, key + L"\\shell\\open\\command", L"", command);
        }
    }
    ~RegisteredScheme() {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\Classes\\" + scheme_).c_str());
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, scheme_.c_str());
    }
    RegisteredScheme(const RegisteredScheme&) = delete;
    RegisteredScheme& operator=(const RegisteredScheme&) = delete;

  private:
    static void set(HKEY root, const std::wstring& key, const wchar_t* name,
                    const std::wstring& value) {
        HKEY opened = nullptr;
        if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &opened,
                              nullptr) == ERROR_SUCCESS) {
            ::RegSetValueExW(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
            ::RegCloseKey(opened);
        }
    }
    std::wstring scheme_;
};

std::string readWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(AboutWindowTest, WithoutTheAutomationObjectTheShellOpensTheAddressWithItsHandler) {
    wchar_t exe[MAX_PATH * 4] = {};
    ::GetModuleFileNameW(nullptr, exe, static_cast<DWORD>(std::size(exe)));
    const std::filesystem::path folder = std::filesystem::path(exe).parent_path();
    const std::filesystem::path log =
        std::filesystem::temp_directory_path() /
        (L"miruteka-shell-" + std::to_wstring(::GetCurrentProcessId()) + L".log");
    std::filesystem::remove(log);
    ::SetEnvironmentVariableW(L"MIRUTEKA_RECORDER_LOG", log.c_str());
    const RegisteredScheme scheme(L"miruteka-test",
                                  L"\"" + (folder / L"recorder.exe").wstring() + L"\" \"%1\"");

    ShellBrowser browser;
    browser.navigate("miruteka-test:support@miruteka.example.org");
    browser.show(); // nothing to show: the handler has the address already
    EXPECT_TRUE(pumpUntil([&] {
        return readWhole(log).find("miruteka-test:support@miruteka.example.org") !=
               std::string::npos;
    })) << readWhole(log);

    ::SetEnvironmentVariableW(L"MIRUTEKA_RECORDER_LOG", nullptr);
    std::error_code ignored;
    std::filesystem::remove(log, ignored);
}

// Calls the sink as a browser does: arguments last first, the address as a VARIANT by reference.
HRESULT fire(IDispatch* sink, DISPID id, const wchar_t* address = nullptr) {
    VARIANT url;
    ::VariantInit(&url);
    VARIANT arguments[7];
    for (VARIANT& argument : arguments) {
        ::VariantInit(&argument);
    }
    DISPPARAMS parameters{};
    if (address != nullptr) {
        url.vt = VT_BSTR;
        url.bstrVal = ::SysAllocString(address);
        arguments[5].vt = VT_BYREF | VT_VARIANT;
        arguments[5].pvarVal = &url;
        parameters = {arguments, nullptr, 7, 0};
    }
    const HRESULT result = sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                        &parameters, nullptr, nullptr, nullptr);
    ::VariantClear(&url);
    return result;
}

TEST(BrowserEventSink, HandsOnQuitAndAddressesUntilDetachedAndOutlivesItsLastHolder) {
    std::vector<std::wstring> addresses;
    int quits = 0;
    ComPtr<BrowserEventSink> sink = BrowserEventSink::create(
        {[&] { ++quits; }, [&](const std::wstring& address) { addresses.push_back(address); }});
    ComPtr<IDispatch> asEvents;
    ASSERT_EQ(sink->QueryInterface(DIID_DWebBrowserEvents2,
                                   reinterpret_cast<void**>(asEvents.GetAddressOf())),
              S_OK);

    EXPECT_EQ(fire(asEvents.Get(), DISPID_BEFORENAVIGATE2, L"C:\\ミルテカ\\help.html"), S_OK);
    EXPECT_EQ(fire(asEvents.Get(), DISPID_ONQUIT), S_OK);
    EXPECT_EQ(addresses, std::vector<std::wstring>{L"C:\\ミルテカ\\help.html"});
    EXPECT_EQ(quits, 1);

    sink->detach();
    fire(asEvents.Get(), DISPID_ONQUIT);
    EXPECT_EQ(quits, 1);

    // A quit handler that lets go of everything holding the sink (as the about window does
    // when it drops mIE) must not pull the sink away under the running call.
    IDispatch* raw = nullptr;
    {
        ComPtr<BrowserEventSink> held = BrowserEventSink::create({[&] {
                                                                      raw->Release();
                                                                      ++quits;
                                                                  },
                                                                  nullptr});
        raw = held.Detach();
    }
    EXPECT_EQ(fire(raw, DISPID_ONQUIT), S_OK);
    EXPECT_EQ(quits, 2);
}

} // namespace
} // namespace miruteka::win32
