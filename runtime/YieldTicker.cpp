#include "runtime/YieldTicker.h"

#include "runtime/QuietThread.h"

namespace tess {

YieldTicker::YieldTicker(std::chrono::milliseconds period, std::atomic<bool>& flag)
{
    thread_ = QuietThread([this, period, &flag] {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!wake_.wait_for(lock, period, [this] { return stopping_; }))
            flag.store(true, std::memory_order_relaxed);
    });
}

YieldTicker::~YieldTicker()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

}  // namespace tess
