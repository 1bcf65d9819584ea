#include "fakes/fake_process_api.h"
#include "launch/execute.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace miruteka {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Way = FakeProcessApi::Way;

bool shellX(FakeProcessApi& processes, const std::string& line, bool wait = false) {
    return cExecute(processes).ShellX(line, 1, 0, wait);
}

TEST(ShellXSplit, TakesTheWholeLineOrTheLongestFoundPartBeforeABlank) {
    {
        FakeProcessApi processes;
        processes.addFound("C:\\Program Files\\Tool\\tool.exe");
        EXPECT_TRUE(shellX(processes, "C:\\Program Files\\Tool\\tool.exe"));
        EXPECT_THAT(processes.searches, ElementsAre("C:\\Program Files\\Tool\\tool.exe"));
        ASSERT_EQ(processes.starts.size(), 1u);
        EXPECT_EQ(processes.starts[0].file, "C:\\Program Files\\Tool\\tool.exe");
        EXPECT_EQ(processes.starts[0].parameters, "");
    }
    {
        FakeProcessApi processes;
        processes.addFound("C:\\edit.exe");
        EXPECT_TRUE(shellX(processes, "C:\\edit.exe C:\\b c.txt"));
        EXPECT_THAT(processes.searches,
                    ElementsAre("C:\\edit.exe C:\\b c.txt", "C:\\edit.exe C:\\b", "C:\\edit.exe"));
        ASSERT_EQ(processes.starts.size(), 1u);
        EXPECT_EQ(processes.starts[0].file, "C:\\edit.exe");
        EXPECT_EQ(processes.starts[0].parameters, "C:\\b c.txt");
    }
    {
        // The search adds no extension, so "notepad" is no cut; the shell gets the whole line.
        FakeProcessApi processes;
        processes.addFound("notepad.exe");
        EXPECT_TRUE(shellX(processes, "notepad readme.txt"));
        EXPECT_THAT(processes.searches, ElementsAre("notepad readme.txt", "notepad"));
        ASSERT_EQ(processes.starts.size(), 1u);
        EXPECT_EQ(processes.starts[0].file, "notepad readme.txt");
        EXPECT_EQ(processes.starts[0].parameters, "");
    }
    {
        // The last blank is tried first, so the longer name wins.
        FakeProcessApi processes;
        processes.addFound("C:\\a");
        processes.addFound("C:\\a b");
        shellX(processes, "C:\\a b c");
        EXPECT_EQ(processes.starts[0].file, "C:\\a b");
        EXPECT_EQ(processes.starts[0].parameters, "c");
    }
}

TEST(ShellXSplit, LeadingTrailingAndRepeatedBlanksAndQuotes) {
    {
        // A blank at the very start never splits (there would be no file before it).
        FakeProcessApi processes;
        processes.addFound("");
        shellX(processes, " x y");
        EXPECT_THAT(processes.searches, ElementsAre(" x y", " x"));
        EXPECT_EQ(processes.starts[0].file, " x y");
        EXPECT_EQ(processes.starts[0].parameters, "");
    }
    {
        // Every blank is a candidate, the one in a run too; the parameters keep the rest.
        FakeProcessApi processes;
        processes.addFound("C:\\a.exe");
        shellX(processes, "C:\\a.exe  ");
        EXPECT_THAT(processes.searches, ElementsAre("C:\\a.exe  ", "C:\\a.exe ", "C:\\a.exe"));
        EXPECT_EQ(processes.starts[0].file, "C:\\a.exe");
        EXPECT_EQ(processes.starts[0].parameters, " ");
    }
    {
        FakeProcessApi processes;
        processes.addFound("C:\\edit.exe");
        shellX(processes, "C:\\edit.exe  \"a  b.txt\" -x");
        EXPECT_EQ(processes.searches.size(), 6u); // the whole line and one per blank
        EXPECT_EQ(processes.starts[0].file, "C:\\edit.exe");
        EXPECT_EQ(processes.starts[0].parameters, " \"a  b.txt\" -x");
    }
    {
        // Japanese names split on the ASCII blank only.
        FakeProcessApi processes;
        processes.addFound("C:\\ソフト\\表示.exe");
        shellX(processes, "C:\\ソフト\\表示.exe D:\\文書　全角.txt");
        EXPECT_EQ(processes.starts[0].file, "C:\\ソフト\\表示.exe");
        EXPECT_EQ(processes.starts[0].parameters, "D:\\文書　全角.txt");
    }
}

TEST(ShellXLimits, RefusesEmptyAndOverlongLinesWithoutStartingAnything) {
    const auto refused = [](const std::string& line) {
        FakeProcessApi processes;
        const bool started = shellX(processes, line);
        return !started && processes.starts.empty() && processes.searches.empty();
    };
    EXPECT_TRUE(refused(""));
    EXPECT_TRUE(refused(std::string(32767, 'a')));
    EXPECT_TRUE(refused(std::string(100000, 'a')));
    EXPECT_FALSE(refused(std::string(32766, 'a')));
    // Counted in UTF-16 characters, not bytes: 20,000 kana are 60,000 bytes but fit...
    std::string kana;
    for (int i = 0; i < 20000; ++i) {
        kana += "あ";
    }
    EXPECT_FALSE(refused(kana));
    // ...while characters outside the basic plane take two.
    std::string emoji;
    for (int i = 0; i < 16384; ++i) {
        emoji += "\xF0\x9F\x98\x80";
    }
    EXPECT_TRUE(refused(emoji));
    EXPECT_FALSE(refused(emoji.substr(4)));
}

TEST(ShellXStart, PassesShowAndOwnerAndFallsBackToTheWholeLine) {
    {
        FakeProcessApi processes;
        EXPECT_TRUE(cExecute(processes).ShellX("C:\\a.exe", 7, 0x1234, false));
        ASSERT_EQ(processes.starts.size(), 1u);
        EXPECT_EQ(processes.starts[0].way, Way::Shell);
        EXPECT_EQ(processes.starts[0].show, 7);
        EXPECT_EQ(processes.starts[0].owner, 0x1234u);
        EXPECT_FALSE(processes.starts[0].wantProcess);
        EXPECT_THAT(processes.events, IsEmpty()); // no waiting, no handle
    }
    {
        // The direct start gets the file the split found, quoted, and the parameters.
        FakeProcessApi processes;
        processes.addFound("C:\\edit.exe");
        processes.shellFails = true;
        EXPECT_TRUE(shellX(processes, "C:\\edit.exe C:\\b c.txt"));
        ASSERT_EQ(processes.starts.size(), 2u);
        EXPECT_EQ(processes.starts[1].way, Way::Process);
        EXPECT_THAT(processes.startedLines(), ElementsAre("\"C:\\edit.exe\" C:\\b c.txt"));
    }
    {
        // Nothing found: a bare program name goes as it is, for the system's search; a path
        // is quoted whole, so that CreateProcess never tries "C:\Program.exe"; a quote the
        // user wrote first names the program; one inside a name would cut it short.
        const auto directLine = [](const std::string& line) {
            FakeProcessApi processes;
            processes.shellFails = true;
            const bool started = shellX(processes, line);
            const auto direct = processes.processStarts();
            return started && direct.size() == 1 ? direct[0].file : std::string("(none)");
        };
        EXPECT_EQ(directLine("C:\\Program Files\\Old Tool\\tool.exe"),
                  "\"C:\\Program Files\\Old Tool\\tool.exe\"");
        EXPECT_EQ(directLine("notepad readme.txt"), "notepad readme.txt");
        EXPECT_EQ(directLine("tools\\old tool.exe -x"), "\"tools\\old tool.exe -x\"");
        EXPECT_EQ(directLine("D:tool x"), "\"D:tool x\"");
        EXPECT_EQ(directLine("\"C:\\Program Files\\x.exe\" -y"), "\"C:\\Program Files\\x.exe\" -y");
        EXPECT_EQ(directLine("C:\\Program Files\\a\"b"), "(none)");
    }
    {
        FakeProcessApi processes;
        processes.shellFails = true;
        processes.processFails = true;
        EXPECT_FALSE(shellX(processes, "C:\\missing.exe"));
        EXPECT_EQ(processes.starts.size(), 2u);
        EXPECT_THAT(processes.startedLines(), IsEmpty());
    }
}

TEST(ShellXRunAs, ElevatesProgramsOnlyAndADeclinedOrFailedPromptStartsNothingElse) {
    struct Case {
        const char* line;
        bool declined, fails, errs; // the elevation prompt's answer
        std::vector<std::string> verbs;
        const char* parameters = "";
    };
    const std::vector<Case> cases{
        {"C:\\Tools\\Edit.EXE C:\\a.txt", false, false, false, {"runas", "started"}, "C:\\a.txt"},
        {"C:\\docs\\a b.txt", false, false, false, {"open", "started"}},
        {"C:\\docs", false, false, false, {"open", "started"}},
        {"C:\\x.exe.txt", false, false, false, {"open", "started"}},
        {"C:\\Tools\\Edit.EXE", true, false, false, {"runas", "not started"}},
        // A program the shell cannot elevate after all opens as a plain press would.
        {"\"C:\\Tools\\Edit.EXE\"", false, true, false, {"runas", "open", "started"}},
        // An elevation that failed otherwise never runs it unelevated instead.
        {"C:\\Tools\\Edit.EXE", false, false, true, {"runas", "not started"}},
    };
    for (const Case& c : cases) {
        FakeProcessApi processes;
        processes.addFound("C:\\Tools\\Edit.EXE");
        processes.addFound("C:\\docs\\a b.txt");
        processes.elevationDeclined = c.declined;
        processes.elevationFails = c.fails;
        processes.elevationErrs = c.errs;
        const bool started = cExecute(processes).ShellX(c.line, 1, 0, false, StartVerb::RunAs);
        std::vector<std::string> verbs;
        for (const auto& start : processes.starts) {
            verbs.push_back(start.way == Way::Shell ? start.verb : "process");
        }
        verbs.push_back(started ? "started" : "not started");
        EXPECT_EQ(verbs, c.verbs) << c.line;
        EXPECT_EQ(processes.starts[0].parameters, c.parameters) << c.line;
    }
}

TEST(ShellXWait, WaitsOnTheProcessDispatchingMessagesThenClosesTheHandle) {
    {
        FakeProcessApi processes;
        processes.messageWakeups = 2;
        int pumps = 0;
        processes.onPump = [&] { ++pumps; };
        EXPECT_TRUE(shellX(processes, "C:\\a.exe", true));
        EXPECT_TRUE(processes.starts[0].wantProcess);
        EXPECT_THAT(processes.events, ElementsAre("wait", "pump", "wait", "pump", "wait", "close"));
        EXPECT_EQ(pumps, 2);
        EXPECT_EQ(processes.openHandles(), 0);
    }
    {
        // No handle from the shell (a document handed to a running program): nothing to wait on.
        FakeProcessApi processes;
        processes.shellGivesProcess = false;
        EXPECT_TRUE(shellX(processes, "C:\\doc.txt", true));
        EXPECT_THAT(processes.events, ElementsAre("wait"));
    }
    {
        FakeProcessApi processes;
        processes.shellFails = true;
        processes.messageWakeups = 1;
        // The wait is on the handle from the start, never on the id opened again.
        EXPECT_TRUE(shellX(processes, "tool arg", true));
        EXPECT_TRUE(processes.processStarts().at(0).wantProcess);
        EXPECT_THAT(processes.events, ElementsAre("wait", "pump", "wait", "close"));
        EXPECT_EQ(processes.openHandles(), 0);
    }
}

} // namespace
} // namespace miruteka
