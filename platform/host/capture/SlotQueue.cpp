#include "platform/host/capture/SlotQueue.h"

SlotQueue::SlotQueue(int capacity) : ring_(static_cast<std::size_t>(capacity)) {}

void SlotQueue::Push(int slot) {
    std::unique_lock hold(lock_);
    changed_.wait(hold, [this] { return count_ < ring_.size(); });
    ring_[(head_ + count_) % ring_.size()] = slot;
    ++count_;
    changed_.notify_all();
}

std::optional<int> SlotQueue::Pop() {
    std::unique_lock hold(lock_);
    changed_.wait(hold, [this] { return count_ > 0 || closed_; });
    if (count_ == 0) {
        return std::nullopt;
    }
    const int slot = ring_[head_];
    head_ = (head_ + 1) % ring_.size();
    --count_;
    changed_.notify_all();
    return slot;
}

void SlotQueue::Close() {
    const std::lock_guard hold(lock_);
    closed_ = true;
    changed_.notify_all();
}
