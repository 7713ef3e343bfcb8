#pragma once
// The handler of the JSON reader's events that builds a Frame. It keeps the containers open at the moment
// (a record in object or array form, a list, an enumeration in object form), each with the typed record,
// list or field it fills, and the slot that the next value goes to. Two counters follow the values that are
// read without being kept: a value under an unknown key (skipped at any depth) and a count that is an array
// or object (read whole, within the nesting limit, then refused). A handler method that returns false stops
// the reader; fault() then says why.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/fault.hpp"
#include "model/frame.hpp"
#include "model/json_reader.hpp"
#include "model/json_text.hpp"
#include "model/open_container.hpp"
#include "model/value_slot.hpp"

namespace tolmin {

class FrameEvents {
public:
    // `text` is the line; `copy` is the NUL-terminated copy that `stream` reads and unescapes in place. The
    // Frame is built into `frame`.
    FrameEvents(std::string_view text, const char* copy, rapidjson::InsituStringStream& stream, Frame& frame)
        : text_(text), copy_(copy), stream_(stream), next_(&frame) {}

    const std::optional<Fault>& fault() const { return fault_; }

    // The reader's handler interface.
    bool Null() { return unkept() || null_value(); }
    bool Bool(bool value) { return unkept() || bool_value(value); }
    // The copy holds the line's byte after a number: a digit there follows a leading zero (number_value).
    bool RawNumber(const char* text, rapidjson::SizeType length, bool /*copy*/) {
        return (skipped_ != 0 && (text[length] < '0' || text[length] > '9')) || number_value(text, length);
    }
    bool String(const char* text, rapidjson::SizeType length, bool /*copy*/) {
        return unkept() || string_value(text, length);
    }
    bool Key(const char* text, rapidjson::SizeType length, bool /*copy*/) {
        return unkept() || key(text, length);
    }
    bool StartObject() { return skip_open() || open(false); }
    bool EndObject(rapidjson::SizeType) { return skip_close() || close(); }
    bool StartArray() { return skip_open() || open(true); }
    bool EndArray(rapidjson::SizeType) { return skip_close() || close(); }
    // The reader hands every number over as text; these are never called.
    bool Int(int) { return unexpected_number(); }
    bool Uint(unsigned) { return unexpected_number(); }
    bool Int64(std::int64_t) { return unexpected_number(); }
    bool Uint64(std::uint64_t) { return unexpected_number(); }
    bool Double(double) { return unexpected_number(); }

private:
    // The Frame, a list, a record, an enumeration object: the model opens no more than four at once.
    static constexpr std::size_t MAX_OPEN = 8;

    std::string_view text_;
    const char* copy_;
    rapidjson::InsituStringStream& stream_;
    std::optional<Fault> fault_;
    std::array<OpenContainer, MAX_OPEN> stack_{};
    std::size_t depth_ = 0;
    Slot next_;
    std::size_t skipped_ = 0;  // open arrays and objects of the value under an unknown key
    std::size_t refused_ = 0;  // open arrays and objects of a count's value

    bool unkept() const { return skipped_ != 0 || refused_ != 0; }
    // Inside a value under an unknown key only the nesting is counted.
    bool skip_open() {
        if (skipped_ == 0) return false;
        ++skipped_;
        return true;
    }
    bool skip_close() {
        if (skipped_ == 0) return false;
        --skipped_;
        return true;
    }

    bool null_value();
    bool bool_value(bool value);
    bool number_value(const char* text, rapidjson::SizeType length);
    bool integer_value(std::string_view literal, std::size_t start, std::size_t end, std::uint32_t* u32);
    bool string_value(const char* text, rapidjson::SizeType length);
    bool key(const char* text, rapidjson::SizeType length);
    template <class R>
    bool field_key(InObject<R>& object, std::string_view name, const char* text);
    template <class E>
    bool name_value(E& field, std::string_view name, const char* text);
    bool open(bool as_array);
    template <class R>
    bool open_record(R& record, bool as_array, std::size_t after);
    template <class Container>
    bool push(const Container& container, std::size_t after);
    bool close();
    // After a value that ended just before `end` (an offset, or a call that gives it when it is needed): a
    // list waits for its next record, a record in array form moves on to its next field.
    template <class End>
    bool after_value(End end);
    template <class R>
    bool next_field(InArray<R>& array, std::size_t end);

    // Positions: a string or number event points into the copy, which gives the offset; literal and bracket
    // events read the stream (the reader calls them after a literal and before it takes a bracket).
    std::size_t offset_of(const char* in_copy) const { return static_cast<std::size_t>(in_copy - copy_); }
    std::size_t string_end(const char* text) const;
    // The reader lets an unpaired trailing surrogate escape through; it is refused in every text that is
    // kept. Only a string with escapes can hold one: a string without is as long as its text in the line, so
    // its closing quote (a quote not preceded by a backslash) follows right after.
    bool no_surrogate_in(const char* text, rapidjson::SizeType length) {
        const std::size_t end = offset_of(text) + length;
        return (text_[end] == '"' && text_[end - 1] != '\\') ||
               !holds_surrogate(std::string_view(text, length)) || surrogate_fault(text);
    }
    bool surrogate_fault(const char* text);

    // Keeps the first fault (with the subject and expected part that describe() reads); false.
    bool fail(FaultKind kind, std::size_t offset, std::string subject = {}, std::string_view expected = {});
    // A value of a JSON type that the next slot does not take.
    bool wrong_type(std::string found, std::size_t offset);
    bool unexpected_number() { return fail(FaultKind::InvalidNumber, stream_.Tell()); }
};

}  // namespace tolmin
