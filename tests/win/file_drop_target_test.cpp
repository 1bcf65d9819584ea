#include "toolkit/win32/file_drop_target.h"

#include "e2e/harness/drag_files.h"

#include <gtest/gtest.h>

namespace miruteka::win32 {
namespace {

class FileDropTargetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"FileDropTargetTest";
        ::RegisterClassExW(&windowClass);
        window_ = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"FileDropTargetTest", L"",
                                    WS_POPUP | WS_VISIBLE, 100, 100, 200, 200, nullptr, nullptr,
                                    windowClass.hInstance, nullptr);
        ASSERT_NE(window_, nullptr);
        ::SetCursorPos(200, 200);
    }
    void TearDown() override {
        ::DestroyWindow(window_);
        ::OleUninitialize();
    }

    FileDropCallbacks recordingCallbacks() {
        return {[this] { ++dragOvers_; },
                [this](std::vector<std::string> paths) { drops_.push_back(std::move(paths)); }};
    }

    HWND window_ = nullptr;
    int dragOvers_ = 0;
    std::vector<std::vector<std::string>> drops_;
};

TEST_F(FileDropTargetTest, DeliversDroppedPathsInOrderAsUtf8AndNeverAMove) {
    FileDropRegistration registration(window_, recordingCallbacks());
    ASSERT_TRUE(registration.registered());

    const DWORD effect = e2e::dragFiles({L"C:\\a.txt", L"C:\\b c\\資料 一覧.txt"});

    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_GT(dragOvers_, 0);
    ASSERT_EQ(drops_.size(), 1u);
    EXPECT_EQ(drops_[0], (std::vector<std::string>{"C:\\a.txt", "C:\\b c\\資料 一覧.txt"}));

    // A source that only allows moving gets no drop: the originals must stay where they are.
    drops_.clear();
    EXPECT_EQ(e2e::dragFiles({L"C:\\a.txt"}, DROPEFFECT_MOVE), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_TRUE(drops_.empty());
}

TEST_F(FileDropTargetTest, TextIsRefusedButStillCountsAsADragOver) {
    FileDropRegistration registration(window_, recordingCallbacks());

    EXPECT_EQ(e2e::dragText(L"not a file"), static_cast<DWORD>(DROPEFFECT_NONE));

    EXPECT_GT(dragOvers_, 0);
    EXPECT_TRUE(drops_.empty());
}

TEST_F(FileDropTargetTest, RevokedTargetTakesNoMoreDrops) {
    {
        FileDropRegistration registration(window_, recordingCallbacks());
        FileDropRegistration moved = std::move(registration);
        EXPECT_FALSE(registration.registered());
        EXPECT_TRUE(moved.registered());
    }
    EXPECT_EQ(e2e::dragFiles({L"C:\\a.txt"}), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(dragOvers_, 0);
    EXPECT_TRUE(drops_.empty());
}

} // namespace
} // namespace miruteka::win32
