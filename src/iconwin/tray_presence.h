// Keeps the tray icon in the notification area: the shell may not be ready when the program
// starts (a logon), and it forgets every icon when it restarts. Without the icon the
// settings window could not be opened, so a failed add is retried for a while and a shell
// restart puts the icon back.
#pragma once

namespace miruteka {

class TrayShell {
  public:
    virtual ~TrayShell() = default;
    virtual bool addIcon() = 0;    // NIM_ADD; true when the shell took the icon
    virtual bool modifyIcon() = 0; // NIM_MODIFY; true when the shell still has the icon
    virtual void deleteIcon() = 0; // NIM_DELETE
};

class TrayPresence {
  public:
    // Tries after a failed add, one per retry tick, before giving up until the next shell
    // restart.
    static constexpr int kRetries = 15;

    explicit TrayPresence(TrayShell& shell) : shell_(shell) {}

    // Adds the icon. True when the caller should schedule retries (the add failed).
    bool AddTrayIcon();
    // One retry tick. True when further retries are wanted.
    bool retryAdd();
    // The shell announced a new taskbar ("TaskbarCreated"). True when retries are wanted.
    bool onTaskbarCreated();
    // Removes the icon; later shell restarts and retries do not bring it back.
    void DeleteTrayIcon();

    bool shown() const { return shown_; }

  private:
    bool startRetries();

    TrayShell& shell_;
    bool wanted_ = false;
    bool shown_ = false;
    int retriesLeft_ = 0;
};

} // namespace miruteka
