// The little JSON that the module hands the page's script: texts, numbers, flags, objects and
// arrays, written out as strings. The script parses what these build and writes none of it itself.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nibbo::json {

using Field = std::pair<const char*, std::string>;

std::string Text(std::string_view text);
std::string Number(double value);
std::string Flag(bool value);
std::string Object(std::initializer_list<Field> fields);
std::string Array(const std::vector<std::string>& items);

template <typename Range, typename Make> std::string ArrayOf(const Range& range, Make make) {
    std::vector<std::string> items;
    for (const auto& item : range)
        items.push_back(make(item));
    return Array(items);
}

} // namespace nibbo::json
