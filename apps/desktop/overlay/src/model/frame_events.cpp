#include "model/frame_events.hpp"

#include <limits>
#include <utility>
#include <vector>

#include "model/enum_names.hpp"
#include "model/found_part.hpp"
#include "model/frame_decoder.hpp"
#include "model/json_text.hpp"
#include "model/number_text.hpp"

namespace tolmin {

namespace {

template <class T>
T& field(const Target& target) {
    return *static_cast<T*>(target.storage);
}

// The layout shows at most four alerts and three toasts; room for them is made at once.
constexpr std::size_t LIST_ROOM = 4;

template <class T>
T* append(const Target& target) {
    std::vector<T>& list = field<std::vector<T>>(target);
    if (list.empty()) list.reserve(LIST_ROOM);
    return &list.emplace_back();
}

}  // namespace

bool FrameEvents::null_value() {
    const Target target = current();
    switch (target.want) {
        case Want::OptionalText:
            field<std::optional<std::string>>(target).reset();
            break;
        case Want::OptionalCount:
            field<std::optional<Count>>(target).reset();
            break;
        case Want::OptionalHud:
            field<std::optional<Hud>>(target).reset();
            break;
        case Want::OptionalNight:
            field<std::optional<Night>>(target).reset();
            break;
        case Want::Unit:
        case Want::Skip:
            break;
        default:
            return wrong_type(target, found_null(), stream_.Tell());
    }
    return value_done(stream_.Tell());
}

bool FrameEvents::bool_value(bool value) {
    const Target target = current();
    if (target.want != Want::Skip) return wrong_type(target, found_boolean(value), stream_.Tell());
    return true;
}

bool FrameEvents::number_value(const char* text, rapidjson::SizeType length) {
    // The value is read from the line: the copy may hold a stand-in of the same length (see decode_frame).
    const std::size_t start = offset_of(text);
    const std::string_view literal = text_.substr(start, length);
    const std::size_t end = start + length;
    if (nested_ != 0) {
        // A count's value is read whole before it is refused, so its numbers must be in range.
        return number_as_double(literal) || fail(FaultKind::NumberOutOfRange, start);
    }
    const Target target = current();
    switch (target.want) {
        case Want::Skip:
            return true;
        case Want::F64:
        case Want::OptionalCount: {
            const std::optional<double> number = number_as_double(literal);
            if (!number) return fail(FaultKind::NumberOutOfRange, start);
            if (target.want == Want::F64) {
                field<double>(target) = *number;
            } else {
                field<std::optional<Count>>(target).emplace(std::in_place_type<double>, *number);
            }
            return value_done(end);
        }
        case Want::AnchorName:
        case Want::ToastKindName:
            return fail(FaultKind::EnumExpectedValue, end);
        default:
            break;
    }
    const NumberRead read = read_number(literal);
    if (read.kind == NumberRead::Kind::OutOfRange) return fail(FaultKind::NumberOutOfRange, start);
    if (read.kind == NumberRead::Kind::Malformed) return fail(FaultKind::InvalidNumber, start);
    const bool integer = read.kind != NumberRead::Kind::Floating;
    if (target.want == Want::U32) {
        if (read.kind == NumberRead::Kind::Unsigned &&
            read.unsigned_value <= std::numeric_limits<std::uint32_t>::max()) {
            field<std::uint32_t>(target) = static_cast<std::uint32_t>(read.unsigned_value);
            return value_done(end);
        }
        if (integer) return fail_found(FaultKind::InvalidValue, found_integer(literal), expected::U32, end);
    }
    return wrong_type(target, integer ? found_integer(literal) : found_floating(read.floating_value), end);
}

bool FrameEvents::string_value(const char* text, rapidjson::SizeType length) {
    const Target target = current();
    if (target.want == Want::Skip) return true;
    if (!no_surrogate_in(text, length)) return false;
    const std::string_view value(text, length);
    switch (target.want) {
        case Want::Text:
            field<std::string>(target).assign(value);
            break;
        case Want::OptionalText:
            field<std::optional<std::string>>(target).emplace(value);
            break;
        case Want::OptionalCount:
            field<std::optional<Count>>(target).emplace(std::in_place_type<std::string>, value);
            break;
        case Want::AnchorName: {
            const std::optional<Anchor> anchor = anchor_from_name(value);
            if (!anchor)
                return fail_found(FaultKind::UnknownAnchor, std::string(value), {}, string_end(text));
            field<Anchor>(target) = *anchor;
            break;
        }
        case Want::ToastKindName:
            field<ToastKind>(target) = toast_kind_from_name(value);
            break;
        default:
            return wrong_type(target, found_string(value), string_end(text));
    }
    // Only a record in array form needs to know where the value ends.
    return value_done(in_container(Container::RecordArray) ? string_end(text) : 0);
}

bool FrameEvents::duplicate_field(std::string_view name, const char* text) {
    return fail_found(FaultKind::DuplicateField, std::string(name), {}, string_end(text));
}

// The one key of an enumeration in object form names its value.
bool FrameEvents::enum_key(Context& context, std::string_view name, const char* text) {
    if (context.next != 0) return fail(FaultKind::EnumExpectedValue, string_end(text));
    if (context.enumeration == Want::AnchorName) {
        const std::optional<Anchor> anchor = anchor_from_name(name);
        if (!anchor) return fail_found(FaultKind::UnknownAnchor, std::string(name), {}, string_end(text));
        context.named = static_cast<std::uint8_t>(*anchor);
    } else {
        context.named = static_cast<std::uint8_t>(toast_kind_from_name(name));
    }
    context.next = 1;
    return true;
}

Target FrameEvents::other_target() {
    if (depth_ == 0) return {Want::FrameRecord, &frame_};
    const Context& context = top();
    switch (context.container) {
        case Container::RecordObject:
            return pending_;
        case Container::RecordArray:
            return field_target(context.record, context.object, context.next);
        case Container::List:
            return {context.record == RecordKind::Alert ? Want::AlertElement : Want::ToastElement,
                    context.object};
        case Container::EnumObject:
            break;
    }
    return {Want::Unit, nullptr};
}

// A string's text starts just after its opening quote.
std::size_t FrameEvents::string_end(const char* text) const {
    return string_token_end(text_, offset_of(text) - 1);
}

// A decoded text holds a surrogate; the fault points at the escape that put it there.
bool FrameEvents::surrogate_fault(const char* text) {
    const std::size_t open = offset_of(text) - 1;
    const std::size_t end = string_token_end(text_, open);
    const std::size_t escape = next_unpaired_trail(text_, open + 1);
    return fail(FaultKind::InvalidUnicodeCodePoint, escape < end ? escape : end);
}

bool FrameEvents::fail(FaultKind kind, std::size_t offset) {
    Fault fault;
    fault.kind = kind;
    fault.offset = offset;
    fault_ = std::move(fault);
    return false;
}

bool FrameEvents::fail_found(FaultKind kind, std::string subject, std::string_view expected,
                             std::size_t offset) {
    fail(kind, offset);
    fault_->subject = std::move(subject);
    fault_->expected = expected;
    return false;
}

bool FrameEvents::wrong_type(const Target& target, std::string found, std::size_t offset) {
    switch (target.want) {
        case Want::AnchorName:
        case Want::ToastKindName:
            return fail(FaultKind::EnumExpectedValue, offset);
        case Want::OptionalCount:
            return fail(FaultKind::CountMismatch, offset);
        case Want::Surplus:
        case Want::Skip:
            return fail(FaultKind::SurplusValue, offset);
        default:
            return fail_found(FaultKind::InvalidType, std::move(found), expected_of(target.want), offset);
    }
}

bool FrameEvents::push(const Context& context, std::size_t after) {
    if (depth_ + 1 > MAX_NESTING || depth_ == MAX_CONTEXTS) return fail(FaultKind::RecursionLimit, after);
    stack_[depth_++] = context;
    return true;
}

bool FrameEvents::open_record(bool as_array, RecordKind record, void* object, std::size_t after) {
    Context context;
    context.container = as_array ? Container::RecordArray : Container::RecordObject;
    context.record = record;
    context.object = object;
    return push(context, after);
}

bool FrameEvents::open(bool as_array) {
    const std::size_t after = stream_.Tell() + 1;  // the reader calls before it takes the bracket
    if (nested_ != 0) {                            // inside a count's value
        if (depth_ + nested_ + 1 > MAX_NESTING) return fail(FaultKind::RecursionLimit, after);
        ++nested_;
        return true;
    }
    const Target target = current();
    switch (target.want) {
        case Want::FrameRecord:
            return open_record(as_array, RecordKind::Frame, &frame_, after);
        case Want::AlertElement:
            return open_record(as_array, RecordKind::Alert, append<Alert>(target), after);
        case Want::ToastElement:
            return open_record(as_array, RecordKind::Toast, append<Toast>(target), after);
        case Want::OptionalHud:
            return open_record(as_array, RecordKind::Hud, &field<std::optional<Hud>>(target).emplace(),
                               after);
        case Want::OptionalNight:
            return open_record(as_array, RecordKind::Night, &field<std::optional<Night>>(target).emplace(),
                               after);
        case Want::AlertList:
        case Want::ToastList:
            if (!as_array) break;
            {
                Context list;
                list.container = Container::List;
                list.record = target.want == Want::AlertList ? RecordKind::Alert : RecordKind::Toast;
                list.object = target.storage;
                return push(list, after);
            }
        case Want::AnchorName:
        case Want::ToastKindName:
            if (as_array) break;
            {
                Context enumeration;
                enumeration.container = Container::EnumObject;
                enumeration.enumeration = target.want;
                enumeration.object = target.storage;
                return push(enumeration, after);
            }
        case Want::OptionalCount:
        case Want::Skip:
            // A count's value opens at most MAX_CONTEXTS deep, far below the limit; open() counts from here.
            counting_ = target.want == Want::OptionalCount;
            nested_ = 1;
            return true;
        default:
            break;
    }
    return wrong_type(target, as_array ? found_sequence() : found_map(), after);
}

bool FrameEvents::close() {
    const std::size_t after = stream_.Tell() + 1;  // the reader calls before it takes the bracket
    if (nested_ != 0) {                            // the end of a skipped value or of a count's value
        nested_ = 0;
        return !counting_ || fail(FaultKind::CountMismatch, after);
    }
    const Context& context = top();
    if (context.container == Container::EnumObject) {
        if (context.next == 0) return fail(FaultKind::EnumExpectedValue, after);
        if (context.enumeration == Want::AnchorName) {
            *static_cast<Anchor*>(context.object) = static_cast<Anchor>(context.named);
        } else {
            *static_cast<ToastKind*>(context.object) = static_cast<ToastKind>(context.named);
        }
    }
    --depth_;
    return value_done(after);
}

// The next field of a record in array form (or the value of an enumeration object). After its last field
// only the closing bracket may follow: a comma there is refused before the reader reads on.
bool FrameEvents::next_field(std::size_t end) {
    Context& context = top();
    if (context.container == Container::EnumObject) {
        context.next = 2;
        return true;
    }
    ++context.next;
    if (context.next != field_count(context.record)) return true;
    const std::size_t comma = skip_json_space(text_, end);
    if (comma >= text_.size() || text_[comma] != ',') return true;
    const std::size_t after = skip_json_space(text_, comma + 1);
    if (after >= text_.size()) return true;  // the reader reports the end of the text
    return fail(text_[after] == ']' ? FaultKind::TrailingComma : FaultKind::SurplusValue, after);
}

}  // namespace tolmin
