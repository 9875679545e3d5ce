#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace tess {

// Raises a flag once every period from a thread of its own, so that a loop running millions of
// times a second can ask "has enough time passed?" at the cost of one relaxed load, without
// reading the clock. The loop lowers the flag when it answers it. The thread runs from
// construction to destruction; the flag must outlive it.
class YieldTicker {
public:
    YieldTicker(std::chrono::milliseconds period, std::atomic<bool>& flag);
    ~YieldTicker();
    YieldTicker(const YieldTicker&) = delete;
    YieldTicker& operator=(const YieldTicker&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace tess
