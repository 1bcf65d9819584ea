// Form6 on Windows: the settings window's controls, laid out as the layout in twips says,
// turning their messages into SettingsForm calls and showing what its working copy holds.
#pragma once

#include "data/launcher_state.h"
#include "platform/codepage.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/icons.h"
#include "platform/texts.h"
#include "platform/win32/unique.h"
#include "platform/win32/win32_icons.h"
#include "platform/win32/win32_message_boxes.h"
#include "settings/item_dialog.h"
#include "settings/settings_form.h"
#include "shared_ui/launcher_host.h"
#include "toolkit/win32/file_drop_target.h"
#include "toolkit/win32/modal_window.h"
#include "toolkit/win32/modeless_dialog_keys.h"
#include "toolkit/win32/system_palette.h"
#include "toolkit/win32/window_base.h"

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace miruteka::win32 {

// Control ids (never IDOK or IDCANCEL: Enter and Esc are not meant to reach a button).
enum SettingsControl : int {
    kOption1Id = 1001,      // Option1(0)..Option1(3): 1001..1004
    kGridId = 1011,         // FG(0)..FG(3): 1011..1014
    kPreviewId = 1020,      // Picture1
    kCommandId = 1100,      // Command1..Command9: 1101..1109
    kSliderId = 1200,       // Slider1..Slider5: 1201..1205
    kValueLabelId = 1210,   // the value labels of Slider1..Slider5: 1211..1215
    kCaptionLabelId = 1220, // the caption labels of Slider1..Slider5: 1221..1225
    kPauseKeyLabelId = 1301,
    kPauseKeyId = 1302,     // the pause key's hotkey control
    kPauseKeyNoteId = 1303, // says when the key cannot be registered
    kCheck1Id = 1304,       // Check1: start with Windows
    kListKeyLabelId = 1305,
    kListKeyId = 1306,     // the list key's hotkey control
    kListKeyNoteId = 1307, // says when the key cannot be registered
};

struct SettingsWindowContext {
    LauncherState& state;
    LauncherHost& host;
    FileSystem& files;
    const AnsiCodePage& codePage;
    // Looks at items' paths off the user-interface thread (the preview, the item dialog).
    ItemProbes& probes;
    std::string listPath;
    // A hidden window that owns the settings window keeps it off the taskbar.
    HWND owner = nullptr;
    // Message boxes over the window unless given.
    MessageBoxes* messages = nullptr;
    // The modal windows the buttons open; the item dialog and the about window unless given.
    std::function<void(HWND owner, const ItemFields& fields, ItemDialogHost& host)> itemDialog{};
    std::function<void(HWND owner)> about{};
    // miruteka.ini, where the pause key is kept.
    std::string optionsPath{};
    // The program's Run entry, which Check1 shows and OK writes; none leaves Check1 unticked.
    StartWithWindows* startWithWindows = nullptr;
};

class SettingsWindow : public WindowBase, private SettingsWindowActions, private ItemDialogHost {
  public:
    explicit SettingsWindow(SettingsWindowContext context);
    ~SettingsWindow() override;

    // Creates the window and its controls, loads the working copy and shows the window
    // centred on the screen. False when the window could not be created.
    bool create();

    // Lays the window out again for a display scale: the window's size (the suggested
    // rectangle, or the client area at that scale), every control, font, column and row.
    void applyDpi(int dpi, const RECT* suggested = nullptr);
    int dpi() const { return dpi_; }

    const SettingsForm& form() const { return form_; }
    HWND control(int id) const { return ::GetDlgItem(hwnd(), id); }
    const Win32Picture& preview() const { return preview_; }

  protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onDestroyed() override;

  private:
    // SettingsWindowActions
    void unloadWindow() override;
    void showItemDialog(const std::string& name, const std::string& path) override;
    void showAbout() override;
    // ItemDialogHost
    void acceptItem(const std::string& name, const std::string& path) override;

    void createFonts();
    const UniqueGdiObject* fontOf(int id) const;
    void createControls();
    HWND addControl(const wchar_t* className, const wchar_t* text, DWORD style, int id);
    void createGrid(int index);
    void sizeGridCells(HWND grid) const;
    void registerDrops();

    // Brings every control in line with the working copy.
    void refresh();
    void refreshGrid(int index);

    void onCommand(int id);
    LRESULT onNotify(const NMHDR& header);
    void onSlider(HWND slider);
    void addKeyControls(int labelId, TextId label);
    void onKeyChange();
    void showKeyNotes();
    void onDrawItem(const DRAWITEMSTRUCT& item);
    void runDroppedFiles();
    void paintSeparator();
    void applyPalette();
    LRESULT colourUnfocusedSelection(NMLVCUSTOMDRAW& draw);

    SettingsWindowContext context_;
    std::unique_ptr<Win32MessageBoxes> ownMessages_;
    WindowPalette palette_;
    Win32Picture preview_;
    SettingsForm form_;
    // Set while the controls are brought in line, so the list views' own notifications
    // are not taken for the user's.
    bool refreshing_ = false;

    struct PendingDrop {
        int grid;
        std::vector<std::string> files;
    };
    std::deque<PendingDrop> pendingDrops_;
    std::array<FileDropRegistration, kGroupCount> drops_;
    std::unique_ptr<ModelessDialogKeys> dialogKeys_;
    FocusMemory focus_;

    int dpi_ = 96;
    UniqueGdiObject defaultFont_;
    UniqueGdiObject labelFont_;
    UniqueGdiObject bottomButtonFont_;
    UniqueGdiObject gridFont_;
};

} // namespace miruteka::win32
