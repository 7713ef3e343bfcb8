#include "model/syntax_fault.hpp"

#include "model/json_text.hpp"

namespace tolmin {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}
bool is_lower_letter(char c) {
    return c >= 'a' && c <= 'z';
}
bool is_hex(char c) {
    return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

Fault at(FaultKind kind, std::size_t offset) {
    Fault fault;
    fault.kind = kind;
    fault.offset = offset;
    return fault;
}

// A \u escape at `escape` whose hexadecimal digits (or those of the escape that completes its surrogate
// pair) are not all there: the first byte that is not a digit, or the end of the text.
Fault bad_hex_escape(std::string_view text, std::size_t escape) {
    std::size_t i = escape + 2;
    for (int part = 0; part < 2; ++part) {
        for (int digit = 0; digit < 4; ++digit, ++i) {
            if (i >= text.size()) return at(FaultKind::EofWhileParsingString, text.size());
            if (!is_hex(text[i])) return at(FaultKind::InvalidEscape, i);
        }
        const long unit = hex4_at(text, i - 4);
        const bool pair_follows = i + 1 < text.size() && text[i] == '\\' && text[i + 1] == 'u';
        if (unit < 0xD800 || unit > 0xDBFF || !pair_follows) break;
        i += 2;
    }
    return at(FaultKind::InvalidEscape, escape);
}

// A leading surrogate escape at `escape` that is not followed by the escape of a trailing one.
Fault bad_surrogate_pair(std::string_view text, std::size_t escape) {
    const std::size_t next = escape + 6;
    if (next >= text.size()) return at(FaultKind::EofWhileParsingString, text.size());
    if (text[next] != '\\') return at(FaultKind::UnexpectedEndOfHexEscape, next);
    if (next + 1 >= text.size()) return at(FaultKind::EofWhileParsingString, text.size());
    if (text[next + 1] != 'u') return at(FaultKind::UnexpectedEndOfHexEscape, next + 1);
    return at(FaultKind::LoneLeadingSurrogate, next);
}

}  // namespace

Fault syntax_fault(rapidjson::ParseErrorCode code, std::size_t offset, std::string_view text) {
    const std::size_t n = text.size();
    if (offset > n) offset = n;
    // The reader reads NUL past the end; a NUL byte inside the text is an unexpected byte, not the end.
    const bool at_end = offset == n;
    const char byte = at_end ? '\0' : text[offset];
    const char before = previous_token_byte(text, offset);

    switch (code) {
        case rapidjson::kParseErrorDocumentEmpty:
            return at(at_end ? FaultKind::EofWhileParsingValue : FaultKind::ExpectedSomeValue, offset);
        case rapidjson::kParseErrorDocumentRootNotSingular:
            return at(FaultKind::TrailingCharacters, offset);
        case rapidjson::kParseErrorValueInvalid:
            if (at_end) {
                return at(before == '[' ? FaultKind::EofWhileParsingList : FaultKind::EofWhileParsingValue,
                          n);
            }
            if ((byte == ']' || byte == '}') && before == ',') return at(FaultKind::TrailingComma, offset);
            if (offset > 0 && is_lower_letter(text[offset - 1])) return at(FaultKind::ExpectedIdent, offset);
            if (offset > 0 && text[offset - 1] == '-') return at(FaultKind::InvalidNumber, offset);
            return at(FaultKind::ExpectedSomeValue, offset);
        case rapidjson::kParseErrorObjectMissName:
            if (at_end) {
                return at(before == '{' ? FaultKind::EofWhileParsingObject : FaultKind::EofWhileParsingValue,
                          n);
            }
            return at(byte == '}' ? FaultKind::TrailingComma : FaultKind::KeyMustBeAString, offset);
        case rapidjson::kParseErrorObjectMissColon:
            return at(at_end ? FaultKind::EofWhileParsingObject : FaultKind::ExpectedColon, offset);
        case rapidjson::kParseErrorObjectMissCommaOrCurlyBracket:
            if (at_end) return at(FaultKind::EofWhileParsingObject, n);
            return at(FaultKind::ExpectedObjectCommaOrEnd, offset);
        case rapidjson::kParseErrorArrayMissCommaOrSquareBracket:
            if (at_end) return at(FaultKind::EofWhileParsingList, n);
            return at(FaultKind::ExpectedListCommaOrEnd, offset);
        case rapidjson::kParseErrorStringUnicodeEscapeInvalidHex:
            return bad_hex_escape(text, offset);
        case rapidjson::kParseErrorStringUnicodeSurrogateInvalid:
            return bad_surrogate_pair(text, offset);
        case rapidjson::kParseErrorStringEscapeInvalid:
            // Either a backslash followed by a byte that starts no escape, or a raw control character.
            if (byte == '\\') {
                if (offset + 1 >= n) return at(FaultKind::EofWhileParsingString, n);
                return at(FaultKind::InvalidEscape, offset + 1);
            }
            if (!at_end && static_cast<unsigned char>(byte) < 0x20) {
                return at(FaultKind::ControlCharacterInString, offset);
            }
            return at(FaultKind::InvalidEscape, offset);
        case rapidjson::kParseErrorStringMissQuotationMark:
            return at(at_end ? FaultKind::EofWhileParsingString : FaultKind::ControlCharacterInString,
                      offset);
        case rapidjson::kParseErrorStringInvalidEncoding:
            return at(FaultKind::InvalidUnicodeCodePoint, offset);
        case rapidjson::kParseErrorNumberTooBig:
            return at(FaultKind::NumberOutOfRange, offset);
        case rapidjson::kParseErrorNumberMissFraction:
        case rapidjson::kParseErrorNumberMissExponent:
            return at(at_end ? FaultKind::EofWhileParsingValue : FaultKind::InvalidNumber, offset);
        case rapidjson::kParseErrorNone:
        case rapidjson::kParseErrorTermination:
        case rapidjson::kParseErrorUnspecificSyntaxError:
            break;
    }
    return at(at_end ? FaultKind::EofWhileParsingValue : FaultKind::ExpectedSomeValue, offset);
}

}  // namespace tolmin
