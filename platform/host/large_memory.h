// Memory of megabytes, filled once and kept for the run: the writers'
// blocks, the line reader's buffer, a frame's coordinates. Each 4 KiB page
// costs the host a fault when first written (about 10 microseconds each on
// a virtual machine, a tenth of a plot's time); on a large page's boundary
// and advised as such, 2 MiB take one.
#pragma once

#include <cstddef>
#include <new>

namespace verdan {

class LargeMemory {
 public:
  static constexpr std::size_t kPage = 4096;
  static constexpr std::size_t kLargePage = std::size_t{2} << 20;

  // `size` bytes, uninitialised, on a page's boundary; from a quarter of a
  // large page on, whole large pages on their boundary, advised to the host
  // as such where it has them (one fault then costs less than the 128
  // small ones it saves).
  static void* allocate(std::size_t size) {
    if (!large(size)) return ::operator new(size, std::align_val_t{kPage});
    const std::size_t whole = (size + kLargePage - 1) / kLargePage * kLargePage;
    void* p = ::operator new(whole, std::align_val_t{kLargePage});
    advise_large_pages(p, whole);
    return p;
  }
  // What allocate(size) gave.
  static void release(void* p, std::size_t size) {
    ::operator delete(p, std::align_val_t{large(size) ? kLargePage : kPage});
  }

 private:
  static bool large(std::size_t size) { return size >= kLargePage / 4; }
  // A hint: hosts without large pages, or with none free, use small ones.
  static void advise_large_pages(void* p, std::size_t size);
};

// An allocator for containers that may grow to megabytes (a frame's
// coordinates).
template <typename T>
struct LargeAllocator {
  using value_type = T;
  LargeAllocator() = default;
  template <typename U>
  LargeAllocator(const LargeAllocator<U>&) {}
  T* allocate(std::size_t n) { return static_cast<T*>(LargeMemory::allocate(n * sizeof(T))); }
  void deallocate(T* p, std::size_t n) { LargeMemory::release(p, n * sizeof(T)); }
  friend bool operator==(const LargeAllocator&, const LargeAllocator&) { return true; }
};

}  // namespace verdan
