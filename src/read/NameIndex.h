// Point names (code page 936 bytes, at most kMaxNameBytes, the empty name included) to
// a whole number each, for looking names up while a file is read: one probe of a flat
// table with the name's bytes in it, where a hash map would follow a list per bucket.
#pragma once

#include "model/Records.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace traverse {

class CNameIndex {
public:
    // Room for count names.
    explicit CNameIndex(size_t count);

    // The number kept for name; -1 when there is none (always for a longer name).
    int Find(std::string_view name) const;
    // Keeps value (0 or more) for name and returns the number kept before (-1: none).
    // A longer name is not kept.
    int Set(std::string_view name, int value);

private:
    struct Slot {
        std::uint64_t key[2] = {0, 0}; // the name's bytes, zeros after them
        int value = -1;                // -1: a free slot
    };
    static bool KeyOf(std::string_view name, std::uint64_t (&key)[2]);
    size_t SlotOf(const std::uint64_t (&key)[2]) const;

    std::vector<Slot> m_slots; // a power of two of them, at most two thirds used
    size_t m_used = 0;
};

} // namespace traverse
