#pragma once
// Finds whether a title contains any of many fragments, in time proportional to the title's
// length whatever the number of fragments: an Aho-Corasick automaton over bytes, built once
// when the block list is loaded, in a compact layout of about six bytes a state.

#include <cstdint>
#include <memory_resource>
#include <string_view>
#include <vector>

namespace quellix::engine {

class TitleMatcher {
 public:
  explicit TitleMatcher(std::pmr::memory_resource* memory = std::pmr::get_default_resource());

  // Builds the automaton for these fragments, compared byte for byte; their order does not
  // matter. Throws std::bad_alloc when memory runs out (or the fragments hold more bytes
  // than states can be numbered), and then keeps the automaton it had.
  void Build(std::pmr::vector<std::string_view> fragments);

  // True when `text` contains any fragment. An empty fragment is contained in every text,
  // the empty one included; callers that treat empty titles otherwise check that first.
  bool ContainsAny(std::string_view text) const;

  std::size_t StateCount() const { return links_.size(); }

 private:
  void Construct(std::pmr::vector<std::string_view>& fragments);
  void LayOutTrie(const std::pmr::string& text, const std::pmr::vector<std::uint32_t>& starts,
                  std::pmr::vector<std::uint32_t>& shared);
  void LinkFailures();
  void FillDenseMoves(std::uint32_t state);
  void Swap(TitleMatcher& other) noexcept;
  std::uint32_t ChildCount(std::uint32_t state) const;
  std::uint32_t FirstChild(std::uint32_t state) const;
  std::uint32_t Next(std::uint32_t state, unsigned char byte) const;

  std::pmr::memory_resource* memory_;
  // States are numbered breadth first, children in byte order, so the children of a state
  // follow one another and the states near the root, which every title passes, lie together.
  // Per state: its failure link and two flags in one word, the byte on the edge that leads
  // into it, and its number of children (256 kept as 0 and a flag).
  std::pmr::vector<std::uint32_t> links_;
  std::pmr::vector<unsigned char> labels_;
  std::pmr::vector<unsigned char> child_counts_;
  // The first child of every 16th state; a state's own is found by adding the counts of
  // the states before it in its group.
  std::pmr::vector<std::uint32_t> first_children_;
  // The moves of the root and of its children, the states every title passes most, are kept
  // whole (256 a state, misses resolved along the failure links, 257 KB at most), so that a
  // byte costs one look-up there and a miss deeper falls back to them in one step.
  std::pmr::vector<std::uint32_t> dense_moves_;
  std::uint32_t dense_states_ = 0;
  bool empty_fragment_ = false;
};

}  // namespace quellix::engine
