#include "web/json.h"

#include <cstdio>

namespace nibbo::json {

std::string Text(std::string_view text) {
    std::string out = "\"";
    for (const char ch : text) {
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            break;
        default:
            out += ch;
        }
    }
    return out + "\"";
}

std::string Number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.10g", value);
    return buffer;
}

std::string Flag(bool value) {
    return value ? "true" : "false";
}

std::string Object(std::initializer_list<Field> fields) {
    std::string out = "{";
    for (const Field& field : fields) {
        if (out.size() > 1) out += ',';
        out += Text(field.first) + ":" + field.second;
    }
    return out + "}";
}

std::string Array(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += ',';
        out += items[i];
    }
    return out + "]";
}

} // namespace nibbo::json
