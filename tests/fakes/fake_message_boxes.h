// Message boxes that record what they were asked to show and answer questions from a queue
// (No once the queue is empty).
#pragma once

#include "platform/dialogs.h"

#include <deque>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace miruteka {

class FakeMessageBoxes : public MessageBoxes {
  public:
    struct Shown {
        bool question = false;
        std::string text;
        friend bool operator==(const Shown&, const Shown&) = default;
        friend void PrintTo(const Shown& shown, std::ostream* out) {
            *out << (shown.question ? "question \"" : "error \"") << shown.text << '"';
        }
    };
    std::vector<Shown> shown;
    std::deque<bool> answers;
    // Runs while a box is "open", to check what the program did before showing it.
    std::function<void()> whileShown;

    void showError(const std::string& text) override {
        shown.push_back({false, text});
        if (whileShown) {
            whileShown();
        }
    }
    bool askYesNo(const std::string& text) override {
        shown.push_back({true, text});
        if (whileShown) {
            whileShown();
        }
        if (answers.empty()) {
            return false;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace miruteka
