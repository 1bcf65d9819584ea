#include "fakes/fake_file_system.h"

namespace miruteka {
namespace {

bool wildcardMatch(const char* pattern, const char* text) {
    if (*pattern == '\0') {
        return *text == '\0';
    }
    if (*pattern == '*') {
        return wildcardMatch(pattern + 1, text) ||
               (*text != '\0' && wildcardMatch(pattern, text + 1));
    }
    if (*text == '\0') {
        return false;
    }
    return (*pattern == '?' || *pattern == *text) && wildcardMatch(pattern + 1, text + 1);
}

void waitIfSlow(const std::map<std::string, Gate*>& slowPaths, const std::string& path) {
    if (const auto slow = slowPaths.find(path); slow != slowPaths.end()) {
        slow->second->pass();
    }
}

bool endsWithBackslash(const std::string& path) {
    return !path.empty() && path.back() == '\\';
}

} // namespace

void FakeFileSystem::addFile(const std::string& path, FileAttributes attributes,
                             std::string contents) {
    attributes.directory = false;
    entries[path] = Entry{attributes, std::move(contents)};
}

void FakeFileSystem::addFolder(const std::string& path, FileAttributes attributes) {
    attributes.directory = true;
    entries[path] = Entry{attributes, {}};
}

std::optional<FileAttributes> FakeFileSystem::findFirst(const std::string& path) const {
    ++scans;
    waitIfSlow(slowPaths, path);
    if (endsWithBackslash(path) || failLookups.count(path) != 0) {
        return std::nullopt; // FindFirstFileW finds nothing for "C:\" or "folder\"
    }
    if (matchPatterns && path.find_first_of("*?") != std::string::npos) {
        for (const auto& [name, entry] : entries) {
            if (wildcardMatch(path.c_str(), name.c_str())) {
                return entry.attributes;
            }
        }
        return std::nullopt;
    }
    const auto found = entries.find(path);
    if (found == entries.end()) {
        return std::nullopt;
    }
    return found->second.attributes;
}

std::optional<FileAttributes> FakeFileSystem::attributes(const std::string& path) const {
    waitIfSlow(slowPaths, path);
    const auto found = entries.find(path);
    if (found == entries.end() || failLookups.count(path) != 0) {
        return std::nullopt;
    }
    return found->second.attributes;
}

ReadResult FakeFileSystem::readFile(const std::string& path) const {
    const auto found = entries.find(path);
    if (found == entries.end()) {
        return {.error = ReadError::Missing};
    }
    if (const auto failing = failReads.find(path); failing != failReads.end()) {
        return {.error = failing->second};
    }
    if (found->second.attributes.directory) {
        return {.error = ReadError::AccessDenied}; // as CreateFileW answers for a folder
    }
    return {.bytes = found->second.contents};
}

WriteResult FakeFileSystem::replaceFile(const std::string& path, std::string_view bytes,
                                        const std::string& temporary) {
    if (entries.count(temporary) != 0) {
        return {.error = WriteError::TemporaryHeld, .keptAt = {}};
    }
    if (failWrites == WriteError::NotMovedIntoPlace) {
        entries.erase(path);
        addFile(temporary, {.lastWrite = ++clock}, std::string(bytes));
        return {.error = failWrites, .keptAt = temporary};
    }
    if (failWrites != WriteError::None || refuseWrites.count(path) != 0) {
        return {.error = refuseWrites.count(path) != 0 ? WriteError::CannotReplace : failWrites,
                .keptAt = {}};
    }
    ++writeCount;
    auto& entry = entries[path];
    entry.attributes.directory = false;
    entry.attributes.lastWrite = ++clock;
    entry.contents.assign(bytes);
    return {};
}

WriteResult FakeFileSystem::createFile(const std::string& path, std::string_view bytes,
                                       const std::string& temporary) {
    if (entries.count(path) != 0) {
        return {.error = WriteError::AlreadyExists, .keptAt = {}};
    }
    return replaceFile(path, bytes, temporary);
}

bool FakeFileSystem::moveFile(const std::string& from, const std::string& to) {
    const auto found = entries.find(from);
    if (found == entries.end() || entries.count(to) != 0 || heldAgainstMoves.count(from) != 0) {
        return false;
    }
    entries[to] = std::move(found->second);
    entries.erase(from);
    return true;
}

bool FakeFileSystem::moveOver(const std::string& from, const std::string& to) {
    if (entries.count(from) == 0 || heldAgainstMoves.count(from) != 0 ||
        heldAgainstMoves.count(to) != 0) {
        return false;
    }
    const auto kept = entries.find(to);
    FileAttributes attributes =
        kept != entries.end() ? kept->second.attributes : entries[from].attributes;
    attributes.lastWrite = entries[from].attributes.lastWrite;
    entries[to] = Entry{attributes, std::move(entries[from].contents)};
    entries.erase(from);
    return true;
}

void FakeFileSystem::waitBeforeRetry() {
    if (++pauses == releaseAfterPauses) {
        failReads.clear();
        heldAgainstMoves.clear();
    }
}

} // namespace miruteka
