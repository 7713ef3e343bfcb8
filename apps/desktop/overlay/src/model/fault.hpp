#pragma once
// Why a line is not a Frame: the kind of the first fault, where it was found, and the text it is reported
// with ("invalid type: integer `5`, expected struct Hud at line 1 column 14").

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tolmin {

enum class FaultKind : std::uint8_t {
    // JSON syntax: the text is not one well-formed JSON value.
    EofWhileParsingList,
    EofWhileParsingObject,
    EofWhileParsingString,
    EofWhileParsingValue,
    ExpectedColon,
    ExpectedListCommaOrEnd,
    ExpectedObjectCommaOrEnd,
    ExpectedIdent,
    ExpectedSomeValue,
    InvalidEscape,
    InvalidNumber,
    NumberOutOfRange,
    InvalidUnicodeCodePoint,
    ControlCharacterInString,
    KeyMustBeAString,
    LoneLeadingSurrogate,
    TrailingComma,
    TrailingCharacters,
    UnexpectedEndOfHexEscape,
    // The render model: well-formed JSON that is not a Frame.
    DuplicateField,  // subject: the key
    UnknownVariant,  // subject: the name; expected: the names known
    CountMismatch,
    InvalidType,   // subject: the found part; expected: the expected part
    InvalidValue,  // subject: the found part; expected: the expected part
    EnumExpectedValue,
    RecursionLimit,
    SurplusValue,  // a value after the last field of a record in array form ("trailing characters")
};

// True for faults of JSON syntax, false for faults of the render model.
bool is_syntax_fault(FaultKind kind);

// The expected parts of "invalid type" and "invalid value" descriptions (a record names itself).
namespace expected {
inline constexpr std::string_view U32 = "u32";
inline constexpr std::string_view F64 = "f64";
inline constexpr std::string_view STRING = "a string";
inline constexpr std::string_view SEQUENCE = "a sequence";
inline constexpr std::string_view UNIT = "unit";
}  // namespace expected

struct Fault {
    FaultKind kind = FaultKind::ExpectedSomeValue;
    // Byte offset within the decoded text: the offending byte for syntax faults, the byte just after the
    // token that revealed the fault for faults of the model.
    std::size_t offset = 0;
    std::string subject;
    std::string_view expected;
};

// The fault's description without position: "duplicate field `v`".
std::string describe(const Fault& fault);

// " at line L column C" for a byte offset within `text`: L counts line feeds before the offset, C is the
// 1-based byte column on that line.
std::string position_suffix(std::string_view text, std::size_t offset);

// describe(fault) followed by the position suffix.
std::string fault_text(const Fault& fault, std::string_view text);

}  // namespace tolmin
