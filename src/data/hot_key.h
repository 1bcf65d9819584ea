// A key with its modifiers, as the pause key is kept: the virtual-key code and the Ctrl,
// Shift and Alt keys held with it. Its text ("Ctrl+Shift+X") is what miruteka.ini holds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace miruteka {

struct HotKey {
    std::uint8_t virtualKey = 0; // 0: no key
    bool ctrl = false;
    bool shift = false;
    bool alt = false;

    bool none() const { return virtualKey == 0; }
    friend bool operator==(const HotKey&, const HotKey&) = default;
};

// Pressed with the left hand while the right one is on the mouse, and taken by no shortcut
// of Windows itself.
inline constexpr HotKey kDefaultPauseKey{'X', true, true, false};

// The list key, which opens group 1's list under the pointer: Alt+Shift+Z, the left hand
// alone, thumb on Alt, little finger on Shift, Z under the ring finger, one key left of the
// pause key's X. Windows takes no Alt+Shift+letter for itself (Alt+Shift alone switches the
// keyboard layout, and only when no key comes between), and the common programs leave it
// free, unlike Ctrl+Shift with the letters around it (Redo, reopen tab, find in files, ...).
// The Alt let go after it reaches the list the key opened, which has no menu to wake.
inline constexpr HotKey kDefaultListKey{'Z', false, true, true};

// Whether a key may be taken from every other program: it needs Ctrl or Alt (a bare key or
// Shift+key would stop that character from being typed), and Ctrl+Alt alone is AltGr, which
// types characters on many keyboards.
bool usableAsGlobalKey(const HotKey& key);

// "Ctrl+Shift+X", "Alt+F9", "Ctrl+#BA" (a key without a name, by its code); "" for none.
std::string hotKeyText(const HotKey& key);
// The reverse, with any case and blanks around the parts; "" is no key. Nothing when the
// text names no key, or one that usableAsGlobalKey refuses.
std::optional<HotKey> parseHotKey(std::string_view text);

} // namespace miruteka
