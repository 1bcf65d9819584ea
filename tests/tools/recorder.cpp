// recorder.exe: a stand-in program for tests that start things. Each start appends one line
// to a log, in UTF-8, and the program ends:
//
//   <process id> TAB <working folder> TAB <raw command line (GetCommandLineW)> CR LF
//
// The log is the file named by the environment variable MIRUTEKA_RECORDER_LOG (started
// programs inherit it from the test), else recorder.log beside this exe. Lines from several
// recorders running at once do not mix. Copies of the exe under other names or extensions
// behave the same.
//
// "--hold-until <path>" anywhere in the arguments keeps the recorder running, after its line
// is written, until that file exists (at most 30 s), so a test can control when it ends.
// "--exit-code <n>" makes it end with that exit code instead of 0.
#include <windows.h>

#include <shellapi.h>

#include <cwchar>
#include <iterator>
#include <string>
#include <string_view>

namespace {

std::wstring logPath() {
    wchar_t fromEnvironment[MAX_PATH * 4];
    const DWORD length = ::GetEnvironmentVariableW(L"MIRUTEKA_RECORDER_LOG", fromEnvironment,
                                                   static_cast<DWORD>(std::size(fromEnvironment)));
    if (length > 0 && length < std::size(fromEnvironment)) {
        return fromEnvironment;
    }
    wchar_t exe[MAX_PATH * 4];
    const DWORD exeLength = ::GetModuleFileNameW(nullptr, exe, static_cast<DWORD>(std::size(exe)));
    std::wstring path(exe, exeLength);
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"recorder.log";
}

std::string toUtf8(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                             nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(),
                          length, nullptr, nullptr);
    return utf8;
}

std::wstring currentFolder() {
    const DWORD length = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring folder(length, L'\0');
    folder.resize(::GetCurrentDirectoryW(length, folder.data()));
    return folder;
}

bool appendRecord(const std::string& record) {
    const std::wstring path = logPath();
    // Appending with FILE_APPEND_DATA alone keeps whole writes from interleaving; retry while
    // another recorder holds the file exclusively (it never does for long).
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE file = ::CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            const bool ok = ::WriteFile(file, record.data(), static_cast<DWORD>(record.size()),
                                        &written, nullptr) &&
                            written == record.size();
            ::CloseHandle(file);
            return ok;
        }
        ::Sleep(10);
    }
    return false;
}

void holdIfAsked() {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr) {
        return;
    }
    for (int i = 1; i + 1 < count; ++i) {
        if (std::wstring_view(arguments[i]) == L"--hold-until") {
            const std::wstring release = arguments[i + 1];
            for (int waited = 0; waited < 30000; waited += 20) {
                if (::GetFileAttributesW(release.c_str()) != INVALID_FILE_ATTRIBUTES) {
                    break;
                }
                ::Sleep(20);
            }
            break;
        }
    }
    ::LocalFree(arguments);
}

// The number after "--exit-code", if given.
bool exitCodeAsked(UINT& code) {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (arguments == nullptr) {
        return false;
    }
    bool asked = false;
    for (int i = 1; i + 1 < count; ++i) {
        if (std::wstring_view(arguments[i]) == L"--exit-code") {
            code = static_cast<UINT>(std::wcstoul(arguments[i + 1], nullptr, 10));
            asked = true;
            break;
        }
    }
    ::LocalFree(arguments);
    return asked;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::string record = std::to_string(::GetCurrentProcessId()) + "\t" +
                               toUtf8(currentFolder()) + "\t" + toUtf8(::GetCommandLineW()) +
                               "\r\n";
    const bool written = appendRecord(record);
    holdIfAsked();
    UINT code = 0;
    if (written && exitCodeAsked(code)) {
        ::ExitProcess(code);
    }
    return written ? 0 : 1;
}
