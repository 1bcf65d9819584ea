#include "settings/settings_save.h"

#include "platform/texts.h"

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
        return formatText(TextId::SavedElsewhereMessage, {result.keptAt});
    }
    std::string reason;
    switch (result.status) {
    case SaveResult::Status::Unrepresentable:
        reason = formatText(TextId::UnsavableCharacterMessage,
                            {std::to_string(result.group), std::to_string(result.row)});
        break;
    case SaveResult::Status::UnreadableKept:
        reason = formatText(TextId::UnreadableKeptMessage,
                            {std::to_string(result.group), std::to_string(result.row)});
        break;
    case SaveResult::Status::WriteFailed:
        switch (result.writeError) {
        case WriteError::CannotCreateTemporary:
            reason = text(TextId::CannotWriteFolderMessage);
            break;
        case WriteError::CannotWrite:
            reason = text(TextId::CannotWriteFileMessage);
            break;
        case WriteError::TemporaryHeld:
            // It may hold the last save: not written over, and not bypassed either.
            reason = formatText(TextId::TemporaryHeldMessage, {result.keptAt});
            break;
        case WriteError::CannotReplace:
        case WriteError::AlreadyExists:
        case WriteError::NotMovedIntoPlace:
        case WriteError::None:
            reason = text(TextId::CannotReplaceListMessage);
            break;
        }
        break;
    case SaveResult::Status::Saved:
        break;
    }
    return std::string(text(TextId::NotSavedMessage)) + "\n\n" + reason;
}

} // namespace miruteka
