#include "data/start_with_windows.h"

#include "fakes/fake_startup_registry.h"

#include <gtest/gtest.h>

#include <set>

namespace miruteka {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(StartWithWindows, TheEntrysStateComesFromTheRunValueAndTaskManagersSwitch) {
    const std::optional<std::string> run = "\"C:\\x\\miruteka.exe\"";
    EXPECT_EQ(startupEntryState(std::nullopt, Bytes{0x02}), StartupEntry::Absent);
    EXPECT_EQ(startupEntryState(run, std::nullopt), StartupEntry::Enabled);
    EXPECT_EQ(startupEntryState(run, Bytes{}), StartupEntry::Enabled);
    EXPECT_EQ(startupEntryState(run, Bytes{0x06, 0x9F, 0x3A}), StartupEntry::Enabled);
    EXPECT_EQ(startupEntryState(run, Bytes{0x03, 0x9F, 0x3A}), StartupEntry::Disabled);
}

TEST(StartWithWindows, StartUpRepointsOnlyAnEntryLeftOnAMissingCopy) {
    const std::string here = "C:\\Users\\u\\ミルテカ\\miruteka.exe";
    const std::set<std::string> existing{here, "D:\\other copy\\miruteka.exe", "C:\\tool.exe"};
    const auto afterStartUp = [&](std::optional<std::string> entry) {
        FakeStartupRegistry registry;
        if (entry) {
            registry.run[kStartupValueName] = *entry;
        }
        StartWithWindows(registry, here).repoint([&](const std::string& path) {
            return existing.count(path) != 0;
        });
        return std::pair(registry.writes, registry.runCommand(kStartupValueName));
    };
    EXPECT_EQ(afterStartUp("\"C:\\moved away\\MIRUTEKA.EXE\""),
              std::pair(1, std::optional(runCommandFor(here))));
    for (const std::string kept : {"\"D:\\other copy\\miruteka.exe\"", "\"C:\\gone\\tool.exe\"",
                                   "\"C:\\Users\\U\\ミルテカ\\miruteka.exe\""}) {
        EXPECT_EQ(afterStartUp(kept), std::pair(0, std::optional(kept))) << kept;
    }
    EXPECT_EQ(afterStartUp(std::nullopt), std::pair(0, std::optional<std::string>()));
}

} // namespace
} // namespace miruteka
