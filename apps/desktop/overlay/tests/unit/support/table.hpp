#pragma once
// Case tables kept as text under tests/data/: one case a line, cells split by tabs, lines starting with "# "
// and blank lines skipped. Every row is a test case of its own, named after its leading cells, so that one
// runs alone: --gtest_filter='FrameLines.*/anchor_top_center'. On a failure the row's line is printed.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <limits>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace tolmin::test {

struct Row {
    int line = 0;
    std::string name;
    std::vector<std::string> cells;
    const std::string& operator[](std::size_t i) const { return cells.at(i); }
};

inline void PrintTo(const Row& row, std::ostream* out) {
    *out << "line " << row.line << ":";
    for (const std::string& cell : row.cells) *out << " [" << cell << "]";
}

// The text a cell stands for, in bytes (Char = char) or in UTF-16 units (char16_t): \xHH is the byte or unit
// of that value, \uXXXX one UTF-16 unit (in units only), \R is U+FFFD, <TEXT*N> is N copies of TEXT; every
// other character stands for itself, a backslash too (so JSON escapes pass through).
template <class Char>
std::basic_string<Char> decode(const std::string& cell) {
    std::basic_string<Char> out;
    // The value of the `digits` hexadecimal digits at `at`, or -1 when they are not all there.
    const auto hex_at = [&](std::size_t at, std::size_t digits) {
        bool all = at + digits <= cell.size();
        for (std::size_t i = at; all && i < at + digits; ++i)
            all = std::isxdigit(static_cast<unsigned char>(cell[i]));
        return all ? static_cast<long>(std::stoul(cell.substr(at, digits), nullptr, 16)) : -1L;
    };
    for (std::size_t i = 0; i < cell.size(); ++i) {
        const std::size_t end = cell[i] == '<' ? cell.find('>', i) : std::string::npos;
        const std::size_t star = end == std::string::npos ? end : cell.rfind('*', end);
        const bool repeat = star != std::string::npos && star > i && star + 1 < end &&
                            cell.find_first_not_of("0123456789", star + 1) == end;
        if (repeat) {
            const auto copy = decode<Char>(cell.substr(i + 1, star - i - 1));
            for (auto n = std::stoul(cell.substr(star + 1, end - star - 1)); n > 0; --n) out += copy;
            i = end;
        } else if (cell.compare(i, 2, "\\x") == 0 && hex_at(i + 2, 2) >= 0) {
            out += static_cast<Char>(hex_at(i + 2, 2));
            i += 3;
        } else if (sizeof(Char) > 1 && cell.compare(i, 2, "\\u") == 0 && hex_at(i + 2, 4) >= 0) {
            out += static_cast<Char>(hex_at(i + 2, 4));
            i += 5;
        } else if (cell.compare(i, 2, "\\R") == 0) {
            out += sizeof(Char) > 1 ? std::basic_string<Char>(1, Char(0xFFFD))
                                    : std::basic_string<Char>{Char(0xEF), Char(0xBF), Char(0xBD)};
            i += 1;
        } else {
            out += static_cast<Char>(static_cast<unsigned char>(cell[i]));
        }
    }
    return out;
}

inline std::string bytes(const std::string& cell) {
    return decode<char>(cell);
}
inline std::u16string units(const std::string& cell) {
    return decode<char16_t>(cell);
}

// A number cell: a decimal literal, or nan, inf, -inf, max and min (the 32-bit integer limits).
inline double num(const std::string& cell) {
    if (cell == "nan") return std::numeric_limits<double>::quiet_NaN();
    if (cell == "max") return std::numeric_limits<std::int32_t>::max();
    if (cell == "min") return std::numeric_limits<std::int32_t>::min();
    return std::stod(cell);  // also "inf" and "-inf"
}

// The parts of a cell between the separators `by` (none for an empty cell).
inline std::vector<std::string> split(const std::string& cell, const std::string& by) {
    std::vector<std::string> parts;
    for (std::size_t from = 0, at = 0; at != std::string::npos && !cell.empty(); from = at + by.size()) {
        at = cell.find(by, from);
        parts.push_back(cell.substr(from, at == std::string::npos ? at : at - from));
    }
    return parts;
}

// The number cells among the space-separated words of a cell.
inline std::vector<double> nums(const std::string& cell) {
    std::vector<double> out;
    for (const std::string& word : split(cell, " ")) out.push_back(num(word));
    return out;
}

// The rows of tests/data/`path`, each named after its first `name_cells` cells (all when 0): their letters
// and digits, runs of anything else as one underscore, at most 48 bytes; a name already taken gets _2, _3...
inline std::vector<Row> read_table(const std::string& path, std::size_t name_cells = 0) {
    std::ifstream in(std::string(TOLMIN_TESTDATA_DIR) + "/" + path, std::ios::binary);
    std::vector<Row> rows;
    if (!in) rows.push_back({0, "cannot_read_the_table", {}});  // fails when the case reads a cell
    std::set<std::string> taken;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.empty() || line.rfind("# ", 0) == 0) continue;
        Row row{number, "", split(line, "\t")};
        std::string slug;
        for (std::size_t i = 0; i < row.cells.size() && (name_cells == 0 || i < name_cells); ++i) {
            for (const unsigned char c : row.cells[i] + " ") {
                if (std::isalnum(c)) {
                    slug += static_cast<char>(c);
                } else if (!slug.empty() && slug.back() != '_') {
                    slug += '_';
                }
            }
        }
        slug.erase(std::min(slug.find_last_not_of('_', 47) + 1, slug.size()));
        if (slug.empty()) slug = "empty";
        row.name = slug;
        for (int n = 2; !taken.insert(row.name).second; ++n) row.name = slug + "_" + std::to_string(n);
        rows.push_back(std::move(row));
    }
    return rows;
}

inline std::string row_name(const testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

}  // namespace tolmin::test

// A parameterized suite over the rows of a table: TOLMIN_TABLE(Suite, "tables/x.tsv", 0); then
// TEST_P(Suite, What) { const test::Row& row = GetParam(); ... }.
#define TOLMIN_TABLE(Suite, path, name_cells)                                                          \
    class Suite : public testing::TestWithParam<::tolmin::test::Row> {};                               \
    INSTANTIATE_TEST_SUITE_P(, Suite, testing::ValuesIn(::tolmin::test::read_table(path, name_cells)), \
                             ::tolmin::test::row_name)
