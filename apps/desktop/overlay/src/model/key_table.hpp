#pragma once
// Finding a key among a record's keys, once for every key of every line. A hash of the key's length, its
// first and last bytes (and a third one where those do not tell two keys apart) gives each key of a record a
// slot of its own; the key in that slot is then compared. The hash is searched at compile time for each
// record's keys. Measured on the typical frame of bench/parse_bench, a plain loop over the record's keys
// made the whole decode 10% slower (4.12 us against 3.74 us).

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <tuple>

#include "model/record_fields.hpp"

namespace tolmin {

inline constexpr int NO_FIELD = -1;

template <std::size_t N>
class KeyTable {
public:
    constexpr explicit KeyTable(const std::array<std::string_view, N>& keys) : keys_(keys) {
        for (std::size_t i = 0; i < N; ++i) {
            if (keys_[i].empty() || keys_[i].size() > MAX_KEY) return;
            for (std::size_t j = 0; j < i; ++j) {
                if (keys_[i] == keys_[j]) return;  // no hash tells them apart
            }
        }
        for (hash_.at = 0; hash_.at < LIMIT; ++hash_.at) {
            for (hash_.first = 1; hash_.first < LIMIT; ++hash_.first) {
                for (hash_.last = 1; hash_.last < LIMIT; ++hash_.last) {
                    if (fill()) return;
                }
            }
        }
        hash_ = {};  // no hash of this kind gives every key a slot of its own
    }

    constexpr bool is_perfect() const { return hash_.first != 0; }

    // The index of exactly this key (after escapes were decoded), or NO_FIELD.
    int find(std::string_view key) const {
        if (key.empty()) return NO_FIELD;
        const int slot = slots_[slot_of(key)];
        if (slot == 0) return NO_FIELD;
        const std::string_view candidate = keys_[slot - 1];
        return candidate.size() == key.size() && same_bytes(candidate.data(), key.data(), key.size())
                   ? slot - 1
                   : NO_FIELD;
    }

private:
    static constexpr std::size_t SLOTS = 64;
    static constexpr std::uint8_t LIMIT = 16;
    static constexpr std::size_t MAX_KEY = 16;

    struct Hash {
        std::uint8_t at = 0;  // 0, or a third byte: key[at], or the last one of a shorter key
        std::uint8_t first = 0;
        std::uint8_t last = 0;
    };

    std::array<std::string_view, N> keys_;
    std::array<std::uint8_t, SLOTS> slots_{};  // the index of the key in the slot + 1, or 0
    Hash hash_;

    constexpr std::size_t slot_of(std::string_view key) const {
        const auto byte = [key](std::size_t i) { return static_cast<unsigned char>(key[i]); };
        std::size_t hash = key.size() + hash_.first * byte(0) + hash_.last * byte(key.size() - 1);
        if (hash_.at != 0) hash += byte(hash_.at < key.size() ? hash_.at : key.size() - 1);
        return hash % SLOTS;
    }

    constexpr bool fill() {
        slots_ = {};
        for (std::size_t i = 0; i < N; ++i) {
            std::uint8_t& slot = slots_[slot_of(keys_[i])];
            if (slot != 0) return false;
            slot = static_cast<std::uint8_t>(i + 1);
        }
        return true;
    }

    template <class Word>
    static Word load(const char* bytes) {
        Word word;
        std::memcpy(&word, bytes, sizeof word);
        return word;
    }

    // Equal bytes of two texts of the same length (1 to MAX_KEY bytes), read in words inside both texts.
    static bool same_bytes(const char* a, const char* b, std::size_t n) {
        if (n >= 8) {
            return load<std::uint64_t>(a) == load<std::uint64_t>(b) &&
                   load<std::uint64_t>(a + n - 8) == load<std::uint64_t>(b + n - 8);
        }
        if (n >= 4) {
            return load<std::uint32_t>(a) == load<std::uint32_t>(b) &&
                   load<std::uint32_t>(a + n - 4) == load<std::uint32_t>(b + n - 4);
        }
        for (std::size_t i = 0; i < n; ++i) {
            if (a[i] != b[i]) return false;
        }
        return true;
    }
};

template <class R>
inline constexpr KeyTable<FIELD_COUNT<R>> KEYS = KeyTable(std::apply(
    [](const auto&... fields) { return std::array<std::string_view, sizeof...(fields)>{fields.key...}; },
    Record<R>::FIELDS));

// The index of the field of R with exactly this key, or NO_FIELD.
template <class R>
int field_index(std::string_view key) {
    static_assert(
        KEYS<R>.is_perfect(),
        "KeyTable cannot hash this record's keys: two are the same, one is empty, one is longer than "
        "MAX_KEY (widen same_bytes then), or no hash it searches tells them apart (raise LIMIT then).");
    return KEYS<R>.find(key);
}

}  // namespace tolmin
