// An ordered list of texts indexed from 1, as the program's texts are.
//
// An index outside 1 to the count is a run-time fault naming the routine that
// asked and the source line it asked from.
#pragma once

#include <source_location>
#include <string>
#include <vector>

class TextArray {
public:
    TextArray() = default;
    explicit TextArray(std::vector<std::string> items) : items_(std::move(items)) {}

    int Count() const { return static_cast<int>(items_.size()); }
    void Append(std::string item) { items_.push_back(std::move(item)); }

    const std::string& At(int index, int routine,
                          std::source_location where = std::source_location::current()) const;
    std::string& At(int index, int routine,
                    std::source_location where = std::source_location::current());

private:
    std::vector<std::string> items_;
};
