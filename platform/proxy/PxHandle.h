// Identity of a repository object, usable as a map key. Two proxy objects of the same
// repository object (through different links, say) have equal handles.
#pragma once

#include "win/CString.h"

#include <cstddef>
#include <cstdint>
#include <functional>

class PxHandle {
public:
    PxHandle() = default;
    explicit PxHandle(std::int64_t oid) : m_oid(oid) {}

    std::uint64_t MapKey() const { return static_cast<std::uint64_t>(m_oid); }
    std::size_t Hash() const { return std::hash<std::int64_t>{}(m_oid); }
    bool IsNull() const { return m_oid == 0; }
    bool operator==(const PxHandle& other) const = default;

    // The handle as text, "#" and the object id; every form gives the same text.
    CString GetDisplayString(int form) const;
    // The handle a display text names; a null handle for any other text.
    static PxHandle FromDisplayString(const char* text);

private:
    std::int64_t m_oid = 0;
};

template <>
struct std::hash<PxHandle> {
    std::size_t operator()(const PxHandle& handle) const { return handle.Hash(); }
};
