// Open addressing with linear probing; the table doubles before it is two thirds full.
#include "read/NameIndex.h"

#include <cstring>

namespace traverse {

CNameIndex::CNameIndex(size_t count) {
    size_t size = 16;
    while (size < count + count / 2 + 1)
        size *= 2;
    m_slots.resize(size);
}

bool CNameIndex::KeyOf(std::string_view name, std::uint64_t (&key)[2]) {
    if (name.size() > static_cast<size_t>(kMaxNameBytes)) return false;
    char bytes[16] = {};
    std::memcpy(bytes, name.data(), name.size());
    std::memcpy(key, bytes, sizeof bytes);
    return true;
}

size_t CNameIndex::SlotOf(const std::uint64_t (&key)[2]) const {
    std::uint64_t h = key[0] * 0x9E3779B97F4A7C15ULL ^ key[1];
    h = (h ^ (h >> 32)) * 0xD6E8FEB86659FD93ULL;
    h ^= h >> 32;
    return static_cast<size_t>(h) & (m_slots.size() - 1);
}

int CNameIndex::Find(std::string_view name) const {
    std::uint64_t key[2];
    if (!KeyOf(name, key)) return -1;
    for (size_t i = SlotOf(key);; i = (i + 1) & (m_slots.size() - 1)) {
        const Slot& s = m_slots[i];
        if (s.value < 0) return -1;
        if (s.key[0] == key[0] && s.key[1] == key[1]) return s.value;
    }
}

int CNameIndex::Set(std::string_view name, int value) {
    std::uint64_t key[2];
    if (!KeyOf(name, key)) return -1;
    if (3 * (m_used + 1) > 2 * m_slots.size()) { // room first: the table doubles
        std::vector<Slot> old(2 * m_slots.size());
        old.swap(m_slots);
        m_used = 0;
        for (const Slot& s : old)
            if (s.value >= 0) {
                size_t i = SlotOf(s.key);
                while (m_slots[i].value >= 0)
                    i = (i + 1) & (m_slots.size() - 1);
                m_slots[i] = s;
                ++m_used;
            }
    }
    for (size_t i = SlotOf(key);; i = (i + 1) & (m_slots.size() - 1)) {
        Slot& s = m_slots[i];
        if (s.value < 0) {
            s = {{key[0], key[1]}, value};
            ++m_used;
            return -1;
        }
        if (s.key[0] == key[0] && s.key[1] == key[1]) {
            const int before = s.value;
            s.value = value;
            return before;
        }
    }
}

} // namespace traverse
