#pragma once
// A small writer for the one-object JSON answers of zelvane-cli.

#include <string>
#include <vector>

class TJsonObject {
public:
    void Add(const std::string& key, const std::string& value);
    void Add(const std::string& key, const char* value) { Add(key, std::string(value)); }
    void Add(const std::string& key, long long value);
    void Add(const std::string& key, int value) { Add(key, static_cast<long long>(value)); }
    void Add(const std::string& key, unsigned value) { Add(key, static_cast<long long>(value)); }
    void Add(const std::string& key, double value);
    void Add(const std::string& key, bool value);
    void Add(const std::string& key, const std::vector<std::string>& values);
    std::string Text() const { return "{" + body_ + "}"; }

private:
    void Field(const std::string& key, const std::string& json);
    std::string body_;
};

std::string JsonString(const std::string& text);
