// frmAbout: the program's icon, name, version, author and links, with help and close.
// Shown modally over the settings window; a browser it opened stays open when it closes.
#pragma once

#include "about/about.h"
#include "platform/browser.h"
#include "platform/win32/unique.h"
#include "toolkit/win32/modal_window.h"
#include "toolkit/win32/system_palette.h"
#include "toolkit/win32/window_base.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace miruteka::win32 {

// Control ids (never IDOK or IDCANCEL: Enter and Esc must not reach a button).
enum AboutControl : int {
    kAboutCloseId = 1001,         // Command1
    kAboutHelpId = 1002,          // Command2
    kAboutAuthorLabelId = 1011,   // Label1
    kAboutAuthorId = 1012,        // Label2
    kAboutHomepageId = 1013,      // Label3
    kAboutMailLabelId = 1014,     // Label4
    kAboutMailId = 1015,          // Label5
    kAboutTitleId = 1020,         // lblTitle
    kAboutHomepageLabelId = 1021, // lblDescription
    kAboutListFolderId = 1022,    // opens the folder where the list is kept
};

class AboutWindow : public WindowBase {
  public:
    AboutWindow(BrowserFactory& browsers, std::string programFolder,
                MakerAddresses addresses = builtAddresses());

    // Creates and shows the window centred over its owner, the focus on close. Modal only
    // once runModalLoop runs on it.
    bool create(HWND owner);

    const AboutActions& actions() const { return actions_; }

    // Before create: a link that shows the list file in its folder, through show.
    void offerListFolder(std::string listFile,
                         std::function<void(const std::string& listFile)> show);

    // Lays the window out again for a display scale; its size follows the client area at
    // that scale, or is the suggested rectangle when one is given.
    void applyDpi(int dpi, const RECT* suggested = nullptr);
    int dpi() const { return dpi_; }

  protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    struct FrameText;
    std::vector<FrameText> frameTexts() const;
    SIZE layOut();
    void onCommand(int id, int code);
    void paint();

    AboutActions actions_;
    int dpi_ = 96;
    WindowPalette palette_;
    UniqueGdiObject defaultFont_;
    UniqueGdiObject titleFont_;
    UniqueGdiObject linkFont_;
    UniqueIcon icon_;
    std::string listFile_;
    std::function<void(const std::string&)> showListFile_;
    RECT frame_{}; // Frame1, drawn by the window
    FocusMemory focus_;
};

// Shows the about window modally over owner (disabled meanwhile); returns when it closes.
void showAboutWindow(HWND owner, BrowserFactory& browsers, const std::string& programFolder);
// The same with the real browser and the folder of the exe the program runs from, with a
// link to the list file's folder.
void showAboutWindow(HWND owner, const std::string& listFile);

} // namespace miruteka::win32
