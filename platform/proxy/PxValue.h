// Internal: a stored attribute value and an object's buffer of them.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

struct PxValue {
    enum Type { Null, Int, Text, Blob };

    Type type = Null;
    std::int64_t number = 0;
    std::string bytes; // text or blob

    static PxValue OfInt(std::int64_t value) { return {Int, value, {}}; }
    static PxValue OfText(std::string value) { return {Text, 0, std::move(value)}; }
    static PxValue OfBlob(std::string value) { return {Blob, 0, std::move(value)}; }

    std::int64_t AsInt() const;
    std::string AsText() const;
    // The same value of the same type: a write of it over this one would change nothing.
    bool operator==(const PxValue& other) const;
};

class PxAttributeBuffer : public std::unordered_map<std::string, PxValue> {};
