#pragma once

#include <bitset>

namespace tess {

// The process's file numbers, 1 to 255. Each open file of a run is known by one; a number is
// in use from take() to release().
class FileNumbers {
public:
    static constexpr int kLast = 255;

    // The table shared by the whole process.
    static FileNumbers& process();

    // The smallest number not in use, or 0 when all 255 are.
    int lowestFree() const;
    // Marks `number` (1..255) in use; false when it was in use already or out of range.
    bool take(int number);
    void release(int number);

private:
    std::bitset<kLast + 1> used_;
};

}  // namespace tess
