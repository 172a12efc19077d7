// Working storage of one spline fit.
//
// A fit needs a few arrays of the table's length for the length of the call.
// Short tables take them from a small buffer in the call's own frame; longer
// ones from one heap block, released when the fit returns.  When the block
// cannot be had the storage is empty and the fit returns without writing.
#ifndef LYNX_INTERP_SCRATCH_HPP
#define LYNX_INTERP_SCRATCH_HPP

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace lynx::interp {

// The size of a fit's buffer in its own frame: 2 KiB, 256 doubles or 128
// points.  Each fit derives from it the longest table it fits without the
// heap.
constexpr std::size_t kLocalScratchBytes = 2048;

template <typename T, std::size_t Local>
class Scratch {
 public:
  explicit Scratch(std::size_t count) {
    if (count <= Local) {
      data_ = local_;
    } else if (count <= SIZE_MAX / sizeof(T)) {
      data_ = static_cast<T *>(std::malloc(count * sizeof(T)));
      heap_ = true;
    }
  }
  ~Scratch() {
    if (heap_) std::free(data_);
  }
  Scratch(const Scratch &) = delete;
  Scratch &operator=(const Scratch &) = delete;

  explicit operator bool() const { return data_ != nullptr; }
  T *data() const { return data_; }

 private:
  T local_[Local];
  T *data_ = nullptr;
  bool heap_ = false;
};

}  // namespace lynx::interp

#endif  // LYNX_INTERP_SCRATCH_HPP
