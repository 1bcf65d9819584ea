// The about window's texts and actions: the help page, the homepage and the mail link, each
// opened in a new browser that the window keeps as mIE until the next click or until that
// browser quits.
#pragma once

#include "platform/browser.h"

#include <memory>
#include <span>
#include <string>

namespace miruteka {

inline constexpr const char* kAboutCaption = "バージョン情報";
inline constexpr const char* kAboutAuthorLabel = "作者　：";
inline constexpr const char* kAboutHomepageLabel = "ホームページ　：";
inline constexpr const char* kAboutMailLabel = "メール　：";
inline constexpr const char* kAboutHelpButton = "ヘルプ";
inline constexpr const char* kAboutCloseButton = "閉じる";

// "ミルテカ　Ver 1.2"
std::string aboutTitle();
std::string author();
std::string homepageAddress();
std::string mailAddress();

// The help page beside the program: the folder, exactly one "\", "help.html".
std::string helpPagePath(const std::string& programFolder);

// A label inside the about window's frame, in pixels from the frame's left edge.
struct FrameLabel {
    int left = 0;
    int width = 0;
    int textWidth = 0;
    bool rightAligned = false; // a caption whose right edge lines up with the others
    friend bool operator==(const FrameLabel&, const FrameLabel&) = default;
};

// Makes every label show its whole text: a right-aligned caption grows to the left, as far
// as the frame's inner edge; any other label grows to the right. Returns how many pixels the
// frame must widen for the right-hand labels to stay inside it (0 when they already do).
int fitFrameLabels(std::span<FrameLabel> labels, int frameWidth, int frameBorder);

class AboutActions {
  public:
    AboutActions(BrowserFactory& browsers, std::string programFolder);
    AboutActions(const AboutActions&) = delete;
    AboutActions& operator=(const AboutActions&) = delete;

    void openHelp();
    void openHomepage();
    // Hands the address to the mail program; no browser window is shown.
    void openMail();

    // The browser the last click started, while it has not quit (mIE).
    const Browser* currentBrowser() const { return mIE.get(); }

  private:
    Browser* startBrowser();

    BrowserFactory& browsers_;
    std::string programFolder_;
    std::unique_ptr<Browser> mIE;
};

} // namespace miruteka
