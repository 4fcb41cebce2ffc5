// Bump allocator for parse nodes. A failed match rewinds to the mark taken before it, so the
// memory of abandoned alternatives is reused at once; a tree releases all of it together.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>
#include <vector>

namespace lang {

class node_arena {
public:
  struct mark_t {
    size_t chunk, used;
  };

  node_arena() = default;
  node_arena(const node_arena &) = delete;
  node_arena &operator=(const node_arena &) = delete;
  ~node_arena() {
    for (auto &c : chunks_) std::free(c.data);
  }

  void *alloc(size_t n) {
    n = (n + 7) & ~size_t(7);
    if (cur_ < chunks_.size() && chunks_[cur_].size - used_ >= n) {
      void *p = chunks_[cur_].data + used_;
      used_ += n;
      return p;
    }
    return grow(n);
  }
  mark_t mark() const { return {cur_, used_}; }
  void rewind(mark_t m) {
    cur_ = m.chunk;
    used_ = m.used;
  }

private:
  struct chunk {
    char *data;
    size_t size;
  };
  std::vector<chunk> chunks_;
  size_t cur_ = 0, used_ = 0;

  void *grow(size_t n) {
    // Move on to the next chunk that is large enough, keeping earlier ones for reuse.
    size_t next = chunks_.empty() ? 0 : cur_ + 1;
    while (next < chunks_.size() && chunks_[next].size < n) ++next;
    if (next >= chunks_.size()) {
      size_t size = chunks_.empty() ? 16 * 1024 : chunks_.back().size * 2;
      if (size > 4 * 1024 * 1024) size = 4 * 1024 * 1024;
      if (size < n) size = n;
      char *data = static_cast<char *>(std::malloc(size));
      if (!data) throw std::bad_alloc();
      chunks_.push_back({data, size});
      next = chunks_.size() - 1;
    }
    cur_ = next;
    used_ = n;
    return chunks_[cur_].data;
  }
};

}  // namespace lang
