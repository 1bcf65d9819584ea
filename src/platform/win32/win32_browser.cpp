#include "platform/win32/win32_browser.h"

#include "platform/win32/system_library.h"
#include "platform/win32/wide_string.h"

#include <exdispid.h>
#include <oleauto.h>
#include <shellapi.h>

#include <utility>

namespace miruteka::win32 {
namespace {

// The BSTR functions of oleaut32, loaded when the browser is first used.
struct BstrFunctions {
    decltype(::SysAllocStringLen)* allocate =
        systemFunction<decltype(::SysAllocStringLen)>(L"oleaut32.dll", "SysAllocStringLen");
    decltype(::SysFreeString)* release =
        systemFunction<decltype(::SysFreeString)>(L"oleaut32.dll", "SysFreeString");
    decltype(::SysStringLen)* length =
        systemFunction<decltype(::SysStringLen)>(L"oleaut32.dll", "SysStringLen");
};

const BstrFunctions& bstr() {
    static const BstrFunctions functions;
    return functions;
}

std::wstring textOf(BSTR value) {
    if (value == nullptr || bstr().length == nullptr) {
        return {};
    }
    return std::wstring(value, bstr().length(value));
}

// A BSTR for the length of a call; null when oleaut32 is missing.
class Bstr {
  public:
    explicit Bstr(const std::wstring& text)
        : value_(bstr().allocate != nullptr && bstr().release != nullptr
                     ? bstr().allocate(text.data(), static_cast<UINT>(text.size()))
                     : nullptr) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() {
        if (value_ != nullptr) {
            bstr().release(value_);
        }
    }
    BSTR get() const { return value_; }

  private:
    BSTR value_;
};

std::wstring textOf(const VARIANT& argument) {
    const VARIANT* value = &argument;
    if (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal != nullptr) {
        value = value->pvarVal;
    }
    if (value->vt == VT_BSTR) {
        return textOf(value->bstrVal);
    }
    if (value->vt == (VT_BYREF | VT_BSTR) && value->pbstrVal != nullptr) {
        return textOf(*value->pbstrVal);
    }
    return {};
}

} // namespace

BrowserEventSink::BrowserEventSink(Handlers handlers) : handlers_(std::move(handlers)) {}

ComPtr<BrowserEventSink> BrowserEventSink::create(Handlers handlers) {
    ComPtr<BrowserEventSink> sink;
    sink.Attach(new BrowserEventSink(std::move(handlers)));
    return sink;
}

HRESULT STDMETHODCALLTYPE BrowserEventSink::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, DIID_DWebBrowserEvents2)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE BrowserEventSink::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE BrowserEventSink::Release() {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE BrowserEventSink::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BrowserEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE BrowserEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE BrowserEventSink::Invoke(DISPID id, REFIID, LCID, WORD,
                                                   DISPPARAMS* parameters, VARIANT*, EXCEPINFO*,
                                                   UINT*) {
    // Keeps this object alive while a handler lets go of the browser that holds it.
    const ComPtr<BrowserEventSink> self(this);
    try {
        if (id == DISPID_ONQUIT && handlers_.onQuit) {
            const auto onQuit = handlers_.onQuit; // the handler may detach this sink
            onQuit();
        } else if (id == DISPID_BEFORENAVIGATE2 && handlers_.onBeforeNavigate &&
                   parameters != nullptr && parameters->cArgs == 7) {
            // Arguments arrive last first: the address is the second of seven.
            const auto onBeforeNavigate = handlers_.onBeforeNavigate;
            onBeforeNavigate(textOf(parameters->rgvarg[5]));
        }
    } catch (...) {
        // No exception crosses into the browser.
    }
    return S_OK;
}

BrowserEventConnection::BrowserEventConnection(IWebBrowser2* browser, IDispatch* sink) {
    ComPtr<IConnectionPointContainer> container;
    if (browser == nullptr || FAILED(browser->QueryInterface(IID_PPV_ARGS(&container))) ||
        FAILED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point_))) {
        point_.Reset();
        return;
    }
    if (FAILED(point_->Advise(sink, &cookie_))) {
        cookie_ = 0;
        point_.Reset();
    }
}

BrowserEventConnection::BrowserEventConnection(BrowserEventConnection&& other) noexcept
    : point_(std::move(other.point_)), cookie_(std::exchange(other.cookie_, 0)) {}

BrowserEventConnection& BrowserEventConnection::operator=(BrowserEventConnection&& other) noexcept {
    if (this != &other) {
        disconnect();
        point_ = std::move(other.point_);
        cookie_ = std::exchange(other.cookie_, 0);
    }
    return *this;
}

BrowserEventConnection::~BrowserEventConnection() {
    disconnect();
}

void BrowserEventConnection::disconnect() {
    if (point_ && cookie_ != 0) {
        point_->Unadvise(cookie_);
    }
    cookie_ = 0;
    point_.Reset();
}

AutomationBrowser::AutomationBrowser(ComPtr<IWebBrowser2> browser, std::function<void()> onQuit)
    : browser_(std::move(browser)), sink_(BrowserEventSink::create({std::move(onQuit), nullptr})),
      connection_(browser_.Get(), sink_.Get()) {}

AutomationBrowser::~AutomationBrowser() {
    // The browser window stays open; this program just stops listening to it.
    sink_->detach();
}

void AutomationBrowser::navigate(const std::string& address) {
    const Bstr url(toWide(address));
    VARIANT none{}; // VT_EMPTY, as VariantInit leaves it
    if (FAILED(browser_->Navigate(url.get(), &none, &none, &none, &none))) {
        openWithShell(address);
    }
}

void AutomationBrowser::show() {
    browser_->put_Visible(VARIANT_TRUE);
}

void ShellBrowser::navigate(const std::string& address) {
    openWithShell(address);
}

bool openWithShell(const std::string& address) {
    const std::wstring target = toWide(address);
    SHELLEXECUTEINFOW execute{};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_NOASYNC;
    execute.lpFile = target.c_str();
    execute.nShow = SW_SHOWNORMAL;
    return ::ShellExecuteExW(&execute) != FALSE;
}

std::unique_ptr<AutomationBrowser>
Win32BrowserFactory::createAutomation(std::function<void()> onQuit) {
    CLSID browserClass{};
    if (FAILED(::CLSIDFromProgID(L"InternetExplorer.Application", &browserClass))) {
        return nullptr;
    }
    ComPtr<IWebBrowser2> browser;
    if (FAILED(::CoCreateInstance(browserClass, nullptr, CLSCTX_SERVER, IID_PPV_ARGS(&browser)))) {
        return nullptr;
    }
    return std::make_unique<AutomationBrowser>(std::move(browser), std::move(onQuit));
}

std::unique_ptr<Browser> Win32BrowserFactory::create(std::function<void()> onQuit) {
    if (auto automation = createAutomation(std::move(onQuit))) {
        return automation;
    }
    return std::make_unique<ShellBrowser>();
}

} // namespace miruteka::win32
