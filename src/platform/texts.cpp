#include "platform/texts.h"

#include <array>

namespace miruteka {
namespace {

struct Entry {
    TextId id;
    const char* text;
};
using Table = std::array<Entry, kTextCount>;

constexpr Table kJapanese{{
    {TextId::SettingsCaption, "ミルテカ設定"},
    {TextId::GroupCaption, "オプション　{1}"},
    {TextId::OkButton, "OK"},
    {TextId::CancelButton, "キャンセル"},
    {TextId::QuitButton, "終了"},
    {TextId::AddButton, "追加"},
    {TextId::DeleteButton, "削除"},
    {TextId::EditButton, "編集"},
    {TextId::MoveDownButton, "▼　下へ移動"},
    {TextId::MoveUpButton, "▲　上へ移動"},
    {TextId::AboutButton, "バージョン"},
    {TextId::TimerIntervalLabel, "タイマー間隔"},
    {TextId::MoveThresholdLabel, "アイコンが動く最小マウス移動距離"},
    {TextId::MouseGapLabel, "マウスとアイコンの離れ具合"},
    {TextId::IconGapLabel, "アイコン同士の離れ具合"},
    {TextId::UnlockDistanceLabel, "ロックを解除するマウス移動距離"},
    {TextId::NameColumn, "名前"},
    {TextId::PathColumn, "パス"},
    {TextId::ItemDialogCaption, "ミルテカ　ファイル選択"},
    {TextId::ItemNameLabel, "名前"},
    {TextId::ItemPathLabel, "パス"},
    {TextId::BrowseButton, "参照"},
    {TextId::LeftClickHint, "左クリック・・・アイコンの実行"},
    {TextId::RightClickHint, "右クリック・・・表示アイコンの変更"},
    {TextId::AboutCaption, "バージョン情報"},
    {TextId::AboutTitle, "ミルテカ　Ver {1}"},
    {TextId::AuthorLabel, "作者　："},
    {TextId::AuthorName, "ミルテカ開発チーム"},
    {TextId::HomepageLabel, "ホームページ　："},
    {TextId::HelpPageLink, "ヘルプページ"},
    {TextId::MailLabel, "メール　："},
    {TextId::NoMailAddress, "なし"},
    {TextId::ListFolderLink, "一覧の保存先を開く"},
    {TextId::HelpButton, "ヘルプ"},
    {TextId::CloseButton, "閉じる"},
    {TextId::TrayTip, "ミルテカ"},
    {TextId::TrayPausedTip, "ミルテカ（一時停止中）"},
    {TextId::PauseKeyLabel, "一時停止キー"},
    {TextId::PauseKeyUnavailable, "登録できません"},
    {TextId::PauseKeyIniUnreadable, "ini を読めません"},
    {TextId::ListKeyLabel, "一覧キー"},
    {TextId::StartWithWindowsBox, "Windows の起動時に開始する"},
    {TextId::ErrorTitle, "エラー"},
    {TextId::ConfirmTitle, "確認"},
    {TextId::AllFilesFilter, "すべてのファイル (*.*)"},
    {TextId::MissingFileMessage, "ファイルが存在しません。"},
    {TextId::BlankRowMessage, "空欄の行は編集できません。"},
    {TextId::GridFullMessage, "これ以上追加できません。"},
    {TextId::DeleteQuestion, "{1}を削除しますか？"},
    {TextId::QuitQuestion, "ミルテカを終了しますか？"},
    {TextId::SavedElsewhereMessage,
     "設定は次のファイルに保存しましたが、filelist.txt と置き換えられませんでした。\n\n{1}\n\n"
     "ほかのプログラム（ウイルス対策ソフトなど）が使っていた可能性があります。もう一度 OK "
     "を押してください。うまくいかないときは、ミルテカを終了して、このファイルの名前を "
     "filelist.txt に変えてください。"},
    {TextId::NotSavedMessage, "設定を保存できませんでした。filelist.txt は変更されていません。"},
    {TextId::UnsavableCharacterMessage,
     "オプション　{1} の {2} 行目の名前かパスに改行が含まれています。改行は保存できません。"},
    {TextId::UnreadableKeptMessage,
     "オプション　{1} の {2} 行目の名前かパスには、この Windows では読めない文字があります。"
     "ほかの項目のために設定ファイルを UTF-8 で保存すると、その文字が失われます。その項目の"
     "名前とパスを入力し直すか、ほかの項目からこの Windows で使えない文字を除いてください。"},
    {TextId::CannotWriteFolderMessage,
     "ミルテカのフォルダーに書き込めません。書き込みできるフォルダーに置いてください。"},
    {TextId::CannotWriteFileMessage,
     "ファイルを書き込めませんでした。ディスクの空き容量を確認してください。"},
    {TextId::CannotReplaceListMessage,
     "filelist.txt を置き換えられません。ほかのプログラムが開いているか、読み取り専用になってい"
     "ます。"},
    {TextId::CannotCreateListMessage,
     "設定ファイルを作成できないため、ミルテカを起動できません。\n\n{1}\n\nミルテカは自分のフォ"
     "ルダーに filelist.txt を置きます。書き込みのできるフォルダーにミルテカを置いてください。"},
    {TextId::CannotStartMessage, "ミルテカを起動できません。"},
    {TextId::TemporaryHeldMessage,
     "ほかのプログラムが {1} を使っています。このファイルには前回保存した設定が入っていることが"
     "あるため、そのままにしています。しばらくしてから、もう一度 OK を押してください。"},
    {TextId::UnreadableListMessage, "設定ファイルを読み込めません。\n\n{1}\n\n{2}"
                                    "\n\nもう一度読み込みますか？\n「いいえ」を選ぶと、"
                                    "設定ファイルには何も書き込まずにミルテカを終了します。"},
    {TextId::ListHeldReason, "ほかのプログラムがこのファイルを使っています。"},
    {TextId::ListAccessDeniedReason, "このファイルを読む権限がありません。"},
    {TextId::ListOfflineReason, "このファイルはオンラインにしかないため、今は読み込めません。"},
    {TextId::ListMissingReason, "このファイルが見つかりません。"},
    {TextId::ListReadErrorReason, "読み込み中にエラーが起きました（エラー番号 {1}）。"},
    {TextId::PauseKeyNotSavedMessage, "一時停止キーを保存できませんでした。miruteka.ini "
                                      "に書き込めません。\n\nほかの設定は保存しました。"},
    {TextId::StartupNotSavedMessage, "Windows の起動時に開始する設定を保存できませんでした。"},
}};

constexpr Table kEnglish{{
    {TextId::SettingsCaption, "Miruteka settings"},
    {TextId::GroupCaption, "Group {1}"},
    {TextId::OkButton, "OK"},
    {TextId::CancelButton, "Cancel"},
    {TextId::QuitButton, "Quit"},
    {TextId::AddButton, "Add…"},
    {TextId::DeleteButton, "Delete"},
    {TextId::EditButton, "Edit…"},
    {TextId::MoveDownButton, "Move down"},
    {TextId::MoveUpButton, "Move up"},
    {TextId::AboutButton, "About"},
    {TextId::TimerIntervalLabel, "Timer interval (ms)"},
    {TextId::MoveThresholdLabel, "Mouse travel before icons move"},
    {TextId::MouseGapLabel, "Distance from mouse to icons"},
    {TextId::IconGapLabel, "Distance between icons"},
    {TextId::UnlockDistanceLabel, "Mouse travel to unlock icons"},
    {TextId::NameColumn, "Name"},
    {TextId::PathColumn, "Path"},
    {TextId::ItemDialogCaption, "Miruteka: choose an item"},
    {TextId::ItemNameLabel, "Name:"},
    {TextId::ItemPathLabel, "Path:"},
    {TextId::BrowseButton, "Browse…"},
    {TextId::LeftClickHint, "Left click: start the item"},
    {TextId::RightClickHint, "Right click: show its icon"},
    {TextId::AboutCaption, "About Miruteka"},
    {TextId::AboutTitle, "Miruteka version {1}"},
    {TextId::AuthorLabel, "Author:"},
    {TextId::AuthorName, "The Miruteka team"},
    {TextId::HomepageLabel, "Home page:"},
    {TextId::HelpPageLink, "Help page"},
    {TextId::MailLabel, "Email:"},
    {TextId::NoMailAddress, "None"},
    {TextId::ListFolderLink, "Open the list's folder"},
    {TextId::HelpButton, "Help"},
    {TextId::CloseButton, "Close"},
    {TextId::TrayTip, "Miruteka"},
    {TextId::TrayPausedTip, "Miruteka (paused)"},
    {TextId::PauseKeyLabel, "Pause key"},
    {TextId::PauseKeyUnavailable, "Unavailable"},
    {TextId::PauseKeyIniUnreadable, "ini unreadable"},
    {TextId::ListKeyLabel, "List key"},
    {TextId::StartWithWindowsBox, "Start with Windows"},
    {TextId::ErrorTitle, "Error"},
    {TextId::ConfirmTitle, "Confirm"},
    {TextId::AllFilesFilter, "All files (*.*)"},
    {TextId::MissingFileMessage, "The file or folder does not exist."},
    {TextId::BlankRowMessage, "A blank row cannot be edited."},
    {TextId::GridFullMessage, "No more items can be added."},
    {TextId::DeleteQuestion, "Delete \"{1}\"?"},
    {TextId::QuitQuestion, "Quit Miruteka?"},
    {TextId::SavedElsewhereMessage,
     "The settings were saved to this file, but it could not replace filelist.txt:\n\n{1}\n\n"
     "Another program (an antivirus program, for example) may have been using it. Click OK "
     "again. If that does not help, quit Miruteka and rename this file to filelist.txt."},
    {TextId::NotSavedMessage, "The settings could not be saved. filelist.txt has not changed."},
    {TextId::UnsavableCharacterMessage,
     "The name or path in row {2} of group {1} contains a line break. Line breaks cannot be "
     "saved."},
    {TextId::UnreadableKeptMessage,
     "The name or path in row {2} of group {1} holds characters that this Windows cannot read. "
     "Another item needs the settings file to be saved in UTF-8, which would lose them. Type "
     "that item's name and path again, or remove from the other items the characters this "
     "Windows cannot hold."},
    {TextId::CannotWriteFolderMessage,
     "Miruteka cannot write to its folder. Put it in a folder you can write to."},
    {TextId::CannotWriteFileMessage, "The file could not be written. Check the free disk space."},
    {TextId::CannotReplaceListMessage,
     "filelist.txt cannot be replaced. Another program has it open, or it is read-only."},
    {TextId::CannotCreateListMessage,
     "Miruteka cannot start: it cannot create its settings file\n\n{1}\n\nMiruteka keeps "
     "filelist.txt in its own folder. Put Miruteka in a folder you can write to."},
    {TextId::CannotStartMessage, "Miruteka cannot start."},
    {TextId::TemporaryHeldMessage,
     "Another program is using {1}. It may hold the settings saved last time, so it has been "
     "left as it is. Wait a moment, then click OK again."},
    {TextId::UnreadableListMessage,
     "Miruteka cannot read its settings file\n\n{1}\n\n{2}\n\nTry again?\nIf you choose No, "
     "Miruteka quits without writing anything to its settings file."},
    {TextId::ListHeldReason, "Another program is using this file."},
    {TextId::ListAccessDeniedReason, "You do not have permission to read this file."},
    {TextId::ListOfflineReason, "This file is only available online and cannot be read now."},
    {TextId::ListMissingReason, "This file cannot be found."},
    {TextId::ListReadErrorReason, "An error occurred while reading it (error {1})."},
    {TextId::PauseKeyNotSavedMessage,
     "The pause key could not be saved: miruteka.ini cannot be written.\n\nThe other settings "
     "were saved."},
    {TextId::StartupNotSavedMessage, "The 'Start with Windows' setting could not be saved."},
}};

// Each table lists every text once, in the order of the ids, so a text missing from one
// language or out of place does not build.
constexpr bool inIdOrder(const Table& table) {
    for (int i = 0; i < kTextCount; ++i) {
        if (static_cast<int>(table[i].id) != i || table[i].text == nullptr) {
            return false;
        }
    }
    return true;
}
static_assert(inIdOrder(kJapanese));
static_assert(inIdOrder(kEnglish));

Language chosen = Language::Japanese;

} // namespace

void useLanguage(Language language) {
    chosen = language;
}

Language currentLanguage() {
    return chosen;
}

const char* textIn(Language language, TextId id) {
    const Table& table = language == Language::Japanese ? kJapanese : kEnglish;
    return table[static_cast<int>(id)].text;
}

const char* text(TextId id) {
    return textIn(chosen, id);
}

std::string formatText(TextId id, std::initializer_list<std::string_view> arguments) {
    const std::string_view pattern = text(id);
    std::string result;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const size_t number = i + 2 < pattern.size() && pattern[i] == '{' && pattern[i + 2] == '}'
                                  ? static_cast<size_t>(pattern[i + 1] - '1')
                                  : arguments.size();
        if (number < arguments.size()) {
            result += arguments.begin()[number];
            i += 2;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

} // namespace miruteka
