// A window that accepts files dragged onto it: a registered OLE drop target that reads the
// file list (CF_HDROP) of a drop as UTF-8 paths. OleInitialize must have run on the thread.
#pragma once

#include <ole2.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace miruteka::win32 {

struct FileDropCallbacks {
    // A drag entered or moved over the window, whatever it carries.
    std::function<void()> dragOver;
    // Files were dropped, in the order the data gives them. Runs inside IDropTarget::Drop
    // while the drag source waits: show nothing modal here (post to yourself instead).
    std::function<void(std::vector<std::string> paths)> drop;
};

// The paths of a CF_HDROP data object, or nothing when it offers no file list.
std::vector<std::string> droppedPaths(IDataObject* data);

// Registers a drop target on the window for its lifetime and revokes it on destruction.
// A drag still under way when it goes calls no callback any more.
class FileDropRegistration {
  public:
    FileDropRegistration() = default;
    FileDropRegistration(HWND window, FileDropCallbacks callbacks);
    FileDropRegistration(FileDropRegistration&& other) noexcept;
    FileDropRegistration& operator=(FileDropRegistration&& other) noexcept;
    FileDropRegistration(const FileDropRegistration&) = delete;
    FileDropRegistration& operator=(const FileDropRegistration&) = delete;
    ~FileDropRegistration();

    // True when RegisterDragDrop accepted the target.
    bool registered() const { return window_ != nullptr; }

  private:
    void revoke();

    HWND window_ = nullptr;
    class Target;
    Target* target_ = nullptr; // one COM reference held while registered
};

} // namespace miruteka::win32
