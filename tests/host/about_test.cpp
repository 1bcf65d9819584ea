#include "about/about.h"
#include "fakes/fake_browser.h"
#include "platform/texts.h"

#include <gtest/gtest.h>

namespace miruteka {
namespace {

TEST(AboutTexts, TitleCarriesNameAndVersionAndTheHelpPageIsInTheTextsLanguage) {
    EXPECT_EQ(aboutTitle(), "ミルテカ　Ver 1.2");
    EXPECT_EQ(helpPagePath("C:\\Tools\\ミルテカ"), "C:\\Tools\\ミルテカ\\help.html");
    EXPECT_EQ(helpPagePath("C:\\Tools\\ミルテカ\\"), "C:\\Tools\\ミルテカ\\help.html");
    EXPECT_EQ(helpPagePath("D:\\"), "D:\\help.html");
    useLanguage(Language::English);
    EXPECT_EQ(aboutTitle(), "Miruteka version 1.2");
    EXPECT_EQ(helpPagePath("D:\\"), "D:\\help-en.html");
    useLanguage(Language::Japanese);
}

TEST(AboutLayout, LabelsThatFitKeepTheirPlaceAndTheFrameItsWidth) {
    std::vector<FrameLabel> labels{{12, 87, 48, true}, {104, 103, 60, false}};
    const auto before = labels;
    EXPECT_EQ(fitFrameLabels(labels, 273, 2), 0);
    EXPECT_EQ(labels, before);
}

TEST(AboutLayout, CaptionsGrowLeftAndValuesRightWithinTheFrame) {
    std::vector<FrameLabel> labels{
        {12, 87, 96, true},    // grows left to 3, keeping its right edge at 99
        {12, 87, 120, true},   // can grow only to the frame's inner edge
        {104, 75, 150, false}, // widens to its text
    };
    EXPECT_EQ(fitFrameLabels(labels, 273, 2), 0);
    EXPECT_EQ(labels[0], (FrameLabel{3, 96, 96, true}));
    EXPECT_EQ(labels[1], (FrameLabel{2, 97, 120, true}));
    EXPECT_EQ(labels[2], (FrameLabel{104, 150, 150, false}));
}

TEST(AboutLayout, FrameWidensByTheWidestOverflow) {
    std::vector<FrameLabel> labels{{104, 75, 174, false}, {104, 59, 168, false}};
    // The inner right edge is 271; the homepage needs 104 + 174 = 278.
    EXPECT_EQ(fitFrameLabels(labels, 273, 2), 7);
    EXPECT_EQ(labels[0].width, 174);
    EXPECT_EQ(labels[1].width, 168);
}

class AboutActionsTest : public ::testing::Test {
  protected:
    FakeBrowserFactory browsers;
    AboutActions about{browsers,
                       "C:\\Tools\\ミルテカ",
                       {"https://miruteka.example.org/", "support@miruteka.example.org"}};
};

TEST_F(AboutActionsTest, HelpShowsTheHelpPageInANewBrowser) {
    about.openHelp();
    ASSERT_EQ(browsers.made.size(), 1u);
    EXPECT_EQ(browsers.made[0]->addresses,
              std::vector<std::string>{"C:\\Tools\\ミルテカ\\help.html"});
    EXPECT_TRUE(browsers.made[0]->shown);
    EXPECT_NE(about.currentBrowser(), nullptr);
}

TEST_F(AboutActionsTest, LinksOpenTheHomepageShownAndTheMailAddressHidden) {
    about.openHomepage();
    about.openMail();
    ASSERT_EQ(browsers.made.size(), 2u);
    EXPECT_EQ(browsers.made[0]->addresses,
              std::vector<std::string>{"https://miruteka.example.org/"});
    EXPECT_TRUE(browsers.made[0]->shown);
    EXPECT_EQ(browsers.made[1]->addresses,
              std::vector<std::string>{"mailto:support@miruteka.example.org"});
    EXPECT_FALSE(browsers.made[1]->shown);
    EXPECT_EQ(about.homepageText(), "https://miruteka.example.org/");
    EXPECT_EQ(about.mailText(), "support@miruteka.example.org");
}

TEST_F(AboutActionsTest, WithoutAddressesTheHomepageIsTheHelpPageAndMailDoesNothing) {
    AboutActions bare{browsers, "C:\\Tools", {}};
    bare.openMail();
    EXPECT_TRUE(browsers.made.empty());
    bare.openHomepage();
    ASSERT_EQ(browsers.made.size(), 1u);
    EXPECT_EQ(browsers.made[0]->addresses, std::vector<std::string>{"C:\\Tools\\help.html"});
    EXPECT_TRUE(browsers.made[0]->shown);
    EXPECT_FALSE(bare.hasMailAddress());
    EXPECT_EQ(bare.homepageText(), "ヘルプページ");
    EXPECT_EQ(bare.mailText(), "なし");
}

TEST_F(AboutActionsTest, EachClickStartsAFreshBrowserAndOnlyTheLastIsKept) {
    about.openHelp();
    about.openHelp();
    ASSERT_EQ(browsers.made.size(), 2u);
    EXPECT_FALSE(browsers.made[0]->held); // the first stays open on its own
    EXPECT_TRUE(browsers.made[1]->held);
    EXPECT_EQ(browsers.made[0]->addresses, browsers.made[1]->addresses);

    browsers.quit(0); // no longer heard from
    EXPECT_NE(about.currentBrowser(), nullptr);
    browsers.quit(1);
    EXPECT_EQ(about.currentBrowser(), nullptr);
    EXPECT_FALSE(browsers.made[1]->held);

    about.openMail(); // a click after the quit starts a new one again
    EXPECT_EQ(browsers.made.size(), 3u);
    EXPECT_NE(about.currentBrowser(), nullptr);
}

} // namespace
} // namespace miruteka
