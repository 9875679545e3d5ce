#include "runtime/FileNumbers.h"

namespace tess {

FileNumbers& FileNumbers::process()
{
    static FileNumbers table;
    return table;
}

int FileNumbers::lowestFree() const
{
    for (int number = 1; number <= kLast; ++number)
        if (!used_[number])
            return number;
    return 0;
}

bool FileNumbers::take(int number)
{
    if (number < 1 || number > kLast || used_[number])
        return false;
    used_[number] = true;
    return true;
}

void FileNumbers::release(int number)
{
    if (number >= 1 && number <= kLast)
        used_[number] = false;
}

}  // namespace tess
