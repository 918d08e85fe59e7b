// A growable byte buffer whose appends are plain stores: output lines are
// assembled here, one number or field at a time, for every line of a
// large file.
#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace verdan {

class ByteBuffer {
 public:
  // Makes room for `n` more bytes and returns where they go.
  char* extend(std::size_t n) {
    if (size_ + n > capacity_) grow(size_ + n);
    char* at = data_.get() + size_;
    size_ += n;
    return at;
  }
  // Gives back the unused end of the last extend.
  void truncate(std::size_t size) { size_ = size; }
  void push_back(char c) { *extend(1) = c; }
  void append(std::string_view bytes) {
    char* at = extend(bytes.size());
    for (char c : bytes) *at++ = c;
  }
  void fill(std::size_t n, char c) {
    char* at = extend(n);
    for (std::size_t i = 0; i < n; ++i) at[i] = c;
  }
  void clear() { size_ = 0; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  std::string_view view() const { return {data_.get(), size_}; }

 private:
  void grow(std::size_t needed) {
    std::size_t capacity = capacity_ ? capacity_ * 2 : 256;
    while (capacity < needed) capacity *= 2;
    std::unique_ptr<char[]> bigger(new char[capacity]);
    if (size_) std::memcpy(bigger.get(), data_.get(), size_);
    data_ = std::move(bigger);
    capacity_ = capacity;
  }

  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace verdan
