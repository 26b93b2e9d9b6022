// A set of codes: exactly 1000 flags, one per code 0..999.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>

namespace velmora {

class CodeSet {
public:
    static constexpr int kSize = 1000;

    // Indexing outside 0..999 throws std::out_of_range instead of touching memory.
    std::uint8_t& operator[](int code) { return m_flags.at(checked(code)); }
    std::uint8_t operator[](int code) const { return m_flags.at(checked(code)); }

    bool has(int code) const { return (*this)[code] != 0; }
    void fill(bool value) { m_flags.fill(value ? 1 : 0); }
    void clear() { fill(false); }
    int size() const { return kSize; }
    // Raw view for engines that write all 1000 flags in one pass.
    std::uint8_t* data() { return m_flags.data(); }
    const std::uint8_t* data() const { return m_flags.data(); }

    friend bool operator==(const CodeSet&, const CodeSet&) = default;

private:
    static std::size_t checked(int code)
    {
        if (code < 0 || code >= kSize)
            throw std::out_of_range("code index out of range");
        return static_cast<std::size_t>(code);
    }
    std::array<std::uint8_t, kSize> m_flags {};
};

// Number of codes in the set (0..1000).
int codeSetCount(const CodeSet& codes);

} // namespace velmora
