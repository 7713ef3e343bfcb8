#pragma once
// Laid-out texts kept from one paint to the next, so that a repaint tick lays out no text it laid out
// before. Keyed by text, style, scale and fitting width; at most `capacity` are kept, the least recently
// used going first. The backends keep their platform's text layouts in it.

#include <cstddef>
#include <functional>
#include <list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "text/text_style.hpp"

namespace tolmin {

// Enough for every text of a few different frames (a full frame draws about forty).
inline constexpr std::size_t TEXT_CACHE_CAPACITY = 256;

template <class Value>
class TextCache {
public:
    explicit TextCache(std::size_t capacity = TEXT_CACHE_CAPACITY) : capacity_(capacity > 0 ? capacity : 1) {}

    // The value kept for the key, or, the first time, the one `make()` returns, kept from then on. The
    // reference is good until the next call.
    template <class Make>
    const Value& get(std::string_view text, const TextSpec& spec, double scale, std::optional<double> fit,
                     Make&& make) {
        const View view{text, spec, scale, fit};
        // A key with a NaN in it equals nothing, not even itself: it could never be found again.
        if (!(view == view)) {
            uncached_.emplace(std::forward<Make>(make)());
            return *uncached_;
        }
        if (const auto found = index_.find(view); found != index_.end()) {
            entries_.splice(entries_.begin(), entries_, found->second);  // now the most recent
            return found->second->value;
        }
        if (entries_.size() >= capacity_) {
            index_.erase(index_.find(view_of(entries_.back().key)));
            entries_.pop_back();
        }
        entries_.push_front(Entry{Key{std::string(text), spec, scale, fit}, std::forward<Make>(make)()});
        index_.emplace(view_of(entries_.front().key), entries_.begin());
        return entries_.front().value;
    }

    std::size_t size() const { return entries_.size(); }

private:
    struct Key {
        std::string text;
        TextSpec spec;
        double scale = 0;
        std::optional<double> fit;
    };
    // A key without its own copy of the text; the index's keys look into the entries' texts.
    struct View {
        std::string_view text;
        TextSpec spec;
        double scale = 0;
        std::optional<double> fit;
        friend bool operator==(const View&, const View&) = default;
    };
    struct Entry {
        Key key;
        Value value;
    };
    struct Hash {
        std::size_t operator()(const View& v) const {
            std::size_t h = std::hash<std::string_view>{}(v.text);
            const auto mix = [&h](std::size_t part) {
                h ^= part + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
            };
            mix(std::hash<double>{}(v.spec.size));
            mix(std::hash<double>{}(v.spec.tracking));
            mix(v.spec.weight + (v.spec.mono ? 0x10000U : 0U));
            mix(std::hash<double>{}(v.scale));
            mix(v.fit ? std::hash<double>{}(*v.fit) : 0x51ed27U);
            return h;
        }
    };
    static View view_of(const Key& key) { return View{key.text, key.spec, key.scale, key.fit}; }

    std::size_t capacity_;
    std::list<Entry> entries_;  // the most recently used first
    std::unordered_map<View, typename std::list<Entry>::iterator, Hash> index_;
    std::optional<Value> uncached_;
};

}  // namespace tolmin
