#include "proxy/PxValue.h"

#include <cstdlib>

std::int64_t PxValue::AsInt() const
{
    if (type == Int)
        return number;
    if (type == Text)
        return std::strtoll(bytes.c_str(), nullptr, 10);
    return 0;
}

std::string PxValue::AsText() const
{
    if (type == Int)
        return std::to_string(number);
    return bytes;
}

bool PxValue::operator==(const PxValue& other) const
{
    if (type != other.type)
        return false;
    if (type == Null)
        return true;
    return type == Int ? number == other.number : bytes == other.bytes;
}
