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
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace miruteka {

// How long a window waits for a look before it goes on without the answer: long enough for
// any local disk, so local items show exactly as if the window had looked itself.
inline constexpr std::chrono::milliseconds kQuickAnswerWait{100};

struct ItemProbe {
    bool exists = false;
    ItemIcon icon; // only when an icon was asked for and the path exists
};

// Looks at the path where the caller stands (it may block): the existence test that
// includes folders, then the icon at iconSize pixels (none for 0).
ItemProbe probeItem(const FileSystem& files, IconApi& icons, const std::string& path, int iconSize);

// The volume a path lies on, as far as its text tells: "c:" for "C:\tools\a.exe",
// "\\nas\tools" for "\\nas\tools\a.exe" (lower case); a path that names none (a bare
// program name) is its own.
std::string volumeOf(const std::string& path);

class ItemProbes {
  public:
    using Answer = std::function<void(const ItemProbe&)>;

    // While a batch is open, requests wait; when it closes, the looks on each volume go out
    // together as one work item, in the order asked, and the volumes side by side. A share
    // that does not answer then holds up only the looks on that share, which could not answer
    // either, and a start-up with every item on one disk starts one thread, not four.
    class Batch {
      public:
        explicit Batch(ItemProbes& probes) : probes_(probes) { ++probes_.batchDepth_; }
        ~Batch() {
            if (--probes_.batchDepth_ == 0) {
                probes_.send();
            }
        }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

      private:
        ItemProbes& probes_;
    };

    // The services are shared with the work items, which may outlive this object when the
    // program quits in the middle of a slow look.
    ItemProbes(BackgroundWork& work, std::shared_ptr<const FileSystem> files,
               std::shared_ptr<IconApi> icons);

    // Looks at the path off the user-interface thread; `answer` runs on that thread with what
    // was found, never before this returns. Each call looks again (nothing is kept between
    // looks), but a request for a path that is being looked at already, for the same icon
    // size or for no icon, joins that look: an unreachable share holds one thread, however
    // often it is asked for.
    void request(const std::string& path, int iconSize, Answer answer);

    // Runs answers as they arrive until `done` holds or the time is up.
    void waitForAnswers(const std::function<bool()>& done, std::chrono::milliseconds limit) {
        work_.waitForAnswers(done, limit);
    }

    // Looks still under way.
    std::size_t inFlight() const { return flights_.size(); }

  private:
    struct Flight {
        std::string path;
        int iconSize = 0;
        std::vector<Answer> waiting;
    };

    struct Look {
        std::string path;
        int iconSize = 0;
    };

    // Sends the looks not sent yet, one work item a volume.
    void send();
    void land(const std::string& path, int iconSize, const ItemProbe& probe);

    BackgroundWork& work_;
    std::shared_ptr<const FileSystem> files_;
    std::shared_ptr<IconApi> icons_;
    std::vector<Flight> flights_;
    std::vector<Look> unsent_;
    int batchDepth_ = 0;
    LifeToken life_;
};

} // namespace miruteka
