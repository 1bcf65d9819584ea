#include "shared_ui/item_probe.h"

#include "platform/path_lookup.h"

#include <algorithm>

namespace miruteka {
namespace {

// What a look found, with the icon service that made its icon: whichever thread drops the
// answer last (the user-interface thread, or the work thread when the program has quit
// meanwhile), the icon is destroyed while the service is still there.
struct Landed {
    std::shared_ptr<IconApi> icons; // declared first, so destroyed after the probe
    ItemProbe probe;
};

} // namespace

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
                       std::shared_ptr<IconApi> icons, Clock now)
    : work_(work), files_(std::move(files)), icons_(std::move(icons)), now_(std::move(now)) {}

void ItemProbes::request(const std::string& path, int iconSize, Answer answer, Asker asker) {
    const auto now = now_();
    const auto oldest = asker == Asker::Person ? std::chrono::steady_clock::duration(kFreshLookAge)
                                               : kAbandonedLookAge;
    const auto joinable = std::find_if(flights_.begin(), flights_.end(), [&](const Flight& f) {
        return f.path == path && (f.iconSize == iconSize || iconSize == 0) &&
               now - f.started < oldest;
    });
    if (joinable != flights_.end()) {
        joinable->waiting.push_back(std::move(answer));
        return;
    }
    Flight flight{++lastId_, path, iconSize, now, {}};
    // A look for the same that is too old to join hands its waiters over to this one and is
    // forgotten: they get the fresher answer, and its own answer, should it ever come, is
    // dropped.
    const auto stale = std::find_if(flights_.begin(), flights_.end(), [&](const Flight& f) {
        return f.path == path && f.iconSize == iconSize;
    });
    if (stale != flights_.end()) {
        flight.waiting = std::move(stale->waiting);
        flights_.erase(stale);
    }
    flight.waiting.push_back(std::move(answer));
    flights_.push_back(std::move(flight));
    send(flights_.back());
}

// One work item a look, so each answers as soon as it ends: a folder link into an offline
// share holds up its own item only, not the others on its drive. The threads stay few: one
// a path being looked at, however often it is asked for (see request).
void ItemProbes::send(const Flight& flight) {
    // The work item takes copies and shares the services; its answer finds this object only
    // while it lives. Inline background work lands the answer, and drops the flight, within
    // run().
    work_.run([files = files_, icons = icons_, id = flight.id, path = flight.path,
               iconSize = flight.iconSize,
               land = life_.guard([this](std::uint64_t look, const ItemProbe& probe) {
                   this->land(look, probe);
               })]() mutable -> BackgroundWork::Answer {
        auto landed = std::make_shared<Landed>();
        landed->icons = icons;
        try {
            landed->probe = probeItem(*files, *icons, path, iconSize);
        } catch (...) {
            // Out of memory in the middle of a look: the path counts as missing, and the
            // requests waiting for it still get their answer.
        }
        return [land = std::move(land), id, landed]() mutable { land(id, landed->probe); };
    });
}

void ItemProbes::land(std::uint64_t id, const ItemProbe& probe) {
    const auto flight =
        std::find_if(flights_.begin(), flights_.end(), [&](const Flight& f) { return f.id == id; });
    if (flight == flights_.end()) {
        return; // taken over by a fresher look
    }
    // Taken out first: an answer may well ask again.
    std::vector<Answer> waiting = std::move(flight->waiting);
    flights_.erase(flight);
    for (Answer& answer : waiting) {
        answer(probe);
    }
}

} // namespace miruteka
