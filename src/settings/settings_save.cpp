#include "settings/settings_save.h"

namespace miruteka {

SaveResult saveWorkingCopy(FileSystem& files, const AnsiCodePage& codePage,
                           const std::string& listPath, const SettingsWorkingCopy& copy,
                           LauncherState& state) {
    Settings settings = copy.settings();
    ItemTables items = copy.tables();
    const SaveResult result = writeListFile(files, codePage, listPath, settings, items);
    if (result.saved()) {
        state.settings = settings;
        state.items = std::move(items);
    }
    return result;
}

std::string saveFailureMessage(const SaveResult& result) {
    if (result.status == SaveResult::Status::WriteFailed &&
        result.writeError == WriteError::NotMovedIntoPlace) {
        // The old list may be gone: say where the saved one is, not that nothing changed.
        return "設定は次のファイルに保存しましたが、filelist.txt と置き換えられませんでした。\n\n" +
               result.keptAt +
               "\n\nほかのプログラム（ウイルス対策ソフトなど）が使っていた可能性があります。"
               "もう一度 OK を押してください。うまくいかないときは、ミルテカを終了して、"
               "このファイルの名前を filelist.txt に変えてください。";
    }
    std::string text = "設定を保存できませんでした。filelist.txt は変更されていません。\n\n";
    switch (result.status) {
    case SaveResult::Status::Unrepresentable:
        text += "オプション　" + std::to_string(result.group) + " の " +
                std::to_string(result.row) +
                " 行目の名前かパスに改行が含まれています。改行は保存できません。";
        break;
    case SaveResult::Status::WriteFailed:
        switch (result.writeError) {
        case WriteError::CannotCreateTemporary:
            text +=
                "ミルテカのフォルダーに書き込めません。書き込みできるフォルダーに置いてください。";
            break;
        case WriteError::CannotWrite:
            text += "ファイルを書き込めませんでした。ディスクの空き容量を確認してください。";
            break;
        case WriteError::CannotReplace:
        case WriteError::AlreadyExists:
        case WriteError::NotMovedIntoPlace:
        case WriteError::None:
            text += "filelist.txt を置き換えられません。ほかのプログラムが開いているか、"
                    "読み取り専用になっています。";
            break;
        }
        break;
    case SaveResult::Status::Saved:
        break;
    }
    return text;
}

} // namespace miruteka
