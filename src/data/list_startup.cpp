#include "data/list_startup.h"

#include "platform/texts.h"

namespace miruteka {
namespace {

ListStartup unreadable(const std::string& file, ReadResult read) {
    if (read.ok()) {
        read.error = ReadError::Held; // read, but in use and not to be replaced
    }
    read.bytes.clear();
    return ListStartup{.outcome = ListStartup::Outcome::Unreadable,
                       .file = file,
                       .read = std::move(read),
                       .created = {},
                       .fromTemporary = false};
}

} // namespace

ListStartup startListFile(FileSystem& files, const AnsiCodePage& codePage, const std::string& path,
                          Settings& settings, ItemTables& items) {
    using Fate = LeftoverTemporary::Fate;
    const std::string temporary = temporaryPathFor(path);
    const LeftoverTemporary leftover =
        settleLeftoverTemporary(files, temporary, path, kListFileFormat);
    if (leftover.fate == Fate::Unreadable) {
        return unreadable(temporary, leftover.read);
    }
    if (leftover.fate == Fate::Held && leftover.whole) {
        // The user's last OK, held where it is: used as the list, and the next save puts it
        // in place before it writes.
        decodeListFile(codePage, leftover.read.bytes, settings, items);
        return ListStartup{.fromTemporary = true};
    }
    const bool listThere = listFileExists(files, path);
    if (leftover.fate == Fate::Held && !listThere) {
        // A cut-short one that cannot be kept aside: the defaults are not written past it.
        return unreadable(temporary, leftover.read);
    }
    ListStartup startup;
    if (!listThere) {
        startup.created = createDefaultListFile(files, codePage, path);
        if (!startup.created.saved()) {
            startup.outcome = ListStartup::Outcome::CannotCreate;
            return startup;
        }
        if (startup.created.created) {
            startup.outcome = ListStartup::Outcome::Created;
        }
    }
    const ReadResult read = readRetrying(files, path);
    if (!read.ok()) {
        return unreadable(path, read);
    }
    decodeListFile(codePage, read.bytes, settings, items);
    return startup;
}

std::string unreadableListQuestion(const ListStartup& startup) {
    std::string reason;
    switch (startup.read.error) {
    case ReadError::Held:
        reason = text(TextId::ListHeldReason);
        break;
    case ReadError::AccessDenied:
        reason = text(TextId::ListAccessDeniedReason);
        break;
    case ReadError::NotAvailable:
        reason = text(TextId::ListOfflineReason);
        break;
    case ReadError::Missing:
        reason = text(TextId::ListMissingReason);
        break;
    case ReadError::Other:
    case ReadError::None:
        reason = formatText(TextId::ListReadErrorReason, {std::to_string(startup.read.code)});
        break;
    }
    return formatText(TextId::UnreadableListMessage, {startup.file, reason});
}

} // namespace miruteka
