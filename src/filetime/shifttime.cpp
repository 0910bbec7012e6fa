#include "filetime/filetime.h"

static constexpr int64_t intervalsperminute = 600000000; // of 100 ns

void shifttime(FILETIME &time, int32_t minutes)
{
    uint64_t value = uint64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime;
    // |minutes| <= 2^31, so the product stays below 2^63; unsigned addition wraps as wanted.
    value += uint64_t(int64_t(minutes) * intervalsperminute);
    time.dwLowDateTime = DWORD(value);
    time.dwHighDateTime = DWORD(value >> 32);
}
