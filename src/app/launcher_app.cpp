#include "app/launcher_app.h"

#include "app/global_key.h"
#include "app/settings_window_loader.h"
#include "app/system_events.h"
#include "data/list_startup.h"
#include "data/program_place.h"
#include "iconwin/chain_scale.h"
#include "iconwin/display_change.h"
#include "iconwin/icon_loader.h"
#include "iconwin/startup_placement.h"
#include "iconwin/win32/tray_icon.h"
#include "platform/texts.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/wide_string.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_program_place.h"
#include "toolkit/win32/display_scale.h"

namespace miruteka::win32 {
namespace {

constexpr UINT_PTR kTimer1Id = 1;
// The rest of start-up comes a moment after the icons have been painted: what a window paints
// reaches the screen once its thread waits (under Wine, and with the desktop's compositor),
// and the thread waits this long for the timer.
constexpr UINT_PTR kAfterIconsTimerId = 2;
constexpr UINT kAfterIconsDelay = 50;
// Timer1's interval from creation, kept when the setting is negative.
constexpr unsigned kTimer1FirstInterval = 200;

// From the list file on, a start-up step that fails is skipped and start-up goes on.
template <typename Step> void guarded(Step&& step) {
    try {
        step();
    } catch (...) {
    }
}

} // namespace

LauncherApp::LauncherApp()
    : files_(std::make_shared<Win32FileSystem>()), icons_(std::make_shared<Win32IconApi>()),
      processes_(std::make_shared<Win32ProcessApi>()), probes_(work_, files_, icons_),
      starter_(work_, processes_), startupRegistry_(std::make_shared<Win32StartupRegistry>()),
      // The path it was started by, a link included: the entry then survives an update.
      startWithWindows_(*startupRegistry_, programFile()),
      motion_(state_, pointer_, *this, popupSlot_, desktop_), presence_(state_),
      timerInterval_(kTimer1FirstInterval), loader_(state_, probes_, *this) {
    lookAhead();
    for (int group = 1; group <= kGroupCount; ++group) {
        windows_[group - 1] = std::make_unique<IconWindow>(group);
    }
    windows_[0]->setTimerHandler(kTimer1Id, [this] { motion_.Timer1_Timer(); });
    windows_[0]->setTimerHandler(kAfterIconsTimerId, [this] { finishStartUp(); });
    windows_[0]->setDisplayChangeHandler([this] { displayChanged(); });
}

LauncherApp::~LauncherApp() = default;

bool LauncherApp::Form_Load() {
    // A second instance never gets here: wWinMain ends it first.
    state_.intOpenGroup = 0;
    state_.blnMouseOnIcon = false;
    state_.blnSettingsOpen = false;
    state_.intShownItem.fill(0);

    // Started where the pointer cannot be read (a locked workstation), the chain waits in the
    // middle of the screen rather than in its corner.
    const Point pointer = pointer_.cursorPos().value_or(
        Point{::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2});
    motion_.setLastPointer(pointer);

    // A list that is there but cannot be read is never replaced: the program does not run on
    // an empty list that the next OK would write over it.
    ListStartup list = std::move(firstListStartup_);
    while (list.outcome == ListStartup::Outcome::Unreadable) {
        if (!Win32MessageBoxes().askYesNo(unreadableListQuestion(list))) {
            return false;
        }
        list = startListFile(*files_, codePage_, listFile_, state_.settings, state_.items);
    }
    if (list.outcome == ListStartup::Outcome::CannotCreate) {
        Win32MessageBoxes().showError(formatText(TextId::CannotCreateListMessage, {listFile_}));
        return false;
    }

    optionsFile_ = optionsFilePath(listFolder_);
    guarded([&] { placeIconWindows(pointer); });
    // ICLOAD decides which windows are shown, Form1 included: a group without an icon stays
    // hidden, so no empty window stands under the pointer. A group whose item does not answer
    // at once (an offline share) stays hidden until it does; ICLOAD waits for it a moment
    // only, and nothing after waits for it at all, the tray icon least of all.
    guarded([&] { loader_.ICLOAD(); });
    // The icons are what the user waits for: on the screen before anything else is set up.
    for (int group = 1; group <= kGroupCount; ++group) {
        ::RedrawWindow(iconWindow(group), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    guarded([&] { AddTrayIcon(); });
    guarded([&] { setTimerInterval(state_.settings.intTimerInterval); });
    // Each window, thread and DLL the rest needs costs start-up time; none of it is needed to
    // see the icons.
    if (::SetTimer(iconWindow(1), kAfterIconsTimerId, kAfterIconsDelay, nullptr) == 0) {
        finishStartUp();
    }
    // A first start has every group empty, so no icon window shows: the settings window,
    // where items are added, opens as a tray press would.
    if (list.outcome == ListStartup::Outcome::Created && tray_ != nullptr) {
        guarded([&] { tray_->openSettingsWindow(); });
    }
    return true;
}

void LauncherApp::lookAhead() {
    // The list lives beside the exe a link on the PATH points to, or in the user's profile when
    // that folder cannot take one; the ini beside it.
    Win32ProgramPlaceQueries places;
    listFolder_ = listFolderFor(folderOfPath(realProgramFile(places)), *files_, places);
    listFile_ = listFilePath(listFolder_);
    // Read once, here; Form_Load tells the user what went wrong, if anything did.
    firstListStartup_ = startListFile(*files_, codePage_, listFile_, state_.settings, state_.items);
    const auto pointer = pointer_.cursorPos();
    if (!pointer || firstListStartup_.outcome != ListStartup::Outcome::Loaded) {
        return;
    }
    const int iconSize = chainScaleAt(state_.settings, dpiAt(*pointer)).iconSize;
    for (int group = 1; group <= kGroupCount; ++group) {
        if (const std::string& path = state_.items.path(group, 0); !path.empty()) {
            probes_.request(path, iconSize, [](const ItemProbe&) {});
        }
    }
}

void LauncherApp::finishStartUp() {
    if (startUpFinished_) {
        return;
    }
    startUpFinished_ = true;
    ::KillTimer(iconWindow(1), kAfterIconsTimerId);
    guarded([&] {
        for (auto& window : windows_) {
            window->addTooltip();
        }
    });
    guarded([&] {
        const OptionsStartup options = readOptionsFile(*files_, optionsFile_);
        state_.options = options.options;
        state_.optionsUnreadable = options.unreadable;
    });
    guarded([&] {
        systemEvents_ = std::make_unique<SystemEvents>(SystemEventHandlers{
            .itemsMayHaveReturned = [this] { lookAgainAtHiddenGroups(); },
            .awayChanged = [this](AwayReason reason, bool away) { awayChanged(reason, away); }});
    });
    // A key another program holds leaves the program without one; the settings window says so.
    guarded([&] {
        pauseKey_ = std::make_unique<GlobalKey>([this] { togglePause(); });
        listKey_ = std::make_unique<GlobalKey>([this] {
            if (listKeyPressed_) {
                listKeyPressed_();
            }
        });
        setGlobalKeysActive(!state_.blnSettingsOpen);
    });
    guarded([&] { repointStartupEntry(); });
    if (startedUp_) {
        guarded(startedUp_);
    }
}

void LauncherApp::setStartedUpHandler(std::function<void()> startedUp) {
    startedUp_ = std::move(startedUp);
    if (startUpFinished_ && startedUp_) {
        guarded(startedUp_);
    }
}

void LauncherApp::placeIconWindows(Point pointer) {
    std::array<Point, kGroupCount> before{};
    for (int group = 1; group <= kGroupCount; ++group) {
        const Rect now = frame(group);
        before[group - 1] = Point{now.left, now.top};
    }
    // The chain starts at the scale of the monitor under the pointer.
    const int dpi = dpiAt(pointer);
    const ChainScale scale = chainScaleAt(state_.settings, dpi);
    const auto corners = startupCorners(pointer, scale.settings, before, scale.iconSize);
    for (int group = 1; group <= kGroupCount; ++group) {
        const Point corner = corners[group - 1];
        windows_[group - 1]->resize(scale.iconSize);
        ::SetWindowPos(iconWindow(group), nullptr, corner.x, corner.y, scale.iconSize,
                       scale.iconSize, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    motion_.setChainDpi(dpi);
}

void LauncherApp::repointStartupEntry() {
    // The old path may lie on a share that does not answer: looked at off this thread, and
    // written, if still wanted, back on it.
    work_.run([this, registry = startupRegistry_, files = files_,
               exe = programFile()]() -> BackgroundWork::Answer {
        const auto stale =
            StartWithWindows(*registry, exe).staleCommand([&files](const std::string& path) {
                return files->attributes(path).has_value();
            });
        if (!stale) {
            return {};
        }
        return [this, stale = *stale] { startWithWindows_.repoint(stale); };
    });
}

void LauncherApp::ICLOAD() {
    loader_.ICLOAD();
}

void LauncherApp::lookAgainAtHiddenGroups() {
    if (presence_.looksForItems() && loader_.anyGroupAwaitingItem()) {
        loader_.reprobeHiddenGroups();
    }
}

void LauncherApp::setTimerInterval(int16_t milliseconds) {
    if (const auto interval = timerIntervalToApply(milliseconds)) {
        timerInterval_ = *interval;
    }
    applyTimer();
}

void LauncherApp::applyTimer() {
    if (presence_.timerRuns() && timerInterval_ != 0) {
        ::SetTimer(iconWindow(1), kTimer1Id, timerInterval_, nullptr);
    } else {
        ::KillTimer(iconWindow(1), kTimer1Id);
    }
    if (systemEvents_ != nullptr) {
        systemEvents_->setMinuteLook(presence_.timerRuns());
    }
}

void LauncherApp::togglePause() {
    presence_.togglePause();
    applyTimer();
    if (tray_ != nullptr) {
        tray_->setPaused(presence_.paused());
    }
    if (presence_.paused()) {
        // Nothing ticks to watch the popup any more: it goes with the chain.
        if (popupSlot_.isOpen()) {
            popupSlot_.close();
        }
        state_.intOpenGroup = 0;
        hideIconWindows();
        return;
    }
    if (state_.blnSettingsOpen) {
        return; // the window's closing brings the chain back
    }
    // Back under the pointer wherever it is now, to follow it from there.
    state_.blnMouseOnIcon = false;
    placeChainAfterDisplayChange(state_.settings, pointer_, desktop_, *this, motion_);
    ICLOAD();
}

void LauncherApp::awayChanged(AwayReason reason, bool away) {
    presence_.setAway(reason, away);
    applyTimer();
}

void LauncherApp::setGlobalKeysActive(bool active) {
    if (pauseKey_ != nullptr) {
        pauseKey_->set(active ? state_.options.pauseKey : HotKey{});
    }
    // The pause key wins a key set for both.
    if (listKey_ != nullptr) {
        const HotKey& key = state_.options.listKey;
        listKey_->set(active && key != state_.options.pauseKey ? key : HotKey{});
    }
}

bool LauncherApp::globalKeyAvailable(const HotKey& key) {
    return pauseKey_ != nullptr && pauseKey_->available(key);
}

void LauncherApp::hideIconWindows() {
    // An answer still to come must not show a window again behind the settings window.
    loader_.forgetPending();
    for (int group = 1; group <= kGroupCount; ++group) {
        ::ShowWindow(iconWindow(group), SW_HIDE);
    }
}

void LauncherApp::quit() {
    Form_Unload();
    ::KillTimer(iconWindow(1), kTimer1Id);
    hideIconWindows();
    // The windows themselves go with this object, after the message loop has ended and
    // whatever was registered on them has been taken off.
    ::PostQuitMessage(0);
}

void LauncherApp::setIconWindowEvents(IconWindowEvents* events) {
    for (auto& window : windows_) {
        window->setEvents(events);
    }
}

void LauncherApp::AddTrayIcon() {
    settingsWindow_ = std::make_unique<SettingsWindowLoader>(
        SettingsWindowContext{.state = state_,
                              .host = *this,
                              .files = *files_,
                              .codePage = codePage_,
                              .probes = probes_,
                              .listPath = listFile_,
                              .optionsPath = optionsFile_,
                              .startWithWindows = &startWithWindows_});
    // The settings window shows and changes what the rest of start-up reads and registers.
    settingsWindow_->setBeforeOpening([this] { finishStartUp(); });
    tray_ = std::make_unique<TrayIcon>(state_, *this, *settingsWindow_);
    tray_->AddTrayIcon();
    // The hidden callback window owns the settings window, which keeps it off the taskbar.
    settingsWindow_->setOwner(tray_->callbackWindow());
}

void LauncherApp::Form_Unload() {
    if (tray_ != nullptr) {
        tray_->DeleteTrayIcon();
    }
}

Rect LauncherApp::frame(int group) const {
    RECT rect{};
    ::GetWindowRect(iconWindow(group), &rect);
    return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

bool LauncherApp::isVisible(int group) const {
    return ::IsWindowVisible(iconWindow(group)) != FALSE;
}

void LauncherApp::moveTopmost(int group, Point topLeft) {
    ::SetWindowPos(iconWindow(group), HWND_TOPMOST, topLeft.x, topLeft.y, 0, 0,
                   SWP_NOSIZE | SWP_FRAMECHANGED | SWP_NOACTIVATE);
}

void LauncherApp::show(int group) {
    if (presence_.chainShows()) {
        ::ShowWindow(iconWindow(group), SW_SHOWNOACTIVATE);
    }
}

void LauncherApp::hide(int group) {
    ::ShowWindow(iconWindow(group), SW_HIDE);
}

int LauncherApp::dpiAt(Point screenPoint) const {
    return win32::dpiAt(POINT{screenPoint.x, screenPoint.y});
}

void LauncherApp::setIconSize(int pixels) {
    for (auto& window : windows_) {
        window->resize(pixels);
    }
    // The icons at the new size come off this thread; the old ones stay, stretched, until
    // they do.
    loader_.redrawIcons();
}

Picture& LauncherApp::picture(int group) {
    return windows_[group - 1]->picture();
}

void LauncherApp::setTooltip(int group, const std::string& text) {
    windows_[group - 1]->setTooltip(toWide(text));
}

void LauncherApp::setVisible(int group, bool visible) {
    // ICLOAD and its late answers decide which windows show, once the chain may show at all.
    ::ShowWindow(iconWindow(group),
                 visible && presence_.chainShows() ? SW_SHOWNOACTIVATE : SW_HIDE);
}

} // namespace miruteka::win32
