#pragma once
#include <stdexcept>
#include <string>

// Raised where a value from outside (the wire, a file) would reach an array
// or a conversion it does not fit. The procedure's own failure handling
// catches it, as its callers expect of a run-time error.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(const std::string& what) : std::runtime_error(what) {}
};

// Bounds-checked element access for arrays indexed by values that came from outside.
template <typename Array>
auto& CheckedAt(Array& array, long long index, const char* what) {
    if (index < 0 || index >= static_cast<long long>(std::size(array)))
        throw RuntimeError(std::string(what) + ": index " + std::to_string(index) + " out of range");
    return array[static_cast<size_t>(index)];
}
