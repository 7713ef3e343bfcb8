#pragma once
// The handler of the JSON reader's events that builds a Frame: a small stack of open records, lists and
// enumeration objects, the target of the next value, and a counter for the nesting of a value that is
// skipped (under an unknown key) or read whole only to be refused (a count that is an array or object).
// A handler method that returns false stops the reader; fault() then says why.

#include <rapidjson/reader.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/fault.hpp"
#include "model/frame.hpp"
#include "model/value_target.hpp"

namespace tolmin {

class FrameEvents {
  public:
    // `text` is the line; `copy` is the NUL-terminated copy that `stream` reads and unescapes in place.
    FrameEvents(std::string_view text, const char* copy, rapidjson::InsituStringStream& stream)
        : text_(text), copy_(copy), stream_(stream) {}

    Frame take_frame() { return std::move(frame_); }
    const std::optional<Fault>& fault() const { return fault_; }

    // The reader's handler interface.
    bool Null();
    bool Bool(bool value);
    bool RawNumber(const char* text, rapidjson::SizeType length, bool copy);
    bool String(const char* text, rapidjson::SizeType length, bool copy);
    bool StartObject() { return open(false); }
    bool Key(const char* text, rapidjson::SizeType length, bool copy);
    bool EndObject(rapidjson::SizeType) { return close(); }
    bool StartArray() { return open(true); }
    bool EndArray(rapidjson::SizeType) { return close(); }
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
    Frame frame_;
    std::optional<Fault> fault_;
    std::array<Context, MAX_CONTEXTS> stack_{};
    std::size_t depth_ = 0;
    Target pending_;          // the value of the key just read (records in object form)
    std::size_t nested_ = 0;  // open arrays and objects of the value being skipped or of a count's value
    bool counting_ = false;   // the nested value is a count's (limited, refused at its end)

    Context& top() { return stack_[depth_ - 1]; }
    bool in_record_array() const;
    Target current();

    // Positions: a string or number event points into the copy, which gives the offset; literal and bracket
    // events read the stream (the reader calls them after a literal and before it takes a bracket).
    std::size_t offset_of(const char* in_copy) const { return static_cast<std::size_t>(in_copy - copy_); }
    std::size_t string_end(const char* text) const;

    bool fail(FaultKind kind, std::size_t offset);
    bool fail_found(FaultKind kind, std::string subject, std::string_view expected, std::size_t offset);
    bool wrong_type(const Target& target, std::string found, std::size_t offset);
    bool fail_surrogate(const char* text);
    bool unexpected_number() { return fail(FaultKind::InvalidNumber, stream_.Tell()); }

    bool enum_key(Context& context, std::string_view key, const char* text);
    bool push(const Context& context, std::size_t after);
    bool open_record(bool as_array, RecordKind record, void* object, std::size_t after);
    bool open(bool as_array);
    bool close();
    bool value_done(std::size_t end);
};

}  // namespace tolmin
