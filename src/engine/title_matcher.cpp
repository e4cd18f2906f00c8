#include "engine/title_matcher.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <string>
#include <utility>

namespace quellix::engine {
namespace {

// A state's word: its failure link (so 2^30 states at most) and two flags.
constexpr std::uint32_t kFailMask = 0x3FFFFFFFu;
constexpr std::uint32_t kAccepts = 1u << 30;  // a fragment ends here or along the failure chain
// 256 children, kept as a count of 0. On a kept first child: its group holds such a state.
constexpr std::uint32_t kAllChildren = 1u << 31;
constexpr std::uint32_t kGroup = 16;  // states per kept first child

static_assert(std::endian::native == std::endian::little, "counts are summed as little-endian words");

std::uint32_t SumOfBytes(std::uint64_t x) {
  const std::uint64_t pairs = (x & 0x00FF00FF00FF00FFu) + ((x >> 8) & 0x00FF00FF00FF00FFu);
  return static_cast<std::uint32_t>((pairs * 0x0001000100010001u) >> 48);
}

std::uint32_t CommonPrefix(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  std::size_t i = 0;
  while (i < n && a[i] == b[i]) ++i;
  return static_cast<std::uint32_t>(i);
}

}  // namespace

TitleMatcher::TitleMatcher(std::pmr::memory_resource* memory)
    : memory_(memory),
      links_(memory),
      labels_(memory),
      child_counts_(memory),
      first_children_(memory),
      dense_moves_(memory) {}

std::uint32_t TitleMatcher::ChildCount(std::uint32_t state) const {
  return child_counts_[state] + (links_[state] & kAllChildren ? 256u : 0u);
}

std::uint32_t TitleMatcher::FirstChild(std::uint32_t state) const {
  const std::uint32_t kept = first_children_[state / kGroup];
  const std::uint32_t group = state - state % kGroup;
  if (kept & kAllChildren) {
    std::uint32_t first = kept & ~kAllChildren;
    for (std::uint32_t s = group; s < state; ++s) first += ChildCount(s);
    return first;
  }
  // The counts before this state in its group, added eight at a time.
  std::uint64_t low, high;
  std::memcpy(&low, child_counts_.data() + group, 8);
  std::memcpy(&high, child_counts_.data() + group + 8, 8);
  const std::uint32_t before = state % kGroup;
  if (before < 8) {
    low &= (std::uint64_t{1} << (8 * before)) - 1;
    high = 0;
  } else {
    high &= before == 8 ? 0 : ~std::uint64_t{0} >> (8 * (16 - before));
  }
  return kept + SumOfBytes(low) + SumOfBytes(high);
}

std::uint32_t TitleMatcher::Next(std::uint32_t state, unsigned char byte) const {
  while (state >= dense_states_) {
    if (child_counts_[state] != 0 || (links_[state] & kAllChildren)) {
      // Children have distinct bytes: the one with this byte is this byte's only occurrence.
      // Most states below the kept ones have a few children: looked at in place, not by a call.
      const std::uint32_t first = FirstChild(state), count = ChildCount(state);
      if (count <= 8) {
        for (std::uint32_t c = first; c < first + count; ++c)
          if (labels_[c] == byte) return c;
      } else if (const void* child = std::memchr(labels_.data() + first, byte, count)) {
        return static_cast<std::uint32_t>(static_cast<const unsigned char*>(child) - labels_.data());
      }
    }
    state = links_[state] & kFailMask;
  }
  return dense_moves_[std::size_t{state} * 256 + byte];
}

bool TitleMatcher::ContainsAny(std::string_view text) const {
  if (empty_fragment_) return true;
  if (links_.empty()) return false;
  std::uint32_t state = 0;
  for (char c : text) {
    state = Next(state, static_cast<unsigned char>(c));
    if (links_[state] & kAccepts) return true;
  }
  return false;
}

void TitleMatcher::Build(std::pmr::vector<std::string_view> fragments) {
  TitleMatcher built(memory_);
  built.Construct(fragments);
  Swap(built);
}

void TitleMatcher::Swap(TitleMatcher& other) noexcept {
  // Both use the same memory, so the vectors swap their buffers.
  links_.swap(other.links_);
  labels_.swap(other.labels_);
  child_counts_.swap(other.child_counts_);
  first_children_.swap(other.first_children_);
  dense_moves_.swap(other.dense_moves_);
  std::swap(dense_states_, other.dense_states_);
  std::swap(empty_fragment_, other.empty_fragment_);
}

void TitleMatcher::Construct(std::pmr::vector<std::string_view>& fragments) {
  empty_fragment_ = std::erase(fragments, std::string_view()) > 0;
  std::sort(fragments.begin(), fragments.end());
  fragments.erase(std::unique(fragments.begin(), fragments.end()), fragments.end());

  // The fragments in byte order, end to end, so that building reads them front to back.
  std::size_t bytes = 0;
  for (std::string_view f : fragments) bytes += f.size();
  std::pmr::string text(memory_);
  text.reserve(bytes);
  std::pmr::vector<std::uint32_t> starts(memory_), shared(memory_);
  starts.reserve(fragments.size() + 1);
  shared.reserve(fragments.size());
  // Each fragment adds the states of its bytes after those it shares with the one before.
  std::size_t states = 1;
  std::string_view previous;
  for (std::string_view f : fragments) {
    shared.push_back(CommonPrefix(previous, f));
    states += f.size() - shared.back();
    if (states > std::size_t{kFailMask} + 1 || text.size() + f.size() > 0xFFFFFFFFu) throw std::bad_alloc();
    starts.push_back(static_cast<std::uint32_t>(text.size()));
    text += f;
    previous = f;
  }
  starts.push_back(static_cast<std::uint32_t>(text.size()));
  fragments = std::pmr::vector<std::string_view>(memory_);  // the sorted copy replaces them

  links_.assign(states, 0);
  labels_.assign(states, 0);
  child_counts_.assign((states + kGroup - 1) / kGroup * kGroup, 0);  // whole groups, read eight at a time
  LayOutTrie(text, starts, shared);
  text = std::pmr::string(memory_);
  starts = std::pmr::vector<std::uint32_t>(memory_);
  shared = std::pmr::vector<std::uint32_t>(memory_);

  first_children_.assign(states / kGroup + 1, 0);
  std::uint32_t first = 1;
  for (std::uint32_t s = 0; s < states; ++s) {
    if (s % kGroup == 0) first_children_[s / kGroup] = first;
    if (links_[s] & kAllChildren) first_children_[s / kGroup] |= kAllChildren;  // counts need the flags
    first += ChildCount(s);
  }
  // The root and its children, 257 at most: a title's bytes mostly lead to or through them.
  // Linking the failures needs only the root's moves, which then stay in the fastest cache.
  dense_moves_.assign((1 + std::size_t{ChildCount(0)}) * 256, 0);
  dense_states_ = 1;
  FillDenseMoves(0);
  LinkFailures();
  for (std::uint32_t s = 1; s <= ChildCount(0); ++s) FillDenseMoves(s);
  dense_states_ = 1 + ChildCount(0);
}

// Makes the states one depth at a time. The fragments that reach a depth, in byte order,
// need one state each there, except that one sharing the path so far with the fragment
// before it shares its state too; so the states of a depth come out in breadth-first order.
void TitleMatcher::LayOutTrie(const std::pmr::string& text, const std::pmr::vector<std::uint32_t>& starts,
                              std::pmr::vector<std::uint32_t>& shared) {
  // Per fragment still going: its index, its common prefix with the one going before it
  // (`shared`, reused), and the state its path has reached.
  const std::size_t count = shared.size();
  std::pmr::vector<std::uint32_t> going(count, 0, memory_), reached(count, 0, memory_);
  for (std::uint32_t i = 0; i < count; ++i) going[i] = i;
  std::uint32_t next = 1;
  for (std::uint32_t depth = 0; !going.empty(); ++depth) {
    std::size_t kept = 0;
    std::uint32_t carried = 0xFFFFFFFFu;  // the common prefix across the fragments that ended since
    for (std::size_t k = 0; k < going.size(); ++k) {
      const std::uint32_t i = going[k];
      std::uint32_t state;
      if (k == 0 || shared[k] <= depth) {
        state = next++;
        const std::uint32_t parent = reached[k];
        labels_[state] = static_cast<unsigned char>(text[starts[i] + depth]);
        if (++child_counts_[parent] == 0) links_[parent] |= kAllChildren;
      } else {
        state = next - 1;
      }
      if (starts[i] + depth + 1 == starts[i + 1]) {
        links_[state] |= kAccepts;
        carried = std::min(carried, shared[k]);
        continue;
      }
      going[kept] = i;
      shared[kept] = std::min(shared[k], carried);
      reached[kept] = state;
      ++kept;
      carried = 0xFFFFFFFFu;
    }
    going.resize(kept);
    shared.resize(kept);
    reached.resize(kept);
  }
}

// Failure links in state order, which is breadth first: a state's link is the longest
// proper suffix of its path that is also a path from the root, found from its parent's
// link, which lies less deep; acceptance is inherited along the links.
void TitleMatcher::LinkFailures() {
  std::uint32_t child = 1;
  for (std::uint32_t parent = 0; parent < links_.size(); ++parent) {
    for (std::uint32_t n = ChildCount(parent); n > 0; --n, ++child) {
      if (parent == 0) continue;  // the root's children fall back to the root
      const std::uint32_t fail = Next(links_[parent] & kFailMask, labels_[child]);
      links_[child] |= fail | (links_[fail] & kAccepts);
    }
  }
}

// A kept state's moves: those of its failure link, which lies less deep and so was filled
// before, with its own children in their place. Its failure link must be known.
void TitleMatcher::FillDenseMoves(std::uint32_t state) {
  std::uint32_t* moves = dense_moves_.data() + std::size_t{state} * 256;
  if (state != 0)
    std::memcpy(moves, dense_moves_.data() + std::size_t{links_[state] & kFailMask} * 256, 1024);
  const std::uint32_t first = FirstChild(state);
  for (std::uint32_t child = first; child < first + ChildCount(state); ++child) moves[labels_[child]] = child;
}

}  // namespace quellix::engine
