// Entry point: refuses a second instance before anything else (asking the running one to
// open its settings window instead), picks the language of its texts, prepares the thread (OLE for
// drops, the shell and the browser object; the common controls), runs Form1's start-up and then the
// message loop.
#include "app/icon_input_wiring.h"
#include "app/launcher_app.h"
#include "app/second_start.h"
#include "platform/texts.h"
#include "platform/win32/unique.h"
#include "platform/win32/user_language.h"
#include "platform/win32/wide_string.h"

#include <commctrl.h>
#include <ole2.h>
#include <windows.h>

namespace {

// One instance per logon session.
constexpr const wchar_t* kInstanceMutex = L"Local\\Miruteka.SingleInstance";

class OleScope {
  public:
    OleScope() : ok_(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~OleScope() {
        if (ok_) {
            ::OleUninitialize();
        }
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;
    bool ok() const { return ok_; }

  private:
    bool ok_;
};

int runMessageLoop() {
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using miruteka::text;
    using miruteka::TextId;
    using miruteka::win32::toWide;
    miruteka::useLanguage(miruteka::win32::userInterfaceLanguage());
    miruteka::win32::UniqueHandle instanceMutex(::CreateMutexW(nullptr, FALSE, kInstanceMutex));
    const DWORD mutexError = ::GetLastError();
    // A mutex this instance may not open was made by one running at another integrity
    // level (started elevated, say): that one is running all the same.
    if (mutexError == ERROR_ALREADY_EXISTS ||
        (!instanceMutex && mutexError == ERROR_ACCESS_DENIED)) {
        miruteka::win32::askRunningInstanceToOpenSettings();
        return 0;
    }
    OleScope ole;
    if (!ole.ok()) {
        return 1;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    try {
        miruteka::win32::LauncherApp app;
        miruteka::win32::IconInputWiring input(app);
        if (!app.Form_Load()) {
            return 1;
        }
        return runMessageLoop();
    } catch (...) {
        ::MessageBoxW(nullptr, toWide(text(TextId::CannotStartMessage)).c_str(),
                      toWide(text(TextId::ErrorTitle)).c_str(), MB_OK);
        return 1;
    }
}
