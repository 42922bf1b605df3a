#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The bytes the converter's reader looks for.
namespace batch {

inline constexpr std::string_view kBom = "\xEF\xBB\xBF";

inline unsigned char bajt(char c) {
    return static_cast<unsigned char>(c);
}

// Which of 64 bytes are the delimiter, CR, LF or '"': bit i for byte i.
class Znaki {
  public:
    static constexpr std::ptrdiff_t kOkno = 64;

    explicit Znaki(char separator)
#if defined(__SSE2__)
        : separator_(_mm_set1_epi8(separator)),
          cr_(_mm_set1_epi8('\r')),
          lf_(_mm_set1_epi8('\n')),
          cudzyslow_(_mm_set1_epi8('"'))
#endif
    {
        for (const char c : {separator, '\r', '\n', '"'}) tablica_[bajt(c)] = true;
    }

    [[nodiscard]] std::uint64_t operator()(const char* s) const {
#if defined(__SSE2__)
        std::uint64_t m = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            __m128i v;
            std::memcpy(&v, s + 16 * i, sizeof v);
            const __m128i z =
                _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, separator_), _mm_cmpeq_epi8(v, lf_)),
                             _mm_or_si128(_mm_cmpeq_epi8(v, cr_), _mm_cmpeq_epi8(v, cudzyslow_)));
            m |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(z)))
                 << (16 * i);
        }
        return m;
#else
        std::uint64_t m = 0;
        for (std::ptrdiff_t i = 0; i < kOkno; ++i) {
            m |= static_cast<std::uint64_t>(tablica_[bajt(s[i])]) << i;
        }
        return m;
#endif
    }

  private:
#if defined(__SSE2__)
    __m128i separator_;
    __m128i cr_;
    __m128i lf_;
    __m128i cudzyslow_;
#endif
    std::array<bool, 256> tablica_{};
};

}  // namespace batch
