#include "engine/title_matcher.h"

#include <algorithm>
#include <deque>
#include <utility>

namespace quellix::engine {

namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFFu;

// Trie under construction: per state, its edges as (byte, target) pairs.
struct Trie {
  std::vector<std::vector<std::pair<unsigned char, std::uint32_t>>> edges{1};
  std::vector<bool> ends{false};

  std::uint32_t Child(std::uint32_t s, unsigned char b) const {
    for (const auto& [byte, target] : edges[s])
      if (byte == b) return target;
    return kNone;
  }
};

}  // namespace

std::uint32_t TitleMatcher::Next(std::uint32_t state, unsigned char byte) const {
  while (state != 0) {
    const auto first = edge_bytes_.begin() + edge_begin_[state];
    const auto last = edge_bytes_.begin() + edge_begin_[state + 1];
    const auto it = std::lower_bound(first, last, byte);
    if (it != last && *it == byte) return edge_targets_[static_cast<std::size_t>(it - edge_bytes_.begin())];
    state = fail_[state];
  }
  return root_moves_[byte];
}

bool TitleMatcher::ContainsAny(std::string_view text) const {
  if (empty_fragment_) return true;
  if (fail_.empty()) return false;
  std::uint32_t state = 0;
  for (char c : text) {
    state = Next(state, static_cast<unsigned char>(c));
    if (accepts_[state]) return true;
  }
  return false;
}

void TitleMatcher::Build(const std::vector<std::string>& fragments) {
  empty_fragment_ = false;
  Trie trie;
  for (const std::string& fragment : fragments) {
    if (fragment.empty()) {
      empty_fragment_ = true;
      continue;
    }
    std::uint32_t s = 0;
    for (char c : fragment) {
      const auto b = static_cast<unsigned char>(c);
      std::uint32_t next = trie.Child(s, b);
      if (next == kNone) {
        next = static_cast<std::uint32_t>(trie.edges.size());
        trie.edges[s].emplace_back(b, next);
        trie.edges.emplace_back();
        trie.ends.push_back(false);
      }
      s = next;
    }
    trie.ends[s] = true;
  }

  const std::size_t states = trie.edges.size();
  edge_begin_.assign(states + 1, 0);
  edge_bytes_.clear();
  edge_targets_.clear();
  for (std::size_t s = 0; s < states; ++s) {
    auto& list = trie.edges[s];
    std::sort(list.begin(), list.end());
    edge_begin_[s] = static_cast<std::uint32_t>(edge_bytes_.size());
    for (const auto& [byte, target] : list) {
      edge_bytes_.push_back(byte);
      edge_targets_.push_back(target);
    }
  }
  edge_begin_[states] = static_cast<std::uint32_t>(edge_bytes_.size());
  fail_.assign(states, 0);
  accepts_ = trie.ends;
  std::fill(std::begin(root_moves_), std::end(root_moves_), 0u);
  for (const auto& [byte, target] : trie.edges[0]) root_moves_[byte] = target;

  // Failure links breadth first: a state's link is the longest proper suffix of its path
  // that is also a path from the root; acceptance is inherited along the links.
  std::deque<std::uint32_t> queue;
  for (const auto& [byte, target] : trie.edges[0]) queue.push_back(target);
  while (!queue.empty()) {
    const std::uint32_t s = queue.front();
    queue.pop_front();
    for (const auto& [byte, target] : trie.edges[s]) {
      fail_[target] = Next(fail_[s], byte);
      accepts_[target] = accepts_[target] || accepts_[fail_[target]];
      queue.push_back(target);
    }
  }
}

}  // namespace quellix::engine
