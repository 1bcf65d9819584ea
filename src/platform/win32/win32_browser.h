// The browser behind the about window: the "InternetExplorer.Application" automation object
// (IWebBrowser2, with its DWebBrowserEvents2 through a connection point) where it can be
// created, otherwise the shell's default handler for each address.
#pragma once

#include "platform/browser.h"

#include <exdisp.h>
#include <ocidl.h>
#include <windows.h>
#include <wrl/client.h>

#include <functional>
#include <memory>
#include <string>

namespace miruteka::win32 {

using Microsoft::WRL::ComPtr;

// A COM object receiving one browser's DWebBrowserEvents2. It lives as long as anyone holds a
// reference; detach() stops it calling its handlers before that.
class BrowserEventSink final : public IDispatch {
  public:
    struct Handlers {
        std::function<void()> onQuit;
        std::function<void(const std::wstring& address)> onBeforeNavigate;
    };

    static ComPtr<BrowserEventSink> create(Handlers handlers);
    void detach() { handlers_ = {}; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters,
                                     VARIANT*, EXCEPINFO*, UINT*) override;

  private:
    explicit BrowserEventSink(Handlers handlers);
    ~BrowserEventSink() = default;

    LONG references_ = 1;
    Handlers handlers_;
};

// A sink connected to a browser's events until this goes away.
class BrowserEventConnection {
  public:
    BrowserEventConnection() = default;
    BrowserEventConnection(IWebBrowser2* browser, IDispatch* sink);
    BrowserEventConnection(BrowserEventConnection&& other) noexcept;
    BrowserEventConnection& operator=(BrowserEventConnection&& other) noexcept;
    ~BrowserEventConnection();

    bool connected() const { return cookie_ != 0; }

  private:
    void disconnect();

    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

// One automation browser: navigate, show and its quit event.
class AutomationBrowser final : public Browser {
  public:
    AutomationBrowser(ComPtr<IWebBrowser2> browser, std::function<void()> onQuit);
    ~AutomationBrowser() override;

    // When the browser refuses the address, the shell opens it instead.
    void navigate(const std::string& address) override;
    void show() override;

    IWebBrowser2* automationObject() const { return browser_.Get(); }

  private:
    ComPtr<IWebBrowser2> browser_;
    ComPtr<BrowserEventSink> sink_;
    BrowserEventConnection connection_;
};

// Opens every address with the shell's default handler; it never reports a quit.
class ShellBrowser final : public Browser {
  public:
    void navigate(const std::string& address) override;
    void show() override {}
};

// Opens the address with the shell's default handler (the browser for a page or file, the
// mail program for mailto:). False when the shell could not.
bool openWithShell(const std::string& address);

class Win32BrowserFactory : public BrowserFactory {
  public:
    // The automation browser, or the shell when the object cannot be created.
    std::unique_ptr<Browser> create(std::function<void()> onQuit) override;
    // Only the automation browser; null when it cannot be created.
    std::unique_ptr<AutomationBrowser> createAutomation(std::function<void()> onQuit);
};

} // namespace miruteka::win32
