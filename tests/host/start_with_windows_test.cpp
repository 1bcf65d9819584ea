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
    const std::set<std::string> existing{
        here, "D:\\other copy\\miruteka.exe", "C:\\tool.exe", "C:\\", "D:\\", "\\\\nas\\tools\\"};
    const auto afterStartUp = [&](std::optional<std::string> entry) {
        FakeStartupRegistry registry;
        if (entry) {
            registry.run[kStartupValueName] = *entry;
        }
        StartWithWindows startWithWindows(registry, here);
        const auto stale = startWithWindows.staleCommand(
            [&](const std::string& path) { return existing.count(path) != 0; });
        if (stale) {
            startWithWindows.repoint(*stale);
        }
        return std::pair(registry.writes, registry.runCommand(kStartupValueName));
    };
    for (const std::string moved :
         {"\"C:\\moved away\\MIRUTEKA.EXE\"", "\\\\nas\\tools\\old\\miruteka.exe"}) {
        EXPECT_EQ(afterStartUp(moved), std::pair(1, std::optional(runCommandFor(here)))) << moved;
    }
    // Another existing copy, another program, this copy, and a copy on a stick or a share that
    // is away for now.
    for (const std::string kept :
         {"\"D:\\other copy\\miruteka.exe\"", "\"C:\\gone\\tool.exe\"",
          "\"C:\\Users\\U\\ミルテカ\\miruteka.exe\"", "\"E:\\ミルテカ\\miruteka.exe\"",
          "\\\\gone\\share\\miruteka.exe", "miruteka.exe"}) {
        EXPECT_EQ(afterStartUp(kept), std::pair(0, std::optional(kept))) << kept;
    }
    EXPECT_EQ(afterStartUp(std::nullopt), std::pair(0, std::optional<std::string>()));
}

TEST(StartWithWindows, ALateLookNeverUndoesTheUser) {
    const std::string stale = "\"C:\\old\\miruteka.exe\"";
    FakeStartupRegistry registry;
    registry.run[kStartupValueName] = stale;
    StartWithWindows startWithWindows(registry, "C:\\new\\miruteka.exe");
    const auto looked =
        startWithWindows.staleCommand([](const std::string& path) { return path == "C:\\"; });
    ASSERT_EQ(looked, stale);

    // Unticked and applied while the look was out: the entry stays gone.
    ASSERT_TRUE(startWithWindows.apply(true, false));
    startWithWindows.repoint(*looked);
    EXPECT_FALSE(registry.runCommand(kStartupValueName));

    // Changed by someone else meanwhile: left as they wrote it.
    StartWithWindows fresh(registry, "C:\\new\\miruteka.exe");
    registry.run[kStartupValueName] = "\"C:\\elsewhere\\miruteka.exe\"";
    fresh.repoint(*looked);
    EXPECT_EQ(registry.runCommand(kStartupValueName), "\"C:\\elsewhere\\miruteka.exe\"");
}

} // namespace
} // namespace miruteka
