// Every text the program shows, in Japanese and in English, looked up by one function. The
// language is chosen once at start-up (Japanese where the user's display language is
// Japanese, English everywhere else) before any window opens.
//
// Adding a text: one id below, one line in each language's table (texts.cpp), in the same
// place. Texts shown in a control come before kFirstMessage, texts that wrap or need no room
// (message boxes, titles of message boxes, the file dialog's filter) after it.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace miruteka {

enum class Language { Japanese, English };

enum class TextId : int {
    // The settings window.
    SettingsCaption,
    GroupCaption, // {1}: the group's number
    OkButton,
    CancelButton,
    QuitButton,
    AddButton,
    DeleteButton,
    EditButton,
    MoveDownButton,
    MoveUpButton,
    AboutButton,
    TimerIntervalLabel,
    MoveThresholdLabel,
    MouseGapLabel,
    IconGapLabel,
    UnlockDistanceLabel,
    NameColumn,
    PathColumn,
    // The item dialog.
    ItemDialogCaption,
    ItemNameLabel,
    ItemPathLabel,
    BrowseButton,
    // The item list popup.
    LeftClickHint,
    RightClickHint,
    // The about window.
    AboutCaption,
    AboutTitle, // {1}: the version
    AuthorLabel,
    AuthorName,
    HomepageLabel,
    HelpPageLink, // the homepage link when the build names no homepage
    MailLabel,
    NoMailAddress,
    ListFolderLink, // opens the folder where the list is kept
    HelpButton,
    CloseButton,
    // The tray icon's tip.
    TrayTip,
    TrayPausedTip,
    // The settings window's pause key.
    PauseKeyLabel,
    PauseKeyUnavailable,
    PauseKeyIniUnreadable, // beside the key, when miruteka.ini could not be read at start-up
    // The settings window's list key, beside the pause key (its note is the pause key's).
    ListKeyLabel,
    // The settings window's start box.
    StartWithWindowsBox,

    kFirstMessage,
    ErrorTitle = kFirstMessage,
    ConfirmTitle,
    AllFilesFilter,
    MissingFileMessage,
    BlankRowMessage,
    GridFullMessage,
    DeleteQuestion, // {1}: the row's name
    QuitQuestion,
    SavedElsewhereMessage, // {1}: where the settings were saved
    NotSavedMessage,
    UnsavableCharacterMessage, // {1}: the group, {2}: the row
    UnreadableKeptMessage,     // {1}: the group, {2}: the row
    CannotWriteFolderMessage,
    CannotWriteFileMessage,
    CannotReplaceListMessage,
    CannotCreateListMessage, // {1}: the list file's path
    CannotStartMessage,
    TemporaryHeldMessage,  // {1}: the temporary another program holds
    UnreadableListMessage, // {1}: the file, {2}: why it cannot be read
    ListHeldReason,
    ListAccessDeniedReason,
    ListOfflineReason,
    ListMissingReason,
    ListReadErrorReason, // {1}: the system's error number
    PauseKeyNotSavedMessage,
    StartupNotSavedMessage,

    kCount
};

inline constexpr int kTextCount = static_cast<int>(TextId::kCount);

// The language of every text from now on; Japanese until set.
void useLanguage(Language language);
Language currentLanguage();

// The text in the current language, UTF-8.
const char* text(TextId id);
const char* textIn(Language language, TextId id);

// The text with {1}, {2}, ... replaced by the arguments in order.
std::string formatText(TextId id, std::initializer_list<std::string_view> arguments);

} // namespace miruteka
