// Fuzz support: the input bytes taken piece by piece.  Every piece is its
// own heap block of exactly the size asked for, so a read or write past it
// is caught; at the end of the input the pieces come out short or zero.
#ifndef LYNX_FUZZ_INPUT_HPP
#define LYNX_FUZZ_INPUT_HPP

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace lynx_fuzz {

class Input {
 public:
  Input(const uint8_t *data, size_t size) : data_(data), size_(size) {}

  size_t left() const { return size_; }

  uint8_t byte() {
    if (size_ == 0) return 0;
    --size_;
    return *data_++;
  }

  // A value of any bit pattern (zero-filled at the end of the input).
  template <class T>
  T value() {
    T out{};
    const size_t n = sizeof(T) < size_ ? sizeof(T) : size_;
    std::memcpy(&out, data_, n);
    data_ += n;
    size_ -= n;
    return out;
  }

  // A count from 0 to max.
  int32_t count(int32_t max) { return static_cast<int32_t>(value<uint16_t>() % (max + 1)); }

  // The next n bytes (fewer at the end of the input).
  std::vector<char> bytes(size_t n) {
    const size_t k = n < size_ ? n : size_;
    std::vector<char> out(data_, data_ + k);
    data_ += k;
    size_ -= k;
    return out;
  }

  // Bytes up to the next NUL or the end of the input, the NUL consumed.
  std::string text() {
    const void *nul = std::memchr(data_, 0, size_);
    const size_t n = nul != nullptr ? static_cast<const uint8_t *>(nul) - data_ : size_;
    std::string out(reinterpret_cast<const char *>(data_), n);
    const size_t used = nul != nullptr ? n + 1 : n;
    data_ += used;
    size_ -= used;
    return out;
  }

  // n doubles of any bit pattern.
  std::vector<double> doubles(size_t n) {
    std::vector<double> out(n);
    for (double &x : out) x = value<double>();
    return out;
  }

 private:
  const uint8_t *data_;
  size_t size_;
};

}  // namespace lynx_fuzz

#endif  // LYNX_FUZZ_INPUT_HPP
