#include "posix.h"

#include <cstdint>

static constexpr int64_t secondsfrom1601to1970 = 11644473600;
static constexpr uint64_t intervalspersecond = 10000000;
static constexpr uint64_t largestfiletime = INT64_MAX;

bool tofiletime(const timespec &time, FILETIME &filetime)
{
    if (time.tv_sec < -secondsfrom1601to1970 ||
        time.tv_sec > int64_t(largestfiletime / intervalspersecond) - secondsfrom1601to1970)
        return false;
    uint64_t seconds = uint64_t(time.tv_sec + secondsfrom1601to1970);
    uint64_t value = seconds * intervalspersecond + uint64_t(time.tv_nsec) / 100;
    if (value > largestfiletime)
        return false;
    filetime.dwLowDateTime = DWORD(value);
    filetime.dwHighDateTime = DWORD(value >> 32);
    return true;
}

timespec totimespec(const FILETIME &filetime, long extrananoseconds)
{
    uint64_t value = uint64_t(filetime.dwHighDateTime) << 32 | filetime.dwLowDateTime;
    timespec time{};
    time.tv_sec = time_t(int64_t(value / intervalspersecond) - secondsfrom1601to1970);
    time.tv_nsec = long(value % intervalspersecond) * 100 + extrananoseconds;
    return time;
}
