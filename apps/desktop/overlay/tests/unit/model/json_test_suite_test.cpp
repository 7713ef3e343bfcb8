// The JSONTestSuite conformance corpus, read as frame lines: no document that is not JSON gives a Frame,
// and no JSON document is rejected for its syntax (it may still not be a Frame).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/frame_decoder.hpp"
#include "model/parse_frame.hpp"
#include "text/unicode.hpp"
#include "unit/model/frame_text.hpp"

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

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
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
        if (repaired.find('\n') != std::string::npos) {
            bool any = false;
            for (const std::string& line : lines_of(repaired)) any = any || is_refused(line);
            EXPECT_TRUE(any) << doc.name;
        }
    }
}

TEST(JsonTestSuite, RejectsNoValidDocumentForItsSyntax) {
    const std::vector<Document> documents = corpus('y');
    ASSERT_GE(documents.size(), 95u);
    std::size_t parsed = 0;
    for (const Document& doc : documents) {
        ASSERT_TRUE(is_valid_utf8(doc.bytes)) << doc.name;
        // Valid JSON holds line feeds only between tokens, so the document is one line.
        const std::string_view text = trim_white_space(doc.bytes);
        ASSERT_FALSE(text.empty()) << doc.name;
        if (const std::optional<Fault> fault = test::fault_of(text)) {
            EXPECT_FALSE(is_syntax_fault(fault->kind))
                << doc.name << ": " << test::outcome_text(parse_frame_line(doc.bytes));
        } else {
            ++parsed;
        }
    }
    // Objects with unknown keys are Frames.
    EXPECT_GE(parsed, 10u);
}

TEST(JsonTestSuite, AcceptsTheSyntaxOnceInvalidUtf8IsReplaced) {
    std::size_t checked = 0;
    for (const Document& doc : corpus('i')) {
        const std::string repaired = repair_utf8(doc.bytes);
        (void)parse_frame_line(doc.bytes);  // must be safe, whatever the outcome
        (void)parse_frame_line(repaired);
        // Documents whose only fault is invalid UTF-8 (not UTF-16 text, which holds NUL bytes).
        if (is_valid_utf8(doc.bytes) || doc.bytes.find('\0') != std::string::npos) continue;
        if (const std::optional<Fault> fault = test::fault_of(trim_white_space(repaired))) {
            EXPECT_FALSE(is_syntax_fault(fault->kind)) << doc.name;
        }
        ++checked;
    }
    EXPECT_GE(checked, 10u);
}

}  // namespace
}  // namespace tolmin
