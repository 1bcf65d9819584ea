#include "about/about.h"

#include "about/version.h"
#include "platform/program_place_queries.h"
#include "platform/texts.h"

#include <algorithm>
#include <utility>

namespace miruteka {

std::string aboutTitle() {
    return formatText(TextId::AboutTitle, {MIRUTEKA_VERSION_TEXT});
}

std::string author() {
    return text(TextId::AuthorName);
}

MakerAddresses builtAddresses() {
    return {MIRUTEKA_HOMEPAGE, MIRUTEKA_MAIL};
}

std::string helpPagePath(const std::string& programFolder) {
    return pathInFolder(programFolder,
                        currentLanguage() == Language::Japanese ? "help.html" : "help-en.html");
}

int fitFrameLabels(std::span<FrameLabel> labels, int frameWidth, int frameBorder) {
    int growth = 0;
    for (FrameLabel& label : labels) {
        if (label.textWidth <= label.width) {
            continue;
        }
        if (label.rightAligned) {
            const int right = label.left + label.width;
            label.left = std::min(label.left, std::max(frameBorder, right - label.textWidth));
            label.width = right - label.left;
        } else {
            growth = std::max(growth, label.left + label.textWidth - (frameWidth - frameBorder));
        }
    }
    const int innerRight = frameWidth + growth - frameBorder;
    for (FrameLabel& label : labels) {
        if (!label.rightAligned && label.textWidth > label.width) {
            label.width = std::min(label.textWidth, innerRight - label.left);
        }
    }
    return growth;
}

AboutActions::AboutActions(BrowserFactory& browsers, std::string programFolder,
                           MakerAddresses addresses)
    : browsers_(browsers), programFolder_(std::move(programFolder)),
      addresses_(std::move(addresses)) {}

std::string AboutActions::homepageText() const {
    return addresses_.homepage.empty() ? text(TextId::HelpPageLink) : addresses_.homepage;
}

std::string AboutActions::mailText() const {
    return hasMailAddress() ? addresses_.mail : text(TextId::NoMailAddress);
}

Browser* AboutActions::startBrowser() {
    // The browser started before stays open on its own; only the newest one is heard from.
    mIE = browsers_.create([this] { mIE.reset(); });
    return mIE.get();
}

void AboutActions::openHelp() {
    if (Browser* browser = startBrowser()) {
        browser->navigate(helpPagePath(programFolder_));
        browser->show();
    }
}

void AboutActions::openHomepage() {
    if (addresses_.homepage.empty()) {
        openHelp();
    } else if (Browser* browser = startBrowser()) {
        browser->navigate(addresses_.homepage);
        browser->show();
    }
}

void AboutActions::openMail() {
    if (!hasMailAddress()) {
        return;
    }
    if (Browser* browser = startBrowser()) {
        browser->navigate("mailto:" + addresses_.mail);
    }
}

} // namespace miruteka
