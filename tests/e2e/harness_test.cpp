// Proves the harness itself: a fresh program folder, a started instance with a window,
// the Japanese code page inside the test prefix, and an instance that always ends.
#include "e2e/harness/harness.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

TEST(Harness, StartsTheProgramInAFreshFolderUnderTheJapaneseCodePage) {
    EXPECT_EQ(::GetACP(), 932u);
    ProgramFolder folder;
    ASSERT_TRUE(std::filesystem::exists(folder.exe()));
    Instance instance(folder.exe());
    EXPECT_NE(instance.waitForWindow(), nullptr);
    EXPECT_TRUE(instance.running());
    instance.kill();
    EXPECT_FALSE(instance.running());
}

} // namespace
} // namespace e2e
