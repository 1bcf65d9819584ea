#include "toolkit/win32/file_drop_target.h"

#include "platform/win32/wide_string.h"

#include <shellapi.h>

#include <atomic>
#include <utility>

namespace miruteka::win32 {

namespace {

FORMATETC fileListFormat() {
    return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool offersFileList(IDataObject* data) {
    FORMATETC format = fileListFormat();
    return data != nullptr && data->QueryGetData(&format) == S_OK;
}

// Dropped files are opened or listed, never moved: a move effect would let the source
// delete the originals once the drop reports it.
DWORD fileDropEffect(IDataObject* data, DWORD allowed) {
    if (!offersFileList(data)) {
        return DROPEFFECT_NONE;
    }
    if ((allowed & DROPEFFECT_COPY) != 0) {
        return DROPEFFECT_COPY;
    }
    if ((allowed & DROPEFFECT_LINK) != 0) {
        return DROPEFFECT_LINK;
    }
    return DROPEFFECT_NONE;
}

} // namespace

std::vector<std::string> droppedPaths(IDataObject* data) {
    std::vector<std::string> paths;
    if (data == nullptr) {
        return paths;
    }
    FORMATETC format = fileListFormat();
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium))) {
        return paths;
    }
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != nullptr) {
        auto* drop = static_cast<HDROP>(::GlobalLock(medium.hGlobal));
        if (drop != nullptr) {
            const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
            for (UINT i = 0; i < count; ++i) {
                const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
                std::wstring path(length + 1, L'\0');
                const UINT copied = ::DragQueryFileW(drop, i, path.data(), length + 1);
                path.resize(copied);
                if (!path.empty()) {
                    paths.push_back(toUtf8(path));
                }
            }
            ::GlobalUnlock(medium.hGlobal);
        }
    }
    ::ReleaseStgMedium(&medium);
    return paths;
}

class FileDropRegistration::Target final : public IDropTarget {
  public:
    explicit Target(FileDropCallbacks callbacks) : callbacks_(std::move(callbacks)) {}

    void detach() { callbacks_ = {}; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == IID_IDropTarget) {
            *object = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        data_ = data;
        return dragOver(effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        return dragOver(effect);
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        data_ = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        data_ = nullptr;
        if (effect == nullptr) {
            return E_INVALIDARG;
        }
        *effect = fileDropEffect(data, *effect);
        if (*effect != DROPEFFECT_NONE && callbacks_.drop) {
            try {
                callbacks_.drop(droppedPaths(data));
            } catch (...) {
                // A failing handler ends the drop, never the drag source.
            }
        }
        return S_OK;
    }

  private:
    ~Target() = default;

    HRESULT dragOver(DWORD* effect) {
        if (effect == nullptr) {
            return E_INVALIDARG;
        }
        *effect = fileDropEffect(data_, *effect);
        if (callbacks_.dragOver) {
            try {
                callbacks_.dragOver();
            } catch (...) {
            }
        }
        return S_OK;
    }

    std::atomic<ULONG> references_{1};
    FileDropCallbacks callbacks_;
    // The data of the drag under way, valid between DragEnter and DragLeave or Drop.
    IDataObject* data_ = nullptr;
};

FileDropRegistration::FileDropRegistration(HWND window, FileDropCallbacks callbacks)
    : target_(new Target(std::move(callbacks))) {
    if (SUCCEEDED(::RegisterDragDrop(window, target_))) {
        window_ = window;
    } else {
        target_->Release();
        target_ = nullptr;
    }
}

FileDropRegistration::FileDropRegistration(FileDropRegistration&& other) noexcept
    : window_(std::exchange(other.window_, nullptr)),
      target_(std::exchange(other.target_, nullptr)) {}

FileDropRegistration& FileDropRegistration::operator=(FileDropRegistration&& other) noexcept {
    if (this != &other) {
        revoke();
        window_ = std::exchange(other.window_, nullptr);
        target_ = std::exchange(other.target_, nullptr);
    }
    return *this;
}

FileDropRegistration::~FileDropRegistration() {
    revoke();
}

void FileDropRegistration::revoke() {
    if (target_ == nullptr) {
        return;
    }
    target_->detach();
    if (::IsWindow(window_)) {
        ::RevokeDragDrop(window_);
    }
    window_ = nullptr;
    target_->Release();
    target_ = nullptr;
}

} // namespace miruteka::win32
