// Form7, the item dialog: a name and a path, typed or browsed for. Shown modally over the
// settings window; on OK it hands an existing path to its host and closes.
#pragma once

#include "platform/win32/unique.h"
#include "platform/win32/win32_message_boxes.h"
#include "settings/item_dialog.h"
#include "toolkit/win32/modal_window.h"
#include "toolkit/win32/system_palette.h"
#include "toolkit/win32/window_base.h"

#include <windows.h>

#include <optional>
#include <string>

namespace miruteka::win32 {

// Control ids (never IDOK or IDCANCEL: Enter and Esc must not reach a button).
enum ItemDialogControl : int {
    kItemOkId = 1101,        // Command1
    kItemCancelId = 1102,    // Command2
    kItemBrowseId = 1103,    // Command3
    kItemNameId = 1111,      // Text1
    kItemPathId = 1112,      // Text2
    kItemNameLabelId = 1121, // Label1
    kItemPathLabelId = 1122, // Label2
};

class ItemDialogWindow : public WindowBase {
  public:
    ItemDialogWindow(ItemProbes& probes, ItemDialogHost& host);

    // Creates and shows the dialog centred on the screen with the texts in its boxes, the
    // focus on browse. Modal only once runModalLoop runs on it.
    bool create(HWND owner, const ItemFields& fields);

    ItemFields fields() const;

    // Lays the dialog out again for a display scale; its size follows the client area at
    // that scale, or is the suggested rectangle when one is given.
    void applyDpi(int dpi, const RECT* suggested = nullptr);
    int dpi() const { return dpi_; }

  protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void createControls(const ItemFields& fields);
    void createFonts();
    void placeControls();
    void onOk();
    void onBrowse();
    void applyPalette();

    ItemProbes& probes_;
    // Message boxes owned by the dialog, so they stay in front of it.
    Win32MessageBoxes messages_;
    ItemConfirmation confirmation_;
    int dpi_ = 96;
    WindowPalette palette_;
    UniqueGdiObject labelFont_;
    UniqueGdiObject defaultFont_;
    FocusMemory focus_;
};

// Shows the item dialog modally over owner (disabled meanwhile); returns when it closes.
void showItemDialog(HWND owner, const ItemFields& fields, ItemProbes& probes, ItemDialogHost& host);

// The common open-file dialog with one filter for all files; nothing when the user cancels or
// the dialog fails. The program's current folder stays as it was.
std::optional<std::string> chooseFileToOpen(HWND owner);

} // namespace miruteka::win32
