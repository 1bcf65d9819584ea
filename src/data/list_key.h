// The list key: pressed anywhere, it opens group 1's list under the pointer.
#pragma once

#include "data/hot_key.h"
#include "data/options_file.h"

namespace miruteka {

// Alt+Shift+Z: the left hand alone, thumb on Alt, little finger on Shift, Z under the ring
// finger, one key left of the pause key's X. Windows takes no Alt+Shift+letter for itself
// (Alt+Shift alone switches the keyboard layout, and only when no key comes between), and
// the common programs leave it free, unlike Ctrl+Shift with the letters around it (Redo,
// reopen tab, find in files, ...). The Alt let go after it reaches the list the key opened,
// which has no menu to wake.
inline constexpr HotKey kDefaultListKey{'Z', false, true, true};

// What miruteka.ini holds, with the list key beside it until the file keeps that too.
struct LauncherOptions : Options {
    HotKey listKey = kDefaultListKey;

    LauncherOptions& operator=(const Options& read) {
        static_cast<Options&>(*this) = read;
        return *this;
    }
};

} // namespace miruteka
