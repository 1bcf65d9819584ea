#include "shared_ui/item_probe.h"

#include "platform/path_lookup.h"

#include <algorithm>

namespace miruteka {

ItemProbe probeItem(const FileSystem& files, IconApi& icons, const std::string& path,
                    int iconSize) {
    ItemProbe probe;
    // The lookup that includes folders finds every visible file the files-only lookup finds,
    // and what it finds beyond those is a folder, so one lookup decides both.
    probe.exists = pathExists(files, path, LookupKind::FilesAndFolders);
    if (probe.exists && iconSize > 0) {
        probe.icon = extractItemIcon(icons, path, iconSize);
    }
    return probe;
}

ItemProbes::ItemProbes(BackgroundWork& work, std::shared_ptr<const FileSystem> files,
                       std::shared_ptr<IconApi> icons)
    : work_(work), files_(std::move(files)), icons_(std::move(icons)) {}

void ItemProbes::request(const std::string& path, int iconSize, Answer answer) {
    const auto joinable = std::find_if(flights_.begin(), flights_.end(), [&](const Flight& f) {
        return f.path == path && (f.iconSize == iconSize || iconSize == 0);
    });
    if (joinable != flights_.end()) {
        joinable->waiting.push_back(std::move(answer));
        return;
    }
    flights_.push_back(Flight{path, iconSize, {}});
    flights_.back().waiting.push_back(std::move(answer));
    // The work item takes copies and shares the services; its answer finds this object
    // only while it lives.
    work_.run([files = files_, icons = icons_, path, iconSize,
               land = life_.guard([this](const std::string& p, int size, const ItemProbe& probe) {
                   this->land(p, size, probe);
               })]() mutable -> BackgroundWork::Answer {
        auto probe = std::make_shared<ItemProbe>();
        try {
            *probe = probeItem(*files, *icons, path, iconSize);
        } catch (...) {
            // Out of memory in the middle of a look: the path counts as missing, and the
            // requests waiting for it still get their answer.
        }
        return [land = std::move(land), path, iconSize, probe]() mutable {
            land(path, iconSize, *probe);
        };
    });
}

void ItemProbes::land(const std::string& path, int iconSize, const ItemProbe& probe) {
    const auto flight = std::find_if(flights_.begin(), flights_.end(), [&](const Flight& f) {
        return f.path == path && f.iconSize == iconSize;
    });
    if (flight == flights_.end()) {
        return;
    }
    // Taken out first: an answer may well ask again.
    std::vector<Answer> waiting = std::move(flight->waiting);
    flights_.erase(flight);
    for (Answer& answer : waiting) {
        answer(probe);
    }
}

} // namespace miruteka
