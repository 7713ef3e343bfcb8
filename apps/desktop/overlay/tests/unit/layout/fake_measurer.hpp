#pragma once
// A text measurer for layout tests: fixed widths per text, and a record of every call in order.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "layout/layout.hpp"

namespace tolmin::testing {

struct MeasureCall {
    std::string text;
    TextSpec spec;
    double scale;

    friend bool operator==(const MeasureCall&, const MeasureCall&) = default;
};

class FakeMeasurer : public TextMeasurer {
  public:
    FakeMeasurer() = default;
    explicit FakeMeasurer(std::map<std::string, double, std::less<>> widths) : widths_(std::move(widths)) {}

    double measure_text(std::string_view text, const TextSpec& spec, double scale) override {
        calls.push_back({std::string(text), spec, scale});
        const auto it = widths_.find(text);
        return it == widths_.end() ? 0.0 : it->second;
    }

    std::vector<MeasureCall> calls;

  private:
    std::map<std::string, double, std::less<>> widths_;
};

}  // namespace tolmin::testing
