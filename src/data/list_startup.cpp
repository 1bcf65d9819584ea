#include "data/list_startup.h"

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
    const LeftoverTemporary leftover = settleLeftoverTemporary(files, path);
    const std::string temporary = temporaryPathFor(path);
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
    std::string text = "設定ファイルを読み込めません。\n\n" + startup.file + "\n\n";
    switch (startup.read.error) {
    case ReadError::Held:
        text += "ほかのプログラムがこのファイルを使っています。";
        break;
    case ReadError::AccessDenied:
        text += "このファイルを読む権限がありません。";
        break;
    case ReadError::NotAvailable:
        text += "このファイルはオンラインにしかないため、今は読み込めません。";
        break;
    case ReadError::Missing:
        text += "このファイルが見つかりません。";
        break;
    case ReadError::Other:
    case ReadError::None:
        text += "読み込み中にエラーが起きました（エラー番号 " + std::to_string(startup.read.code) +
                "）。";
        break;
    }
    return text +
           "\n\nもう一度読み込みますか？\n「いいえ」を選ぶと、設定ファイルには何も書き込まずに"
           "ミルテカを終了します。";
}

} // namespace miruteka
