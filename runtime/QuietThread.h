#pragma once

#include <csignal>
#include <thread>
#include <utility>

#include <pthread.h>

namespace tess {

// A thread that never takes the process's signals: they go to the thread that started it,
// where a blocked read or open is interrupted by them, as a stop needs.
template <typename Function>
std::thread QuietThread(Function&& function)
{
    sigset_t all, before;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &before);
    std::thread thread(std::forward<Function>(function));
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return thread;
}

}  // namespace tess
