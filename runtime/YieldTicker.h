#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace tess {

// Raises a flag once every period from a thread of its own, so that a loop running millions of
// times a second can ask "has enough time passed?" at the cost of one relaxed load, without
// reading the clock. The thread runs from construction to destruction.
class YieldTicker {
public:
    explicit YieldTicker(std::chrono::milliseconds period);
    ~YieldTicker();
    YieldTicker(const YieldTicker&) = delete;
    YieldTicker& operator=(const YieldTicker&) = delete;

    // True once for every period that has passed since it last returned true.
    bool due()
    {
        return due_.load(std::memory_order_relaxed) && due_.exchange(false, std::memory_order_relaxed);
    }

private:
    std::atomic<bool> due_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace tess
