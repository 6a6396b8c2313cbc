#pragma once
// What the fuzz targets share: a broken promise stops the run with its text (each text is said
// once, so it names the check), and libFuzzer keeps the input as a crash; and a reader that takes
// the input apart piece by piece.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string_view>

namespace zentrava::fuzz {

inline void Require(bool holds, const char* promise) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", promise);
        std::abort();
    }
}

// Takes fixed-size values off the front and bytes of a chosen length; past the end it gives
// zeros and empty texts, so every input is a complete case.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : rest_(data, size) {}

    std::uint8_t Byte() {
        if (rest_.empty()) {
            return 0;
        }
        const std::uint8_t b = rest_.front();
        rest_ = rest_.subspan(1);
        return b;
    }
    std::uint32_t U32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            v = v << 8 | Byte();
        }
        return v;
    }
    std::span<const std::uint8_t> Bytes(std::size_t count) {
        const std::span<const std::uint8_t> taken =
            rest_.first(count < rest_.size() ? count : rest_.size());
        rest_ = rest_.subspan(taken.size());
        return taken;
    }
    // A text whose length is the next byte (so up to 255 bytes), the bytes as they come.
    std::string_view Text() {
        const std::span<const std::uint8_t> b = Bytes(Byte());
        return {reinterpret_cast<const char*>(b.data()), b.size()};
    }
    std::span<const std::uint8_t> Rest() {
        const std::span<const std::uint8_t> all = rest_;
        rest_ = {};
        return all;
    }
    bool Empty() const { return rest_.empty(); }

private:
    std::span<const std::uint8_t> rest_;
};

} // namespace zentrava::fuzz
