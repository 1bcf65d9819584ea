// A look at an item's path, off the user-interface thread: whether the path names an existing
// visible file or a folder and, when asked, its icon. Every window that shows whether an item
// exists (the icon windows, the settings preview, the item dialog) asks through this one
// service, so a share that does not answer holds up none of them.
#pragma once

#include "platform/background_work.h"
#include "platform/files.h"
#include "platform/icons.h"
#include "platform/life_token.h"
#include "shared_ui/item_icon.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace miruteka {

// How long a window waits for a look before it goes on without the answer: long enough for
// any local disk, so local items show exactly as if the window had looked itself.
inline constexpr std::chrono::milliseconds kQuickAnswerWait{100};

// A look under way is joined by a person's request only while it is younger than this: one
// that has sat longer is waiting on something that may have come back since (a share back
// online, a drive spun up), so the person gets a look of their own.
inline constexpr std::chrono::seconds kFreshLookAge{3};
// No request joins a look older than this: its answer may have been lost, and a path must not
// stay unanswered for good.
inline constexpr std::chrono::seconds kAbandonedLookAge{60};

struct ItemProbe {
    bool exists = false;
    ItemIcon icon; // only when an icon was asked for and the path exists
};

// Looks at the path where the caller stands (it may block): the existence test that
// includes folders, then the icon at iconSize pixels (none for 0).
ItemProbe probeItem(const FileSystem& files, IconApi& icons, const std::string& path, int iconSize);

class ItemProbes {
  public:
    using Answer = std::function<void(const ItemProbe&)>;
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // Who wants the answer: the program on its own (start-up, a redraw, a drive that came),
    // or a person who has just asked (an OK, a click in a list).
    enum class Asker { Program, Person };

    // The services are shared with the work items, which may outlive this object when the
    // program quits in the middle of a slow look.
    ItemProbes(BackgroundWork& work, std::shared_ptr<const FileSystem> files,
               std::shared_ptr<IconApi> icons, Clock now = std::chrono::steady_clock::now);

    // Looks at the path off the user-interface thread; `answer` runs on that thread with what
    // was found as soon as this look ends, never before this returns, whatever other looks
    // are still out. Each call looks again (nothing is kept between looks), but a request for
    // a path that is being looked at already, for the same icon size or for no icon, joins
    // that look while it is young enough (see above): an unreachable share holds one thread,
    // however often the program asks for it.
    void request(const std::string& path, int iconSize, Answer answer,
                 Asker asker = Asker::Program);

    // Runs answers as they arrive until `done` holds or the time is up.
    void waitForAnswers(const std::function<bool()>& done, std::chrono::milliseconds limit) {
        work_.waitForAnswers(done, limit);
    }

    // Looks still under way.
    std::size_t inFlight() const { return flights_.size(); }

  private:
    struct Flight {
        std::uint64_t id = 0;
        std::string path;
        int iconSize = 0;
        std::chrono::steady_clock::time_point started;
        std::vector<Answer> waiting;
    };

    void send(const Flight& flight);
    void land(std::uint64_t id, const ItemProbe& probe);

    BackgroundWork& work_;
    std::shared_ptr<const FileSystem> files_;
    std::shared_ptr<IconApi> icons_;
    Clock now_;
    std::vector<Flight> flights_;
    std::uint64_t lastId_ = 0;
    LifeToken life_;
};

} // namespace miruteka
