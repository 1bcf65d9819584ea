// Message boxes with no icon: errors under "エラー" with OK, questions under "確認" with
// Yes and No.
#pragma once

#include <string>

namespace miruteka {

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual void showError(const std::string& text) = 0;
    // True when the user answers Yes.
    virtual bool askYesNo(const std::string& text) = 0;
};

} // namespace miruteka
