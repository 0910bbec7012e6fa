// FILETIME against the system's nanosecond times.
#include "platform/posix/posix.h"
#include "support/fixture.h"

#include <gtest/gtest.h>

namespace
{

uint64_t join(const FILETIME &t)
{
    return uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime;
}

TEST(Conversion, CountsFrom1601In100NanosecondSteps)
{
    struct Case {
        timespec time;
        uint64_t filetime;
    } cases[] = {
        {makets(0, 0), 116444736000000000}, // 1970-01-01
        {makets(-11644473600, 0), 0},       // 1601-01-01
        {makets(-11644473600, 99), 0},      // below one step
        {makets(1, 100), 116444736010000001},
        {makets(-1, 999999999), 116444735999999999}, // just before 1970
        {makets(910692730085, 477580700), 0x7FFFFFFFFFFFFFFF},
    };
    for (const Case &c : cases) {
        FILETIME t{};
        ASSERT_TRUE(tofiletime(c.time, t)) << c.time.tv_sec;
        EXPECT_EQ(join(t), c.filetime) << c.time.tv_sec;
    }
}

TEST(Conversion, RefusesWhatAFiletimeCannotHold)
{
    FILETIME t{};
    EXPECT_FALSE(tofiletime(makets(-11644473601, 999999999), t)); // before 1601
    EXPECT_FALSE(tofiletime(makets(910692730085, 477580800), t)); // top bit
    EXPECT_FALSE(tofiletime(makets(INT64_MAX, 0), t));
    EXPECT_FALSE(tofiletime(makets(INT64_MIN, 0), t));
}

TEST(Conversion, GoesBackWithTheNanosecondsGiven)
{
    FILETIME t{};
    ASSERT_TRUE(tofiletime(makets(1234567890, 123456789), t));
    EXPECT_EQ(totimespec(t, 89), makets(1234567890, 123456789));
    EXPECT_EQ(totimespec(t, 0), makets(1234567890, 123456700));
    ASSERT_TRUE(tofiletime(makets(-5000000000, 5), t));
    EXPECT_EQ(totimespec(t, 5), makets(-5000000000, 5));
}

} // namespace
