#include "runtime/SourceMap.h"

#include <csignal>
#include <cstdint>
#include <mutex>

#include <sys/mman.h>
#include <unistd.h>

namespace tess {

namespace {

// The mappings the SIGBUS handler may repair: a fixed table of atomics, which a handler may read.
struct Slot {
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
    std::atomic<std::atomic<bool>*> torn{nullptr};
};
constexpr int kSlots = 16;
Slot gSlots[kSlots];
struct sigaction gPreviousAction;
std::once_flag gHandlerInstalled;
std::mutex gSlotsMutex;

// Read once, before the handler can run: sysconf is not safe to call from a signal handler.
const std::uintptr_t gPageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));

extern "C" void RepairTornPage(int signal, siginfo_t* info, void* context)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (Slot& slot : gSlots) {
        std::atomic<bool>* torn = slot.torn.load();
        if (torn == nullptr || address < slot.begin.load() || address >= slot.end.load())
            continue;
        const std::uintptr_t page = address & ~(gPageSize - 1);
        // Zeros over the page that is gone; the faulting read is made again and finds them.
        if (::mmap(reinterpret_cast<void*>(page), gPageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1,
                   0) != MAP_FAILED) {
            torn->store(true);
            return;
        }
    }
    // Not ours: what would have happened without us.
    if (gPreviousAction.sa_flags & SA_SIGINFO) {
        gPreviousAction.sa_sigaction(signal, info, context);
        return;
    }
    if (gPreviousAction.sa_handler != SIG_DFL && gPreviousAction.sa_handler != SIG_IGN) {
        gPreviousAction.sa_handler(signal);
        return;
    }
    ::signal(SIGBUS, SIG_DFL);  // the faulting access repeats and ends the process
}

void InstallHandler()
{
    struct sigaction action {};
    action.sa_sigaction = RepairTornPage;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &gPreviousAction);
}

int TakeSlot(std::uintptr_t begin, std::uintptr_t end, std::atomic<bool>* torn)
{
    std::lock_guard<std::mutex> lock(gSlotsMutex);
    for (int i = 0; i < kSlots; ++i) {
        if (gSlots[i].torn.load() != nullptr)
            continue;
        gSlots[i].begin.store(begin);
        gSlots[i].end.store(end);
        gSlots[i].torn.store(torn);
        return i;
    }
    return -1;
}

void FreeSlot(int slot)
{
    std::lock_guard<std::mutex> lock(gSlotsMutex);
    gSlots[slot].torn.store(nullptr);
}

}  // namespace

bool SourceMap::map(int fd, std::uint64_t size)
{
    unmap();
    const std::uintptr_t page = gPageSize;
    if (size == 0 || size > SIZE_MAX - 3 * page)
        return false;
    const std::size_t fileSpan = (static_cast<std::size_t>(size) + page - 1) & ~(page - 1);
    const std::size_t regionSize = fileSpan + 2 * page;
    void* region = ::mmap(nullptr, regionSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (region == MAP_FAILED)
        return false;
    char* file = static_cast<char*>(region) + page;
    if (::mmap(file, static_cast<std::size_t>(size), PROT_READ, MAP_SHARED | MAP_FIXED, fd, 0) == MAP_FAILED) {
        ::munmap(region, regionSize);
        return false;
    }
    std::call_once(gHandlerInstalled, InstallHandler);
    torn_.store(false);
    slot_ = TakeSlot(reinterpret_cast<std::uintptr_t>(file), reinterpret_cast<std::uintptr_t>(file) + fileSpan, &torn_);
    if (slot_ < 0) {  // too many sources mapped at once: this one is read instead
        ::munmap(region, regionSize);
        return false;
    }
    ::madvise(file, static_cast<std::size_t>(size), MADV_SEQUENTIAL);
    region_ = static_cast<char*>(region);
    regionSize_ = regionSize;
    data_ = file;
    size_ = size;
    released_ = 0;
    return true;
}

void SourceMap::unmap()
{
    if (region_ == nullptr)
        return;
    FreeSlot(slot_);
    slot_ = -1;
    ::munmap(region_, regionSize_);
    region_ = nullptr;
    data_ = nullptr;
    size_ = 0;
}

void SourceMap::release(std::uint64_t offset)
{
    const std::uint64_t page = gPageSize;
    const std::uint64_t end = offset & ~(page - 1);
    if (!mapped() || end <= released_)
        return;
    ::madvise(const_cast<char*>(data_) + released_, static_cast<std::size_t>(end - released_), MADV_DONTNEED);
    released_ = end;
}

}  // namespace tess
