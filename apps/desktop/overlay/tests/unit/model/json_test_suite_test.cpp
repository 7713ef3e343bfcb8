// The JSONTestSuite conformance corpus, read as frame lines: no document that is not JSON gives a Frame,
// and no JSON document is rejected for its syntax (it may still not be a Frame).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "unit/model/line_outcome.hpp"

namespace tolmin {
namespace {

namespace fs = std::filesystem;

struct Document {
    std::string name;
    std::string bytes;
};

std::vector<Document> corpus(char prefix) {
    std::vector<Document> documents;
    const fs::path dir = fs::path(TOLMIN_TESTDATA_DIR) / "JSONTestSuite" / "test_parsing";
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name.size() < 2 || name[0] != prefix || name[1] != '_') continue;
        std::ifstream in(entry.path(), std::ios::binary);
        documents.push_back({name, std::string(std::istreambuf_iterator<char>(in), {})});
    }
    return documents;
}

// Not a Frame: rejected, or (for a document of nothing but white space) a blank line, which is ignored.
bool is_refused(std::string_view line) {
    const LineOutcome outcome = parse_frame_line(line);
    if (std::holds_alternative<Blank>(outcome)) return trim_white_space(line).empty();
    return std::holds_alternative<Rejected>(outcome);
}

bool is_syntax_fault_of(std::string_view line) {
    const std::optional<Fault> fault = test::fault_of(line);
    return fault && is_syntax_fault(fault->kind);
}

TEST(JsonTestSuite, RefusesEveryInvalidDocument) {
    const std::vector<Document> documents = corpus('n');
    ASSERT_GE(documents.size(), 188u);
    for (const Document& doc : documents) {
        // As the frame reader delivers it (invalid UTF-8 replaced), and as raw bytes.
        const std::string repaired = repair_utf8(doc.bytes);
        EXPECT_TRUE(is_refused(repaired)) << doc.name;
        EXPECT_TRUE(is_refused(doc.bytes)) << doc.name;
        // A line feed inside a string splits the document into lines; one of them at least is refused.
        bool any = repaired.find('\n') == std::string::npos;
        for (std::size_t start = 0, end = 0; !any && end != std::string::npos; start = end + 1) {
            end = repaired.find('\n', start);
            any = is_refused(std::string_view(repaired).substr(start, end - start));
        }
        EXPECT_TRUE(any) << doc.name;
    }
}

// Valid JSON holds line feeds only between tokens, so each document is one line. A document whose only fault
// is invalid UTF-8 (not UTF-16 text, which holds NUL bytes) is valid once the frame reader repaired it.
TEST(JsonTestSuite, RejectsNoValidDocumentForItsSyntax) {
    std::vector<Document> documents = corpus('y');
    ASSERT_GE(documents.size(), 95u);
    std::size_t parsed = 0;
    for (const Document& doc : documents)
        parsed += std::holds_alternative<Parsed>(parse_frame_line(doc.bytes));
    EXPECT_GE(parsed, 10u);  // objects with unknown keys are Frames
    for (Document& doc : corpus('i')) {
        (void)parse_frame_line(doc.bytes);  // must be safe, whatever the outcome
        if (!is_valid_utf8(doc.bytes) && doc.bytes.find('\0') == std::string::npos) {
            documents.push_back({doc.name, repair_utf8(doc.bytes)});
        }
    }
    ASSERT_GE(documents.size(), 105u);
    for (const Document& doc : documents) {
        EXPECT_FALSE(is_syntax_fault_of(doc.bytes)) << doc.name << ": " << test::outcome_text(doc.bytes);
    }
}

}  // namespace
}  // namespace tolmin
