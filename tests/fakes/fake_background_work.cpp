#include "fakes/fake_background_work.h"

namespace miruteka {

FakeBackgroundWork::~FakeBackgroundWork() {
    slow.open();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

void FakeBackgroundWork::run(Work work) {
    if (mode_ == Mode::Inline) {
        if (Answer answer = work()) {
            answer();
        }
        return;
    }
    threads_.emplace_back([this, work = std::move(work)] {
        Answer answer = work();
        if (answer) {
            std::lock_guard lock(mutex_);
            answers_.push_back(std::move(answer));
            arrived_.notify_all();
        }
    });
}

void FakeBackgroundWork::waitForAnswers(const std::function<bool()>& done,
                                        std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        std::unique_lock lock(mutex_);
        if (!arrived_.wait_until(lock, deadline, [this] { return !answers_.empty(); })) {
            return;
        }
        Answer answer = std::move(answers_.front());
        answers_.pop_front();
        lock.unlock();
        answer();
    }
}

void Gate::pass() {
    std::unique_lock lock(mutex_);
    opened_.wait(lock, [this] { return open_; });
}

void Gate::open() {
    std::lock_guard lock(mutex_);
    open_ = true;
    opened_.notify_all();
}

void Gate::close() {
    std::lock_guard lock(mutex_);
    open_ = false;
}

} // namespace miruteka
