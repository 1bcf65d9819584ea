// Drags a file list (or plain text) onto whatever lies under the pointer, as the shell would:
// DoDragDrop with our own data object and a drop source that lets go after a few polls.
// Header-only so the in-process suite and the end-to-end suite share it. The calling thread
// must have run OleInitialize.
#pragma once

#include <ole2.h>
#include <shlobj.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace e2e {

namespace detail {

template <typename Interface> class ComObject : public Interface {
  public:
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; } // lives on the stack
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == __uuidof(Interface)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }

  protected:
    ComObject() = default;
    virtual ~ComObject() = default;

  private:
    ULONG references_ = 1;
};

class DataObject final : public ComObject<IDataObject> {
  public:
    DataObject(CLIPFORMAT format, std::vector<char> bytes)
        : format_(format), bytes_(std::move(bytes)) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* wanted, STGMEDIUM* medium) override {
        if (QueryGetData(wanted) != S_OK) {
            return DV_E_FORMATETC;
        }
        HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
        if (memory == nullptr) {
            return E_OUTOFMEMORY;
        }
        std::memcpy(::GlobalLock(memory), bytes_.data(), bytes_.size());
        ::GlobalUnlock(memory);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* wanted) override {
        if (wanted == nullptr || wanted->cfFormat != format_ ||
            (wanted->tymed & TYMED_HGLOBAL) == 0) {
            return DV_E_FORMATETC;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        if (direction != DATADIR_GET) {
            return E_NOTIMPL;
        }
        FORMATETC format{format_, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return ::SHCreateStdEnumFmtEtc(1, &format, out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

  private:
    CLIPFORMAT format_;
    std::vector<char> bytes_;
};

// Lets the drag run for a few polls (so the target sees it enter and move), then drops.
class DropSource final : public ComObject<IDropSource> {
  public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
        if (escape) {
            return DRAGDROP_S_CANCEL;
        }
        return ++polls_ < 3 ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

  private:
    int polls_ = 0;
};

inline std::vector<char> fileListBytes(const std::vector<std::wstring>& paths) {
    std::vector<char> bytes(sizeof(DROPFILES));
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    std::memcpy(bytes.data(), &header, sizeof header);
    for (const auto& path : paths) {
        const auto* first = reinterpret_cast<const char*>(path.c_str());
        bytes.insert(bytes.end(), first, first + (path.size() + 1) * sizeof(wchar_t));
    }
    bytes.insert(bytes.end(), sizeof(wchar_t), '\0');
    return bytes;
}

inline DWORD drag(CLIPFORMAT format, std::vector<char> bytes, DWORD allowed) {
    DataObject data(format, std::move(bytes));
    DropSource source;
    DWORD effect = DROPEFFECT_NONE;
    ::DoDragDrop(&data, &source, allowed, &effect);
    return effect;
}

} // namespace detail

// Drops the files on the window under the pointer; returns the effect the target chose.
inline DWORD dragFiles(const std::vector<std::wstring>& paths,
                       DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK) {
    return detail::drag(CF_HDROP, detail::fileListBytes(paths), allowed);
}

// Drops plain text (no file list) on the window under the pointer.
inline DWORD dragText(const std::wstring& text) {
    const auto* first = reinterpret_cast<const char*>(text.c_str());
    return detail::drag(CF_UNICODETEXT,
                        std::vector<char>(first, first + (text.size() + 1) * sizeof(wchar_t)),
                        DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
}

} // namespace e2e
