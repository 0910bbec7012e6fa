#include "filetime/filetime.h"

static uint64_t fileindex(const BY_HANDLE_FILE_INFORMATION &information)
{
    return uint64_t(information.nFileIndexHigh) << 32 | information.nFileIndexLow;
}

static size_t slotfor(const std::vector<uint64_t> &slots, uint64_t index)
{
    // Fibonacci hashing spreads consecutive inode numbers; the table size is a power of two.
    size_t mask = slots.size() - 1;
    size_t at = size_t((index * 0x9E3779B97F4A7C15u) >> 20) & mask;
    while (slots[at] != 0 && slots[at] != index)
        at = (at + 1) & mask;
    return at;
}

static IdTable *tablefor(IdSet &set, DWORD volume)
{
    for (IdTable &table : set)
        if (table.volume == volume)
            return &table;
    return nullptr;
}

bool knownid(const IdSet &set, const BY_HANDLE_FILE_INFORMATION &information)
{
    uint64_t index = fileindex(information);
    for (const IdTable &table : set)
        if (table.volume == information.dwVolumeSerialNumber)
            return index == 0 ? table.haszero : table.slots[slotfor(table.slots, index)] == index;
    return false;
}

bool rememberid(IdSet &set, const BY_HANDLE_FILE_INFORMATION &information)
{
    IdTable *table = tablefor(set, information.dwVolumeSerialNumber);
    if (table == nullptr) {
        set.push_back({information.dwVolumeSerialNumber, std::vector<uint64_t>(64, 0), 0, false});
        table = &set.back();
    }
    uint64_t index = fileindex(information);
    if (index == 0) {
        bool added = !table->haszero;
        table->haszero = true;
        return added;
    }
    size_t at = slotfor(table->slots, index);
    if (table->slots[at] == index)
        return false;
    table->slots[at] = index;
    // Kept at most three quarters full, so that a probe ends soon.
    if (++table->count * 4 > table->slots.size() * 3) {
        std::vector<uint64_t> larger(table->slots.size() * 2, 0);
        for (uint64_t kept : table->slots)
            if (kept != 0)
                larger[slotfor(larger, kept)] = kept;
        table->slots.swap(larger);
    }
    return true;
}
