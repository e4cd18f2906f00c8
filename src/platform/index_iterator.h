#pragma once
// An iterator over a sequence read by index, each element read as a copy through the
// sequence's own reader: what the packed lists (entry texts, list rows) hand to range-for and
// the standard algorithms without keeping an element of their own.

#include <cstddef>
#include <iterator>

namespace quellix::platform {

// `Read` is the sequence's member that gives element i as a Value.
template <typename Sequence, typename Value, auto Read>
class IndexIterator {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = Value;
  using difference_type = std::ptrdiff_t;
  using pointer = void;
  using reference = Value;

  IndexIterator() = default;
  IndexIterator(const Sequence* sequence, std::size_t i) : sequence_(sequence), i_(i) {}
  Value operator*() const { return (sequence_->*Read)(i_); }
  IndexIterator& operator++() {
    ++i_;
    return *this;
  }
  IndexIterator operator++(int) {
    IndexIterator before = *this;
    ++i_;
    return before;
  }
  bool operator==(const IndexIterator& other) const { return i_ == other.i_; }

 private:
  const Sequence* sequence_ = nullptr;
  std::size_t i_ = 0;
};

}  // namespace quellix::platform
