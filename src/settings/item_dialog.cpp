#include "settings/item_dialog.h"

#include "platform/texts.h"
#include "settings/dropped_files.h"

namespace miruteka {

void ItemConfirmation::confirm(const ItemFields& typed, std::function<void()> close) {
    if (checking_) {
        return;
    }
    checking_ = true;
    probes_.request(typed.path, 0,
                    life_.guard([this, typed, close = std::move(close)](const ItemProbe& probe) {
                        checking_ = false;
                        if (!probe.exists) {
                            messages_.showError(text(TextId::MissingFileMessage));
                            return;
                        }
                        host_.acceptItem(typed.name, typed.path);
                        close();
                    }));
}

ItemFields fieldsForChosenFile(const std::string& path) {
    return {nameAfterLastBackslash(path), path};
}

} // namespace miruteka
