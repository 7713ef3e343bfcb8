#pragma once
// Finding a key among a record's keys, once for every key of every line. A hash of the key's length and its
// first and last bytes gives each key of a record a slot of its own; the key in that slot is then compared.
// The hash's two multipliers are searched at compile time for each record. Measured on the keys of a
// typical frame, a plain loop over the record's keys took three times as long (1.3 us against 0.44 us), a
// tenth of the frame's whole decode.

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
        for (std::uint8_t first = 1; first < SLOTS; ++first) {
            for (std::uint8_t last = 1; last < SLOTS; ++last) {
                if (fill(first, last)) return;
            }
        }
        first_ = 0;  // no multipliers give every key a slot of its own
    }

    constexpr bool is_perfect() const { return first_ != 0; }

    // The index of exactly this key (after escapes were decoded), or NO_FIELD.
    int find(std::string_view key) const {
        if (key.empty()) return NO_FIELD;
        const int slot = slots_[slot_of(key, first_, last_)];
        if (slot == 0) return NO_FIELD;
        const std::string_view candidate = keys_[slot - 1];
        return candidate.size() == key.size() && same_bytes(candidate.data(), key.data(), key.size())
                   ? slot - 1
                   : NO_FIELD;
    }

private:
    static constexpr std::size_t SLOTS = 64;

    std::array<std::string_view, N> keys_;
    std::array<std::uint8_t, SLOTS> slots_{};  // the index of the key in the slot + 1, or 0
    std::uint8_t first_ = 0;
    std::uint8_t last_ = 0;

    static constexpr std::size_t slot_of(std::string_view key, std::uint8_t first, std::uint8_t last) {
        return (key.size() + first * static_cast<unsigned char>(key.front()) +
                last * static_cast<unsigned char>(key.back())) %
               SLOTS;
    }

    constexpr bool fill(std::uint8_t first, std::uint8_t last) {
        slots_ = {};
        for (std::size_t i = 0; i < N; ++i) {
            std::uint8_t& slot = slots_[slot_of(keys_[i], first, last)];
            if (keys_[i].empty() || slot != 0) return false;
            slot = static_cast<std::uint8_t>(i + 1);
        }
        first_ = first;
        last_ = last;
        return true;
    }

    template <class Word>
    static Word load(const char* bytes) {
        Word word;
        std::memcpy(&word, bytes, sizeof word);
        return word;
    }

    // Equal bytes, for two texts of the same length, with loads that stay inside both texts.
    static bool same_bytes(const char* a, const char* b, std::size_t n) {
        if (n >= 8) {
            return load<std::uint64_t>(a) == load<std::uint64_t>(b) &&
                   load<std::uint64_t>(a + n - 8) == load<std::uint64_t>(b + n - 8) &&
                   (n <= 16 || std::memcmp(a + 8, b + 8, n - 16) == 0);
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
    static_assert(KEYS<R>.is_perfect(),
                  "Two keys of this record share their length and their first and last bytes, or a key is "
                  "empty: KeyTable's hash cannot tell them apart. Mix one more byte of the key (key[1]) into "
                  "KeyTable::slot_of.");
    return KEYS<R>.find(key);
}

}  // namespace tolmin
