#include "filetime/filetime.h"

#include <gtest/gtest.h>

namespace
{

struct ShiftCase {
    uint64_t before;
    int32_t minutes;
    uint64_t after;
};

uint64_t join(const FILETIME &t)
{
    return uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime;
}

FILETIME split(uint64_t value)
{
    FILETIME t;
    t.dwLowDateTime = DWORD(value & 0xFFFFFFFFu);
    t.dwHighDateTime = DWORD(value >> 32);
    return t;
}

class Shift : public testing::TestWithParam<ShiftCase>
{
};

TEST_P(Shift, MovesByWholeMinutes)
{
    const ShiftCase &c = GetParam();
    FILETIME t = split(c.before);
    shifttime(t, c.minutes);
    EXPECT_EQ(join(t), c.after) << std::hex << c.before << " by " << std::dec << c.minutes;
}

// The expected values were worked out apart from the code, one minute being 0x23C34600.
INSTANTIATE_TEST_SUITE_P(
    Values, Shift,
    testing::Values(ShiftCase{0, 60, 0x861C46800},          // one hour
                    ShiftCase{0x861C46800, -60, 0},         // and back
                    ShiftCase{0xFFFFFFFF, 1, 0x123C345FF},  // carry into the top half
                    ShiftCase{0x100000000, -1, 0xDC3CBA00}, // borrow from it
                    ShiftCase{0x01D5A2B3C4D5E6F7, 0, 0x01D5A2B3C4D5E6F7},
                    ShiftCase{0x01D5A2B3C4D5E6F7, INT32_MAX, 0x13B745B3A112A0F7},
                    ShiftCase{0x01D5A2B3C4D5E6F7, -INT32_MAX, 0xEFF3FFB3E8992CF7}, // wraps
                    ShiftCase{0, INT32_MIN, 0xEE1E5D0000000000}));

TEST(Shift, OppositeShiftsRestoreTheTime)
{
    for (int32_t minutes : {1, -1, 60, -525600, INT32_MAX}) {
        FILETIME t = split(0x01DA0B1C2D3E4F51);
        shifttime(t, minutes);
        EXPECT_NE(join(t), 0x01DA0B1C2D3E4F51u);
        shifttime(t, -minutes);
        EXPECT_EQ(join(t), 0x01DA0B1C2D3E4F51u) << minutes;
    }
}

} // namespace
