// Form7, the item dialog, without its controls: the check behind OK and what a browsed file
// puts into the boxes. The dialog never touches the item tables; on OK it hands name and path
// to its host, the settings window, which writes them into its working copy.
#pragma once

#include "platform/dialogs.h"
#include "platform/life_token.h"
#include "shared_ui/item_probe.h"

#include <cstdint>
#include <functional>
#include <string>

namespace miruteka {

// The texts of the dialog's two boxes.
struct ItemFields {
    std::string name;
    std::string path;
    friend bool operator==(const ItemFields&, const ItemFields&) = default;
};

class ItemDialogHost {
  public:
    virtual ~ItemDialogHost() = default;
    // Puts the item into the current row of the visible grid and updates the preview.
    virtual void acceptItem(const std::string& name, const std::string& path) = 0;
};

// OK: the path, exactly as typed, must name an existing file or folder (not hidden, not
// system, no wildcards, not empty). Then the item goes to the host and the dialog closes;
// otherwise the error is shown and nothing is written. The name is taken as it is, empty or
// not.
//
// The look at the path runs off the user-interface thread, so a path on an unreachable share
// never freezes the dialog: it keeps painting, Cancel still closes it (the answer is then
// dropped with this object), and a second OK while a look is out is ignored. Once the user
// changes a box or opens Browse, the look out is for texts no longer there: its answer
// neither accepts nor closes nor complains, and the next OK looks at the new texts.
class ItemConfirmation {
  public:
    ItemConfirmation(ItemProbes& probes, MessageBoxes& messages, ItemDialogHost& host)
        : probes_(probes), messages_(messages), host_(host) {}

    // `close` ends the dialog after the item has gone to the host.
    void confirm(const ItemFields& typed, std::function<void()> close);
    bool checking() const { return checking_; }
    // A box was changed or Browse opened.
    void edited();

  private:
    ItemProbes& probes_;
    MessageBoxes& messages_;
    ItemDialogHost& host_;
    bool checking_ = false;
    std::uint32_t check_ = 0; // the number of the latest OK's look
    LifeToken life_;
};

// Browse: a chosen file replaces both boxes, named after the text behind its last "\".
ItemFields fieldsForChosenFile(const std::string& path);

} // namespace miruteka
