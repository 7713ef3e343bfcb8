#pragma once
// Case tables kept as text under tests/data/tables/: one case a line, fields split by tabs, lines starting
// with "# " and blank lines skipped. Each row carries its line number for the failure message.

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <string>
#include <vector>

namespace tolmin::test {

struct Row {
    int line = 0;
    std::vector<std::string> cells;
    const std::string& operator[](std::size_t i) const { return cells.at(i); }
    std::string where() const { return "row at line " + std::to_string(line); }
};

inline std::vector<Row> read_table(const std::string& name) {
    std::ifstream in(std::string(TOLMIN_TESTDATA_DIR) + "/tables/" + name);
    EXPECT_TRUE(in.good()) << name;
    std::vector<Row> rows;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.empty() || line.rfind("# ", 0) == 0) continue;
        Row row{number, {}};
        for (std::size_t from = 0, tab = 0; tab != std::string::npos; from = tab + 1) {
            tab = line.find('\t', from);
            row.cells.push_back(line.substr(from, tab == std::string::npos ? tab : tab - from));
        }
        rows.push_back(row);
    }
    return rows;
}

// A number cell: a decimal literal, or nan, inf, -inf, max and min (the 32-bit integer limits).
inline double num(const std::string& cell) {
    if (cell == "nan") return std::numeric_limits<double>::quiet_NaN();
    if (cell == "max") return std::numeric_limits<std::int32_t>::max();
    if (cell == "min") return std::numeric_limits<std::int32_t>::min();
    return std::stod(cell);  // also "inf" and "-inf"
}

// A bytes cell: \xHH is that byte, \R is U+FFFD (EF BF BD), \\ a backslash; every other byte stands for
// itself.
inline std::string bytes(const std::string& cell) {
    std::string out;
    for (std::size_t i = 0; i < cell.size(); ++i) {
        if (cell.compare(i, 2, "\\\\") == 0) {
            out += '\\';
            i += 1;
        } else if (cell.compare(i, 2, "\\R") == 0) {
            out += "\xEF\xBF\xBD";
            i += 1;
        } else if (cell.compare(i, 2, "\\x") == 0) {
            out += static_cast<char>(std::stoi(cell.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else {
            out += cell[i];
        }
    }
    return out;
}

}  // namespace tolmin::test
