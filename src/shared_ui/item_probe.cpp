#include "shared_ui/item_probe.h"

#include "platform/path_lookup.h"

#include <algorithm>
#include <cctype>

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

std::string volumeOf(const std::string& path) {
    const auto isSlash = [](char c) { return c == '\\' || c == '/'; };
    std::size_t end = std::string::npos;
    if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':') {
        end = 2;
    } else if (path.size() > 2 && isSlash(path[0]) && isSlash(path[1])) {
        // \\server\share: up to the slash after the share's name.
        const auto server = std::find_if(path.begin() + 2, path.end(), isSlash);
        end = static_cast<std::size_t>(
            std::find_if(server == path.end() ? server : server + 1, path.end(), isSlash) -
            path.begin());
    }
    if (end == std::string::npos) {
        return path;
    }
    std::string volume = path.substr(0, end);
    std::transform(volume.begin(), volume.end(), volume.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return volume;
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
    unsent_.push_back(Look{path, iconSize});
    if (batchDepth_ == 0) {
        send();
    }
}

void ItemProbes::send() {
    std::vector<Look> unsent = std::exchange(unsent_, {});
    while (!unsent.empty()) {
        const std::string volume = volumeOf(unsent.front().path);
        std::vector<Look> looks;
        std::erase_if(unsent, [&](Look& look) {
            if (volumeOf(look.path) != volume) {
                return false;
            }
            looks.push_back(std::move(look));
            return true;
        });
        // The work item takes copies and shares the services; its answer finds this object
        // only while it lives.
        work_.run(
            [files = files_, icons = icons_, looks = std::move(looks),
             land = life_.guard([this](const std::string& path, int size, const ItemProbe& probe) {
                 this->land(path, size, probe);
             })]() mutable -> BackgroundWork::Answer {
                auto probes = std::make_shared<std::vector<ItemProbe>>(looks.size());
                for (std::size_t k = 0; k < looks.size(); ++k) {
                    try {
                        (*probes)[k] = probeItem(*files, *icons, looks[k].path, looks[k].iconSize);
                    } catch (...) {
                        // Out of memory in the middle of a look: the path counts as missing, and
                        // the requests waiting for it still get their answer.
                    }
                }
                return [land = std::move(land), looks, probes]() mutable {
                    for (std::size_t k = 0; k < looks.size(); ++k) {
                        land(looks[k].path, looks[k].iconSize, (*probes)[k]);
                    }
                };
            });
    }
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
