#pragma once
// Finds whether a title contains any of many fragments, in time proportional to the title's
// length whatever the number of fragments: an Aho-Corasick automaton over bytes, built once
// when the block list is loaded.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quellix::engine {

class TitleMatcher {
 public:
  // Builds the automaton for these fragments, compared byte for byte.
  void Build(const std::vector<std::string>& fragments);

  // True when `text` contains any fragment. An empty fragment is contained in every text,
  // the empty one included; callers that treat empty titles otherwise check that first.
  bool ContainsAny(std::string_view text) const;

  std::size_t StateCount() const { return fail_.size(); }

 private:
  std::uint32_t Next(std::uint32_t state, unsigned char byte) const;

  // Trie edges of state s: edge_bytes_/edge_targets_ [edge_begin_[s], edge_begin_[s + 1]),
  // sorted by byte. The root's moves are kept whole, with its misses folded in.
  std::vector<std::uint32_t> edge_begin_;
  std::vector<unsigned char> edge_bytes_;
  std::vector<std::uint32_t> edge_targets_;
  std::vector<std::uint32_t> fail_;
  std::vector<bool> accepts_;  // a fragment ends here or at a state its failure chain reaches
  std::uint32_t root_moves_[256] = {};
  bool empty_fragment_ = false;
};

}  // namespace quellix::engine
