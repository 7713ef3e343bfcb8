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

}  // namespace

bool FrameEvents::Null() {
    if (nested_ != 0) return true;
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

bool FrameEvents::Bool(bool value) {
    if (nested_ != 0) return true;
    const Target target = current();
    if (target.want != Want::Skip) return wrong_type(target, found_boolean(value), stream_.Tell());
    return value_done(stream_.Tell());
}

bool FrameEvents::RawNumber(const char* text, rapidjson::SizeType length, bool /*copy*/) {
    const std::string_view literal(text, length);
    const std::size_t start = offset_of(text);
    const std::size_t end = start + length;
    if (nested_ != 0) {
        // A count's value is read whole before it is refused, so its numbers must be in range.
        if (counting_ && !number_as_double(literal)) return fail(FaultKind::NumberOutOfRange, start);
        return true;
    }
    const Target target = current();
    switch (target.want) {
        case Want::Skip:
            break;
        case Want::F64:
        case Want::OptionalCount: {
            const std::optional<double> number = number_as_double(literal);
            if (!number) return fail(FaultKind::NumberOutOfRange, start);
            if (target.want == Want::F64) {
                field<double>(target) = *number;
            } else {
                field<std::optional<Count>>(target).emplace(std::in_place_type<double>, *number);
            }
            break;
        }
        case Want::AnchorName:
        case Want::ToastKindName:
            return fail(FaultKind::EnumExpectedValue, end);
        default: {
            const NumberRead read = read_number(literal);
            if (read.kind == NumberRead::Kind::OutOfRange) return fail(FaultKind::NumberOutOfRange, start);
            if (read.kind == NumberRead::Kind::Malformed) return fail(FaultKind::InvalidNumber, start);
            const bool integer = read.kind != NumberRead::Kind::Floating;
            if (target.want == Want::U32) {
                if (read.kind == NumberRead::Kind::Unsigned &&
                    read.unsigned_value <= std::numeric_limits<std::uint32_t>::max()) {
                    field<std::uint32_t>(target) = static_cast<std::uint32_t>(read.unsigned_value);
                    break;
                }
                if (integer)
                    return fail_found(FaultKind::InvalidValue, found_integer(literal), expected::U32, end);
            }
            return wrong_type(target, integer ? found_integer(literal) : found_floating(read.floating_value),
                              end);
        }
    }
    return value_done(end);
}

bool FrameEvents::String(const char* text, rapidjson::SizeType length, bool /*copy*/) {
    if (nested_ != 0) return true;
    const Target target = current();
    const std::string_view value(text, length);
    if (target.want != Want::Skip) {
        if (holds_surrogate(value)) return fail_surrogate(text);
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
    }
    // Only a record in array form needs to know where the value ends.
    return value_done(in_record_array() ? string_end(text) : 0);
}

bool FrameEvents::Key(const char* text, rapidjson::SizeType length, bool /*copy*/) {
    if (nested_ != 0) return true;
    const std::string_view key(text, length);
    if (holds_surrogate(key)) return fail_surrogate(text);
    Context& context = top();
    if (context.container == Container::EnumObject) return enum_key(context, key, text);
    const int index = field_index(context.record, key);
    if (index == NO_FIELD) {
        pending_ = {Want::Skip, nullptr};
        return true;
    }
    const std::uint32_t bit = std::uint32_t{1} << index;
    if ((context.given & bit) != 0) {
        return fail_found(FaultKind::DuplicateField, std::string(key), {}, string_end(text));
    }
    context.given |= bit;
    pending_ = target_of(field_slot(context.record, context.object, index));
    return true;
}

// The one key of an enumeration in object form names its value.
bool FrameEvents::enum_key(Context& context, std::string_view key, const char* text) {
    if (context.next != 0) return fail(FaultKind::EnumExpectedValue, string_end(text));
    if (context.enumeration == Want::AnchorName) {
        const std::optional<Anchor> anchor = anchor_from_name(key);
        if (!anchor) return fail_found(FaultKind::UnknownAnchor, std::string(key), {}, string_end(text));
        context.named = static_cast<std::uint8_t>(*anchor);
    } else {
        context.named = static_cast<std::uint8_t>(toast_kind_from_name(key));
    }
    context.next = 1;
    return true;
}

bool FrameEvents::in_record_array() const {
    return depth_ != 0 && stack_[depth_ - 1].container == Container::RecordArray;
}

Target FrameEvents::current() {
    if (depth_ == 0) return {Want::FrameRecord, &frame_};
    const Context& context = top();
    switch (context.container) {
        case Container::RecordObject:
            return pending_;
        case Container::RecordArray:
            if (context.next >= field_count(context.record)) return {Want::Surplus, nullptr};
            return target_of(field_slot(context.record, context.object, context.next));
        case Container::List:
            return {context.record == RecordKind::Alert ? Want::AlertElement : Want::ToastElement,
                    context.object};
        case Container::EnumObject:
            return {Want::Unit, nullptr};
    }
    return {Want::Skip, nullptr};
}

// A string's text starts just after its opening quote.
std::size_t FrameEvents::string_end(const char* text) const {
    return string_token_end(text_, offset_of(text) - 1);
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

// A decoded text holds a surrogate only from an unpaired \uDC00-\uDFFF escape; point at that escape.
bool FrameEvents::fail_surrogate(const char* text) {
    const std::size_t open = offset_of(text) - 1;
    std::size_t offset = unpaired_surrogate_escape(text_, open);
    if (offset == std::string_view::npos) offset = string_token_end(text_, open);
    return fail(FaultKind::InvalidUnicodeCodePoint, offset);
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
    if (nested_ != 0) {
        if (counting_ && depth_ + nested_ + 1 > MAX_NESTING) return fail(FaultKind::RecursionLimit, after);
        ++nested_;
        return true;
    }
    const Target target = current();
    switch (target.want) {
        case Want::FrameRecord:
            return open_record(as_array, RecordKind::Frame, &frame_, after);
        case Want::AlertElement:
            return open_record(as_array, RecordKind::Alert, &field<std::vector<Alert>>(target).emplace_back(),
                               after);
        case Want::ToastElement:
            return open_record(as_array, RecordKind::Toast, &field<std::vector<Toast>>(target).emplace_back(),
                               after);
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
            counting_ = target.want == Want::OptionalCount;
            if (counting_ && depth_ + 1 > MAX_NESTING) return fail(FaultKind::RecursionLimit, after);
            nested_ = 1;
            return true;
        default:
            break;
    }
    return wrong_type(target, as_array ? found_sequence() : found_map(), after);
}

bool FrameEvents::close() {
    const std::size_t after = stream_.Tell() + 1;  // the reader calls before it takes the bracket
    if (nested_ != 0) {
        if (--nested_ != 0) return true;
        if (counting_) return fail(FaultKind::CountMismatch, after);
        return value_done(after);
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

// A value ended just before `end`. After the last field of a record in array form only the closing bracket
// may follow: a comma there is refused before the reader reads on.
bool FrameEvents::value_done(std::size_t end) {
    if (depth_ == 0) return true;
    Context& context = top();
    if (context.container == Container::EnumObject) {
        context.next = 2;
    } else if (context.container == Container::RecordArray) {
        ++context.next;
        if (context.next == field_count(context.record)) {
            const std::size_t comma = skip_json_space(text_, end);
            if (comma < text_.size() && text_[comma] == ',') {
                const std::size_t after = skip_json_space(text_, comma + 1);
                if (after < text_.size()) {
                    return fail(text_[after] == ']' ? FaultKind::TrailingComma : FaultKind::SurplusValue,
                                after);
                }
            }
        }
    }
    return true;
}

}  // namespace tolmin
