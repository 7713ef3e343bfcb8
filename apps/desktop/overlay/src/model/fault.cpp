#include "model/fault.hpp"

#include "text/json_string.hpp"

namespace tolmin {

namespace {

std::string_view fixed_text(FaultKind kind) {
    switch (kind) {
        case FaultKind::EofWhileParsingList:
            return "EOF while parsing a list";
        case FaultKind::EofWhileParsingObject:
            return "EOF while parsing an object";
        case FaultKind::EofWhileParsingString:
            return "EOF while parsing a string";
        case FaultKind::EofWhileParsingValue:
            return "EOF while parsing a value";
        case FaultKind::ExpectedColon:
            return "expected `:`";
        case FaultKind::ExpectedListCommaOrEnd:
            return "expected `,` or `]`";
        case FaultKind::ExpectedObjectCommaOrEnd:
            return "expected `,` or `}`";
        case FaultKind::ExpectedIdent:
            return "expected ident";
        case FaultKind::ExpectedSomeValue:
            return "expected value";
        case FaultKind::InvalidEscape:
            return "invalid escape";
        case FaultKind::InvalidNumber:
            return "invalid number";
        case FaultKind::NumberOutOfRange:
            return "number out of range";
        case FaultKind::InvalidUnicodeCodePoint:
            return "invalid unicode code point";
        case FaultKind::ControlCharacterInString:
            return "control character (\\u0000-\\u001F) found while parsing a string";
        case FaultKind::KeyMustBeAString:
            return "key must be a string";
        case FaultKind::LoneLeadingSurrogate:
            return "lone leading surrogate in hex escape";
        case FaultKind::TrailingComma:
            return "trailing comma";
        case FaultKind::TrailingCharacters:
        case FaultKind::SurplusValue:
            return "trailing characters";
        case FaultKind::UnexpectedEndOfHexEscape:
            return "unexpected end of hex escape";
        case FaultKind::CountMismatch:
            return "data did not match any variant of untagged enum Count";
        case FaultKind::EnumExpectedValue:
            return "expected value";
        case FaultKind::RecursionLimit:
            return "recursion limit exceeded";
        case FaultKind::DuplicateField:
        case FaultKind::UnknownVariant:
        case FaultKind::InvalidType:
        case FaultKind::InvalidValue:
            break;
    }
    return {};
}

}  // namespace

bool is_syntax_fault(FaultKind kind) {
    return static_cast<int>(kind) <= static_cast<int>(FaultKind::UnexpectedEndOfHexEscape);
}

std::string describe(const Fault& fault) {
    std::string out;
    switch (fault.kind) {
        case FaultKind::DuplicateField:
            out.append("duplicate field `");
            append_control_escaped(out, fault.subject);
            out.append("`");
            return out;
        case FaultKind::UnknownVariant:
            out.append("unknown variant `");
            append_control_escaped(out, fault.subject);
            out.append("`, expected ").append(fault.expected);
            return out;
        case FaultKind::InvalidType:
        case FaultKind::InvalidValue:
            out.append(fault.kind == FaultKind::InvalidType ? "invalid type: " : "invalid value: ");
            out.append(fault.subject).append(", expected ").append(fault.expected);
            return out;
        default:
            return std::string(fixed_text(fault.kind));
    }
}

std::string position_suffix(std::string_view text, std::size_t offset) {
    if (offset > text.size()) offset = text.size();
    std::size_t line = 1;
    std::size_t line_start = 0;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++line;
            line_start = i + 1;
        }
    }
    const std::size_t column = offset - line_start + 1;
    return " at line " + std::to_string(line) + " column " + std::to_string(column);
}

std::string fault_text(const Fault& fault, std::string_view text) {
    return describe(fault) + position_suffix(text, fault.offset);
}

}  // namespace tolmin
