#include "runtime/YieldTicker.h"

#include "runtime/QuietThread.h"

namespace tess {

YieldTicker::YieldTicker(std::chrono::milliseconds period)
{
    thread_ = QuietThread([this, period] {
        std::unique_lock<std::mutex> lock(mutex_);
        while (!wake_.wait_for(lock, period, [this] { return stopping_; }))
            due_.store(true, std::memory_order_relaxed);
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
