// A bounded queue of buffer slots handed from one thread to another. Its room
// is taken at construction; Push and Pop allocate nothing.
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <vector>

class SlotQueue {
  public:
    explicit SlotQueue(int capacity);

    // Waits while the queue is full.
    void Push(int slot);
    // Waits for a slot; nullopt once the queue is closed and empty.
    std::optional<int> Pop();
    // No more pushes: waiting and later pops return what is left, then nullopt.
    void Close();

  private:
    std::mutex lock_;
    std::condition_variable changed_;
    std::vector<int> ring_;
    std::size_t head_ = 0;
    std::size_t count_ = 0;
    bool closed_ = false;
};
