// cExecute against the real shell and process calls: copies of recorder.exe stand in for the
// started programs and log their command lines and working folders.
#include "launch/execute.h"
#include "platform/win32/wide_string.h"
#include "platform/win32/win32_process.h"

#include <windows.h>

#include <ole2.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace miruteka::win32 {
namespace {

namespace fs = std::filesystem;

struct Record {
    DWORD processId = 0;
    std::wstring folder;
    std::wstring commandLine;
};

fs::path buildFolder() {
    wchar_t exe[MAX_PATH * 4];
    const DWORD length = ::GetModuleFileNameW(nullptr, exe, static_cast<DWORD>(std::size(exe)));
    return fs::path(std::wstring(exe, length)).parent_path();
}

std::vector<std::wstring> splitArguments(const std::wstring& commandLine) {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(commandLine.c_str(), &count);
    std::vector<std::wstring> result(arguments, arguments + count);
    ::LocalFree(arguments);
    return result;
}

bool processEnded(DWORD processId) {
    HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (process == nullptr) {
        return true; // gone entirely
    }
    const bool ended = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return ended;
}

// A file extension whose "open" runs a program, for the current user, removed again after.
// Wine does not merge the user's classes into HKEY_CLASSES_ROOT, so there it goes into the
// shared classes too (the Wine prefix is the test's own).
class RegisteredExtension {
  public:
    RegisteredExtension(const std::wstring& extension, const std::wstring& progId,
                        const std::wstring& command)
        : extension_(extension), progId_(progId) {
        registerIn(HKEY_CURRENT_USER, L"Software\\Classes\\", command);
        HKEY seen = nullptr;
        if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, extension_.c_str(), 0, KEY_READ, &seen) ==
            ERROR_SUCCESS) {
            ::RegCloseKey(seen);
        } else {
            registerIn(HKEY_CLASSES_ROOT, L"", command);
            inClassesRoot_ = true;
        }
    }
    ~RegisteredExtension() {
        unregisterIn(HKEY_CURRENT_USER, L"Software\\Classes\\");
        if (inClassesRoot_) {
            unregisterIn(HKEY_CLASSES_ROOT, L"");
        }
    }
    RegisteredExtension(const RegisteredExtension&) = delete;
    RegisteredExtension& operator=(const RegisteredExtension&) = delete;

  private:
    void registerIn(HKEY root, const std::wstring& prefix, const std::wstring& command) {
        setDefault(root, prefix + extension_, progId_);
        setDefault(root, prefix + progId_ + L"\\shell\\open\\command", command);
    }
    void unregisterIn(HKEY root, const std::wstring& prefix) {
        ::RegDeleteTreeW(root, (prefix + extension_).c_str());
        ::RegDeleteKeyW(root, (prefix + extension_).c_str());
        ::RegDeleteTreeW(root, (prefix + progId_).c_str());
        ::RegDeleteKeyW(root, (prefix + progId_).c_str());
    }
    static void setDefault(HKEY root, const std::wstring& key, const std::wstring& value) {
        HKEY handle = nullptr;
        if (::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                              nullptr) != ERROR_SUCCESS) {
            ADD_FAILURE() << "cannot create the key " << toUtf8(key);
            return;
        }
        ::RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(handle);
    }

    std::wstring extension_;
    std::wstring progId_;
    bool inClassesRoot_ = false;
};

// The real calls, noting which way each start went; the shell can be made to refuse.
class WatchedProcessApi final : public ProcessApi {
  public:
    bool searchPath(const std::string& name) override { return real_.searchPath(name); }
    StartResult shellOpen(const ShellOpenRequest& request) override {
        if (refuseShell) {
            return {};
        }
        StartResult result = real_.shellOpen(request);
        shellOpened = result.started;
        return result;
    }
    StartResult startProcess(const std::string& commandLine, bool wantProcess) override {
        startedDirectly = true;
        return real_.startProcess(commandLine, wantProcess);
    }
    ProcessWait waitForExitOrMessages(const ProcessHandle& process) override {
        return real_.waitForExitOrMessages(process);
    }
    void pumpMessages() override { real_.pumpMessages(); }
    void closeProcess(std::uintptr_t value) override { real_.closeProcess(value); }
    void passForegroundRight() override { real_.passForegroundRight(); }

    bool refuseShell = false; // as the shell does with a file it cannot open
    bool shellOpened = false;
    bool startedDirectly = false;

  private:
    Win32ProcessApi real_;
};

// A recorder at C:\Program.exe while it lives; removed again once no recorder holds it.
struct TrapProgram {
    TrapProgram() {
        EXPECT_FALSE(fs::exists(path)) << "left over from an earlier run";
        fs::copy_file(buildFolder() / L"recorder.exe", path, fs::copy_options::overwrite_existing);
    }
    ~TrapProgram() {
        std::error_code ignored;
        for (int attempt = 0; attempt < 100 && fs::exists(path, ignored); ++attempt) {
            if (!fs::remove(path, ignored)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
    }
    TrapProgram(const TrapProgram&) = delete;
    TrapProgram& operator=(const TrapProgram&) = delete;
    const fs::path path = L"C:\\Program.exe";
};

class ShellXOnWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        comReady_ = SUCCEEDED(::OleInitialize(nullptr));
        root_ = fs::temp_directory_path() /
                (L"miruteka-launch-" + std::to_wstring(::GetCurrentProcessId()));
        std::error_code ignored;
        fs::remove_all(root_, ignored);
        fs::create_directories(root_ / L"work here");
        log_ = root_ / L"records.log";
        ::SetEnvironmentVariableW(L"MIRUTEKA_RECORDER_LOG", log_.c_str());
        savedFolder_ = fs::current_path();
        ASSERT_TRUE(::SetCurrentDirectoryW((root_ / L"work here").c_str()));
        workFolder_ = currentFolder();
    }

    void TearDown() override {
        ::SetCurrentDirectoryW(savedFolder_.c_str());
        ::SetEnvironmentVariableW(L"MIRUTEKA_RECORDER_LOG", nullptr);
        std::error_code ignored;
        for (int attempt = 0; attempt < 50 && fs::exists(root_, ignored); ++attempt) {
            fs::remove_all(root_, ignored); // a recorder may still be closing its log
            if (fs::exists(root_, ignored)) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        }
        if (comReady_) {
            ::OleUninitialize();
        }
    }

    static std::wstring currentFolder() {
        wchar_t folder[MAX_PATH * 4];
        const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(std::size(folder)), folder);
        return std::wstring(folder, length);
    }

    fs::path copyRecorder(const fs::path& relative) {
        const fs::path target = root_ / relative;
        fs::create_directories(target.parent_path());
        fs::copy_file(buildFolder() / L"recorder.exe", target,
                      fs::copy_options::overwrite_existing);
        return target;
    }

    bool shellX(const fs::path& line, bool wait = false) { return shellX(line.wstring(), wait); }
    bool shellX(const std::wstring& line, bool wait = false) {
        Win32ProcessApi processes;
        return cExecute(processes).ShellX(toUtf8(line), 1, 0, wait);
    }

    std::vector<Record> readRecords() const {
        std::ifstream file(log_, std::ios::binary);
        std::stringstream bytes;
        bytes << file.rdbuf();
        std::vector<Record> records;
        std::string line;
        std::istringstream lines(bytes.str());
        while (std::getline(lines, line)) {
            if (line.empty() || line.back() != '\r') {
                continue; // still being written
            }
            line.pop_back();
            const size_t firstTab = line.find('\t');
            const size_t secondTab = line.find('\t', firstTab + 1);
            if (secondTab == std::string::npos) {
                continue;
            }
            records.push_back({static_cast<DWORD>(std::stoul(line.substr(0, firstTab))),
                               toWide(line.substr(firstTab + 1, secondTab - firstTab - 1)),
                               toWide(line.substr(secondTab + 1))});
        }
        return records;
    }

    std::vector<Record> waitForRecords(size_t count) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::vector<Record> records = readRecords();
        while (records.size() < count && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            records = readRecords();
        }
        return records;
    }

    bool comReady_ = false;
    fs::path root_;
    fs::path log_;
    fs::path savedFolder_;
    std::wstring workFolder_;
};

TEST_F(ShellXOnWindows, StartsAProgramWholeOrSplitBeforeItsParameters) {
    const fs::path recorder = copyRecorder(L"folder with blanks\\recorder.exe");

    ASSERT_TRUE(shellX(recorder));
    auto records = waitForRecords(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(splitArguments(records[0].commandLine), std::vector<std::wstring>{recorder});
    EXPECT_EQ(records[0].folder, workFolder_);

    const std::wstring document = (root_ / L"doc folder\\a b.txt").wstring();
    ASSERT_TRUE(shellX(recorder.wstring() + L" " + document));
    records = waitForRecords(2);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(splitArguments(records[1].commandLine).front(), recorder);
    EXPECT_TRUE(records[1].commandLine.ends_with(L" " + document)) << records[1].commandLine;
    EXPECT_EQ(records[1].folder, workFolder_);

    // Starting changes none of our own state.
    EXPECT_EQ(currentFolder(), workFolder_);
}

TEST_F(ShellXOnWindows, OpensADocumentWithTheProgramRegisteredForIt) {
    const fs::path recorder = copyRecorder(L"handler\\recorder.exe");
    const RegisteredExtension extension(L".mrtkdoc", L"MirutekaTest.Document",
                                        L"\"" + recorder.wstring() + L"\" \"%1\"");
    const fs::path document = root_ / L"folder with blanks\\note 1.mrtkdoc";
    fs::create_directories(document.parent_path());
    std::ofstream(document) << "note";

    ASSERT_TRUE(shellX(document));
    const auto records = waitForRecords(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(splitArguments(records[0].commandLine),
              (std::vector<std::wstring>{recorder, document}));
    EXPECT_EQ(records[0].folder, workFolder_);
}

TEST_F(ShellXOnWindows, StartsWhatTheShellRefusesAsTheFoundProgramOnlyAndFailsQuietly) {
    // The direct start runs the program the split found with its parameters, the program
    // part quoted.
    const fs::path program = copyRecorder(L"folder with blanks\\recorder.exe");
    const std::wstring parameters = L"one  \"two three\"";
    WatchedProcessApi processes;
    processes.refuseShell = true;
    ASSERT_TRUE(
        cExecute(processes).ShellX(toUtf8(program.wstring() + L" " + parameters), 1, 0, false));
    EXPECT_FALSE(processes.shellOpened);
    EXPECT_TRUE(processes.startedDirectly);
    const auto records = waitForRecords(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].commandLine, L"\"" + program.wstring() + L"\" " + parameters);
    EXPECT_EQ(records[0].folder, workFolder_);

    // A removed program under a folder with blanks: unquoted, CreateProcess would try
    // C:\Program.exe first and start it.
    {
        const TrapProgram trap;
        EXPECT_FALSE(shellX(std::wstring(L"C:\\Program Files\\Old Tool\\tool.exe")));
        EXPECT_FALSE(shellX(std::wstring(L"C:\\Program Files\\Old Tool\\tool.exe -x")));
    }
    EXPECT_EQ(readRecords().size(), 1u);

    EXPECT_FALSE(shellX(root_ / L"missing\\program.exe"));
    EXPECT_FALSE(shellX(std::wstring(L"")));
}

// Ticks of a thread timer of the test's own thread; the third one lets the recorder end.
int ticks = 0;
fs::path releaseFile;
void CALLBACK countTick(HWND, UINT, UINT_PTR, DWORD) {
    if (++ticks == 3) {
        std::ofstream(releaseFile) << "go";
    }
}

TEST_F(ShellXOnWindows, WaitReturnsAfterTheProgramEndsWhileMessagesKeepFlowing) {
    const fs::path recorder = copyRecorder(L"folder with blanks\\recorder.exe");
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, countTick);
    ASSERT_NE(timer, 0u);

    // Through the shell, then through the direct start.
    const std::vector<std::wstring> lines = {recorder.wstring() + L" --hold-until ",
                                             recorder.wstring() + L" --hold-until "};
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(toUtf8(lines[i]));
        ticks = 0;
        releaseFile = root_ / (L"release" + std::to_wstring(i));
        WatchedProcessApi processes;
        processes.refuseShell = i == 1;
        ASSERT_TRUE(
            cExecute(processes).ShellX(toUtf8(lines[i] + releaseFile.wstring()), 1, 0, true));
        EXPECT_EQ(processes.startedDirectly, i == 1);
        // Without the messages dispatched during the wait, the timer never reaches its third
        // tick and the recorder holds on for its full 30 s.
        EXPECT_GE(ticks, 3);
        const auto records = readRecords();
        ASSERT_EQ(records.size(), i + 1);
        EXPECT_TRUE(processEnded(records[i].processId));
    }
    ::KillTimer(nullptr, timer);
}

// A waited start on a thread of its own, so that a wait that never ends fails the test
// instead of hanging it. The line outlives such a wait.
std::string waitedLine;
DWORD WINAPI startAndWait(LPVOID) {
    Win32ProcessApi processes;
    return cExecute(processes).ShellX(waitedLine, 1, 0, true) ? 1 : 0;
}

TEST_F(ShellXOnWindows, WaitEndsForAProgramEndingWithTheCodeThatMeansStillRunning) {
    const fs::path recorder = copyRecorder(L"folder with blanks\\recorder.exe");
    waitedLine = toUtf8(recorder.wstring() + L" --exit-code 259");
    HANDLE thread = ::CreateThread(nullptr, 0, startAndWait, nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    const bool returned = ::WaitForSingleObject(thread, 15000) == WAIT_OBJECT_0;
    DWORD started = 0;
    ::GetExitCodeThread(thread, &started);
    ::CloseHandle(thread);
    ASSERT_TRUE(returned) << "the wait went on after the program had ended";
    EXPECT_EQ(started, 1u);
    const auto records = readRecords();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(processEnded(records[0].processId));
}

} // namespace
} // namespace miruteka::win32
