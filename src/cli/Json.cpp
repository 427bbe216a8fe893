#include "cli/Json.h"

#include <cmath>
#include <cstdio>

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

void TJsonObject::Field(const std::string& key, const std::string& json) {
    if (!body_.empty())
        body_ += ",";
    body_ += JsonString(key) + ":" + json;
}

void TJsonObject::Add(const std::string& key, const std::string& value) {
    Field(key, JsonString(value));
}

void TJsonObject::Add(const std::string& key, long long value) {
    Field(key, std::to_string(value));
}

void TJsonObject::Add(const std::string& key, double value) {
    if (!std::isfinite(value)) {
        Field(key, "null");
        return;
    }
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", value);
    Field(key, buffer);
}

void TJsonObject::Add(const std::string& key, bool value) {
    Field(key, value ? "true" : "false");
}

void TJsonObject::Add(const std::string& key, const std::vector<std::string>& values) {
    std::string list = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i)
            list += ',';
        list += JsonString(values[i]);
    }
    Field(key, list + "]");
}
