#pragma once
// The handler of the JSON reader's events that builds a Frame: a small stack of open records, lists and
// enumeration objects, the target of the next value, and a counter for the nesting of a value that is
// skipped (under an unknown key) or read whole only to be refused (a count that is an array or object).
// A handler method that returns false stops the reader; fault() then says why. The cheap cases (values
// being skipped, fields of records in object form) are decided inline, the rest out of line.

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
#include "model/record_fields.hpp"
#include "model/value_target.hpp"

namespace tolmin {

class FrameEvents {
public:
    // `text` is the line; `copy` is the NUL-terminated copy that `stream` reads and unescapes in place. The
    // Frame is built into `frame`.
    FrameEvents(std::string_view text, const char* copy, rapidjson::InsituStringStream& stream, Frame& frame)
        : text_(text), copy_(copy), stream_(stream), frame_(frame) {}

    const std::optional<Fault>& fault() const { return fault_; }

    // The reader's handler interface.
    bool Null() { return nested_ != 0 || null_value(); }
    bool Bool(bool value) { return nested_ != 0 || bool_value(value); }
    bool RawNumber(const char* text, rapidjson::SizeType length, bool /*copy*/) {
        return (nested_ != 0 && !counting_) || number_value(text, length);
    }
    // The common cases inline: a text field of a record in object form, a known key.
    bool String(const char* text, rapidjson::SizeType length, bool /*copy*/) {
        if (nested_ != 0) return true;
        if (in_container(Container::RecordObject)) {
            if (pending_.want == Want::Skip) return true;
            if (pending_.want == Want::Text || pending_.want == Want::OptionalText) {
                if (!no_surrogate_in(text, length)) return false;
                if (pending_.want == Want::Text) {
                    static_cast<std::string*>(pending_.storage)->assign(text, length);
                } else {
                    static_cast<std::optional<std::string>*>(pending_.storage)->emplace(text, length);
                }
                return true;
            }
        }
        return string_value(text, length);
    }
    bool Key(const char* text, rapidjson::SizeType length, bool /*copy*/) {
        if (nested_ != 0) return true;
        if (!no_surrogate_in(text, length)) return false;
        Context& context = top();
        const std::string_view name(text, length);
        if (context.container != Container::RecordObject) return enum_key(context, name, text);
        const int index = field_index(context.record, name);
        if (index == NO_FIELD) {
            pending_ = {Want::Skip, nullptr};
            return true;
        }
        const std::uint32_t bit = std::uint32_t{1} << index;
        if ((context.given & bit) != 0) return duplicate_field(name, text);
        context.given |= bit;
        pending_ = field_target(context.record, context.object, index);
        return true;
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
    enum class Container : std::uint8_t { RecordObject, RecordArray, List, EnumObject };

    struct Context {
        Container container = Container::RecordObject;
        RecordKind record = RecordKind::Frame;  // records: the record; List: the kind of its elements
        Want enumeration = Want::AnchorName;    // EnumObject: AnchorName or ToastKindName
        std::uint8_t next = 0;  // RecordArray: the next field; EnumObject: 0 no key, 1 key read, 2 value read
        std::uint8_t named = 0;   // EnumObject: the value its key names
        std::uint32_t given = 0;  // RecordObject: one bit per field already given
        void* object = nullptr;   // the record, the list, or the enumeration field
    };

    static constexpr std::size_t MAX_CONTEXTS = 8;  // the Frame, a list, a record, an enumeration object

    std::string_view text_;
    const char* copy_;
    rapidjson::InsituStringStream& stream_;
    Frame& frame_;
    std::optional<Fault> fault_;
    std::array<Context, MAX_CONTEXTS> stack_{};
    std::size_t depth_ = 0;
    Target pending_;          // the value of the key just read (records in object form)
    std::size_t nested_ = 0;  // open arrays and objects of the value being skipped or of a count's value
    bool counting_ = false;   // the nested value is a count's (limited, refused at its end)

    Context& top() { return stack_[depth_ - 1]; }
    bool in_container(Container container) const {
        return depth_ != 0 && stack_[depth_ - 1].container == container;
    }
    Target current() { return in_container(Container::RecordObject) ? pending_ : other_target(); }
    Target other_target();

    bool null_value();
    bool bool_value(bool value);
    bool number_value(const char* text, rapidjson::SizeType length);
    bool string_value(const char* text, rapidjson::SizeType length);
    bool enum_key(Context& context, std::string_view name, const char* text);
    bool duplicate_field(std::string_view name, const char* text);

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

    bool fail(FaultKind kind, std::size_t offset);
    bool fail_found(FaultKind kind, std::string subject, std::string_view expected, std::size_t offset);
    bool wrong_type(const Target& target, std::string found, std::size_t offset);
    bool unexpected_number() { return fail(FaultKind::InvalidNumber, stream_.Tell()); }

    // Inside a skipped value (no limit) only the nesting is counted.
    bool skip_open() { return nested_ != 0 && !counting_ && ++nested_ != 0; }
    bool skip_close() { return nested_ > 1 && --nested_ != 0; }
    bool push(const Context& context, std::size_t after);
    bool open_record(bool as_array, RecordKind record, void* object, std::size_t after);
    bool open(bool as_array);
    bool close();
    // After a value that ended just before `end`: records in array form move to their next field.
    bool value_done(std::size_t end) {
        return in_container(Container::RecordObject) || in_container(Container::List) || depth_ == 0 ||
               next_field(end);
    }
    bool next_field(std::size_t end);
};

}  // namespace tolmin
