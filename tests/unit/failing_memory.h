#pragma once
// A memory resource that runs out when a test says so, to see what the product does when
// an allocation fails.

#include <cstddef>
#include <memory_resource>
#include <new>

namespace quellix::testing {

class FailingMemory final : public std::pmr::memory_resource {
 public:
  // From now on, every allocation after the next `allowed` ones fails.
  void RunOutAfter(std::size_t allowed) {
    limited_ = true;
    left_ = allowed;
  }
  void Refill() { limited_ = false; }
  std::size_t Failures() const { return failures_; }

 private:
  void* do_allocate(std::size_t bytes, std::size_t alignment) override {
    if (limited_) {
      if (left_ == 0) {
        ++failures_;
        throw std::bad_alloc();
      }
      --left_;
    }
    return std::pmr::new_delete_resource()->allocate(bytes, alignment);
  }
  void do_deallocate(void* p, std::size_t bytes, std::size_t alignment) override {
    std::pmr::new_delete_resource()->deallocate(p, bytes, alignment);
  }
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }

  bool limited_ = false;
  std::size_t left_ = 0;
  std::size_t failures_ = 0;
};

}  // namespace quellix::testing
