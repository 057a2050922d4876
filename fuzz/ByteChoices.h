#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quorvel::fuzz {

// Choices made from an input's bytes, one after another. Once the bytes run out
// every choice is the plainest one: the first item, nothing rare, no more lines.
class ByteChoices {
public:
    explicit ByteChoices(std::span<const std::uint8_t> bytes)
        : bytes_(bytes) {}

    // A number below `count`; 0 when `count` is 0 or 1.
    std::size_t below(std::size_t count) {
        std::size_t value = 0;
        for (std::size_t range = 1; range < count; range <<= 8)
            value = value << 8 | next();
        return count == 0 ? 0 : value % count;
    }
    // Whether a chance of one in `n` comes true.
    bool oneIn(std::size_t n) { return n > 1 && below(n) == n - 1; }
    // One of `items`, which must not be empty.
    template <class T> const T& of(const std::vector<T>& items) {
        return items[below(items.size())];
    }
    char byte() { return static_cast<char>(next()); }

private:
    std::uint8_t next() {
        if (bytes_.empty())
            return 0;
        const std::uint8_t first = bytes_.front();
        bytes_ = bytes_.subspan(1);
        return first;
    }

    std::span<const std::uint8_t> bytes_;
};

} // namespace quorvel::fuzz
