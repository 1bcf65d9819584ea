// The about window's texts and actions: the help page, the homepage and the mail link, each
// opened in a new browser that the window keeps as mIE until the next click or until that
// browser quits.
#pragma once

#include "platform/browser.h"

#include <memory>
#include <span>
#include <string>

namespace miruteka {

// "ミルテカ　Ver 1.2"
std::string aboutTitle();
std::string author();

// The maker's homepage and mail address, either of them possibly empty.
struct MakerAddresses {
    std::string homepage;
    std::string mail;
};
// The ones the build was given.
MakerAddresses builtAddresses();

// The help page beside the program, in the language of the texts: the folder, exactly one
// "\", "help.html" (Japanese) or "help-en.html".
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
    AboutActions(BrowserFactory& browsers, std::string programFolder,
                 MakerAddresses addresses = builtAddresses());
    AboutActions(const AboutActions&) = delete;
    AboutActions& operator=(const AboutActions&) = delete;

    void openHelp();
    // The help page when there is no homepage.
    void openHomepage();
    // Hands the address to the mail program; no browser window is shown. Nothing without an
    // address.
    void openMail();

    // What the links show: the homepage or the help page's name; the mail address or a word
    // for none (the link is then greyed).
    std::string homepageText() const;
    std::string mailText() const;
    bool hasMailAddress() const { return !addresses_.mail.empty(); }

    // The browser the last click started, while it has not quit (mIE).
    const Browser* currentBrowser() const { return mIE.get(); }

  private:
    Browser* startBrowser();

    BrowserFactory& browsers_;
    std::string programFolder_;
    MakerAddresses addresses_;
    std::unique_ptr<Browser> mIE;
};

} // namespace miruteka
