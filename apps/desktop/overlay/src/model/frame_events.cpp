#include "model/frame_events.hpp"

#include <limits>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "model/enum_names.hpp"
#include "model/found_part.hpp"
#include "model/frame_decoder.hpp"
#include "model/key_table.hpp"
#include "model/number_text.hpp"
#include "model/variant_visit.hpp"

namespace tolmin {

namespace {

template <class T>
concept IsEnum = std::is_enum_v<T>;

// The layout shows at most four alerts and three toasts; room for them is made at once.
constexpr std::size_t LIST_ROOM = 4;

template <class R>
R& append(std::vector<R>& list) {
    if (list.empty()) list.reserve(LIST_ROOM);
    return list.emplace_back();
}
}  // namespace

// Each value event below names the slots that take its value, by their type; any other slot refuses it
// (wrong_type). A value that was taken may move a record in array form on to its next field (after_value).

bool FrameEvents::null_value() {
    const std::size_t end = stream_.Tell();
    return visit_inline(Overloaded{[](SkipValue) { return true; }, [](UnitValue) { return true; },
                                   []<class T>(std::optional<T>* field) {
                                       field->reset();
                                       return true;
                                   },
                                   [&](auto) { return wrong_type(found_null(), end); }},
                        next_) &&
           after_value(end);
}

bool FrameEvents::bool_value(bool value) {
    return std::holds_alternative<SkipValue>(next_) || wrong_type(found_boolean(value), stream_.Tell());
}

bool FrameEvents::number_value(const char* text, rapidjson::SizeType length) {
    // The value is read from the line: the copy may hold a stand-in of the same length (see decode_frame).
    const std::size_t start = offset_of(text);
    const std::size_t end = start + length;
    // The reader ends a number at a digit only after a leading zero ("01"), which is no JSON number. (A
    // number under an unknown key comes here only then.)
    const bool leading_zero = end < text_.size() && text_[end] >= '0' && text_[end] <= '9';
    if (leading_zero) return fail(FaultKind::InvalidNumber, end);
    const std::string_view literal = text_.substr(start, length);
    // A count's value is read whole before it is refused, so its numbers must be in range.
    if (refused_ != 0) return number_as_double(literal) || fail(FaultKind::NumberOutOfRange, start);
    const auto as_double = [&](auto& field) {
        const std::optional<double> number = number_as_double(literal);
        if (number) field = *number;
        return number || fail(FaultKind::NumberOutOfRange, start);
    };
    return visit_inline(
               Overloaded{[](SkipValue) { return true; }, [&](double* field) { return as_double(*field); },
                          [&](std::optional<Count>* field) { return as_double(*field); },
                          [&](std::uint32_t* field) { return integer_value(literal, start, end, field); },
                          [&]<IsEnum E>(E*) { return fail(FaultKind::EnumExpectedValue, end); },
                          [&](auto) { return integer_value(literal, start, end, nullptr); }},
               next_) &&
           after_value(end);
}

// A number for a u32 field, or (without one) for a slot that takes no number.
bool FrameEvents::integer_value(std::string_view literal, std::size_t start, std::size_t end,
                                std::uint32_t* u32) {
    const NumberRead read = read_number(literal);
    if (read.kind == NumberRead::Kind::OutOfRange) return fail(FaultKind::NumberOutOfRange, start);
    if (read.kind == NumberRead::Kind::Malformed) return fail(FaultKind::InvalidNumber, start);
    const bool integer = read.kind != NumberRead::Kind::Floating;
    if (u32 != nullptr && integer) {
        if (read.kind == NumberRead::Kind::Unsigned &&
            read.unsigned_value <= std::numeric_limits<std::uint32_t>::max()) {
            *u32 = static_cast<std::uint32_t>(read.unsigned_value);
            return true;
        }
        return fail(FaultKind::InvalidValue, end, found_integer(literal), expected::U32);
    }
    return wrong_type(integer ? found_integer(literal) : found_floating(read.floating_value), end);
}

bool FrameEvents::string_value(const char* text, rapidjson::SizeType length) {
    if (std::holds_alternative<SkipValue>(next_)) return true;
    if (!no_surrogate_in(text, length)) return false;
    const std::string_view value(text, length);
    return visit_inline(Overloaded{[&](std::string* field) {
                                       field->assign(value);
                                       return true;
                                   },
                                   [&](std::optional<std::string>* field) {
                                       field->emplace(value);
                                       return true;
                                   },
                                   [&](std::optional<Count>* field) {
                                       field->emplace(std::in_place_type<std::string>, value);
                                       return true;
                                   },
                                   [&]<IsEnum E>(E* field) { return name_value(*field, value, text); },
                                   [&](auto) { return wrong_type(found_string(value), string_end(text)); }},
                        next_) &&
           after_value([this, text] { return string_end(text); });
}

bool FrameEvents::key(const char* text, rapidjson::SizeType length) {
    if (!no_surrogate_in(text, length)) return false;
    const std::string_view name(text, length);
    return visit_inline(
        Overloaded{[&]<class R>(InObject<R>& object) { return field_key(object, name, text); },
                   // The one key of an enumeration in object form names its value.
                   [&]<class E>(InEnumObject<E>& object) {
                       if (object.named) return fail(FaultKind::EnumExpectedValue, string_end(text));
                       next_ = UnitValue{};
                       return name_value(object.named.emplace(), name, text);
                   },
                   [](auto&) { return true; }},  // the reader reads keys in objects only
        stack_[depth_ - 1]);
}

// `inline`: on the hot path, and worth the compiler's inlining it into key().
template <class R>
inline bool FrameEvents::field_key(InObject<R>& object, std::string_view name, const char* text) {
    const int index = field_index<R>(name);
    if (index == NO_FIELD) {
        next_ = SkipValue{};
        return true;
    }
    if (object.given[index]) return fail(FaultKind::DuplicateField, string_end(text), std::string(name));
    object.given[index] = true;
    point_at_field(next_, *object.record, static_cast<std::size_t>(index));
    return true;
}

// A name of a value of E (the key of an enumeration in object form, or a string).
template <class E>
bool FrameEvents::name_value(E& field, std::string_view name, const char* text) {
    const std::optional<E> value = enum_from_name<E>(name);
    if (value) field = *value;
    if constexpr (requires { EnumNames<E>::EXPECTED; }) {
        return value ||
               fail(FaultKind::UnknownVariant, string_end(text), std::string(name), EnumNames<E>::EXPECTED);
    } else {
        return true;  // every other name is OTHER
    }
}

bool FrameEvents::open(bool as_array) {
    const std::size_t after = stream_.Tell() + 1;  // the reader calls before it takes the bracket
    if (refused_ != 0) {
        ++refused_;
        return depth_ + refused_ <= MAX_NESTING || fail(FaultKind::RecursionLimit, after);
    }
    const auto wrong = [&] { return wrong_type(as_array ? found_sequence() : found_map(), after); };
    return visit_inline(Overloaded{[&](SkipValue) {
                                       skipped_ = 1;
                                       return true;
                                   },
                                   [&](std::optional<Count>*) {
                                       refused_ =
                                           1;  // far below the limit: the Frame, a list and a toast are open
                                       return true;
                                   },
                                   [&](Frame* frame) { return open_record(*frame, as_array, after); },
                                   [&]<IsRecord R>(std::optional<R>* field) {
                                       return open_record(field->emplace(), as_array, after);
                                   },
                                   [&]<class R>(NewElement<R> element) {
                                       return open_record(append(*element.list), as_array, after);
                                   },
                                   [&]<class R>(std::vector<R>* list) {
                                       if (!as_array) return wrong();
                                       next_ = NewElement<R>{list};
                                       return push(InList<R>{list}, after);
                                   },
                                   [&]<IsEnum E>(E* field) {
                                       return as_array ? wrong() : push(InEnumObject<E>{field, {}}, after);
                                   },
                                   [&](auto) { return wrong(); }},
                        next_);
}

template <class R>
bool FrameEvents::open_record(R& record, bool as_array, std::size_t after) {
    if (!as_array) return push(InObject<R>{&record}, after);
    point_at_field(next_, record, 0);
    return push(InArray<R>{&record}, after);
}

template <class Container>
bool FrameEvents::push(const Container& container, std::size_t after) {
    if (depth_ == MAX_OPEN) return fail(FaultKind::RecursionLimit, after);
    stack_[depth_++].emplace<Container>(container);
    return true;
}

bool FrameEvents::close() {
    const std::size_t after = stream_.Tell() + 1;  // the reader calls before it takes the bracket
    if (refused_ != 0) return --refused_ != 0 || fail(FaultKind::CountMismatch, after);
    const bool closed =
        visit_inline(Overloaded{[&]<class E>(InEnumObject<E>& object) {
                                    if (object.named) *object.field = *object.named;
                                    return object.named || fail(FaultKind::EnumExpectedValue, after);
                                },
                                [](auto&) { return true; }},
                     stack_[depth_ - 1]);
    --depth_;
    return closed && after_value(after);
}

template <class End>
bool FrameEvents::after_value(End end) {
    if (depth_ == 0 || !moves_on(stack_[depth_ - 1])) return true;
    return visit_inline(Overloaded{[&]<class R>(InArray<R>& array) {
                                       if constexpr (std::is_invocable_v<End>) {
                                           return next_field(array, end());
                                       } else {
                                           return next_field(array, end);
                                       }
                                   },
                                   [&]<class R>(InList<R>& list) {
                                       next_ = NewElement<R>{list.list};
                                       return true;
                                   },
                                   [](auto&) { return true; }},
                        stack_[depth_ - 1]);
}

// After its last field, only the closing bracket may follow a record in array form: a comma there is refused
// before the reader reads on.
template <class R>
bool FrameEvents::next_field(InArray<R>& array, std::size_t end) {
    point_at_field(next_, *array.record, ++array.next);
    if (array.next != FIELD_COUNT<R>) return true;
    const std::size_t comma = skip_json_space(text_, end);
    if (comma >= text_.size() || text_[comma] != ',') return true;
    const std::size_t after = skip_json_space(text_, comma + 1);
    if (after >= text_.size()) return true;  // the reader reports the end of the text
    return fail(text_[after] == ']' ? FaultKind::TrailingComma : FaultKind::SurplusValue, after);
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

bool FrameEvents::fail(FaultKind kind, std::size_t offset, std::string subject, std::string_view expected) {
    fault_ = Fault{kind, offset, std::move(subject), expected};
    return false;
}

bool FrameEvents::wrong_type(std::string found, std::size_t offset) {
    return visit_inline(
        Overloaded{[&]<IsEnum E>(E*) { return fail(FaultKind::EnumExpectedValue, offset); },
                   [&](std::optional<Count>*) { return fail(FaultKind::CountMismatch, offset); },
                   [&](SkipValue) { return fail(FaultKind::SurplusValue, offset); },
                   [&](SurplusValue) { return fail(FaultKind::SurplusValue, offset); },
                   [&](auto slot) {
                       return fail(FaultKind::InvalidType, offset, std::move(found), expected_part(slot));
                   }},
        next_);
}

}  // namespace tolmin
