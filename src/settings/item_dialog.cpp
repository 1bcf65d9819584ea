#include "settings/item_dialog.h"

#include "platform/texts.h"
#include "settings/dropped_files.h"

namespace miruteka {

void ItemConfirmation::confirm(const ItemFields& typed, std::function<void()> close) {
    if (checking_) {
        return;
    }
    checking_ = true;
    const std::uint32_t check = ++check_;
    probes_.request(
        typed.path, 0,
        life_.guard([this, check, typed, close = std::move(close)](const ItemProbe& probe) {
            if (check != check_) {
                return; // the texts have changed since
            }
            checking_ = false;
            if (!probe.exists) {
                messages_.showError(text(TextId::MissingFileMessage));
                return;
            }
            host_.acceptItem(typed.name, typed.path);
            close();
        }),
        ItemProbes::Asker::Person);
}

void ItemConfirmation::edited() {
    ++check_;
    checking_ = false;
}

ItemFields fieldsForChosenFile(const std::string& path) {
    return {nameAfterLastBackslash(path), path};
}

} // namespace miruteka
