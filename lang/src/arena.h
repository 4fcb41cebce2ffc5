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
        size_t chunk;
        char *ptr;
    };

    node_arena()
    {
        chunks_.push_back(take(16 * 1024));
        ptr_ = chunks_[0].data;
        end_ = ptr_ + chunks_[0].size;
    }
    node_arena(const node_arena &) = delete;
    node_arena &operator=(const node_arena &) = delete;
    ~node_arena()
    {
        for (auto &c : chunks_) give_back(c);
    }

    inline __attribute__((always_inline)) void *alloc(size_t n)
    {
        n = (n + 7) & ~size_t(7);
        if (static_cast<size_t>(end_ - ptr_) >= n) {
            void *p = ptr_;
            ptr_ += n;
            return p;
        }
        return grow(n);
    }
    mark_t mark() const { return {cur_, ptr_}; }
    // Frees the chunks this thread keeps for its next parse.
    static void drop_spare()
    {
        pool &p = spare();
        for (auto &c : p.free) std::free(c.data);
        p.free.clear();
        p.free.shrink_to_fit();
        p.bytes = 0;
    }
    // Gives back the n bytes at p when they were the last ones handed out.
    void release_last(void *p, size_t n)
    {
        n = (n + 7) & ~size_t(7);
        if (static_cast<char *>(p) + n == ptr_) ptr_ = static_cast<char *>(p);
    }
    void rewind(mark_t m)
    {
        if (m.chunk != cur_) {
            cur_ = m.chunk;
            end_ = chunks_[cur_].data + chunks_[cur_].size;
        }
        ptr_ = m.ptr;
    }

private:
    struct chunk {
        char *data;
        size_t size;
    };
    std::vector<chunk> chunks_;
    size_t cur_ = 0;
    char *ptr_ = nullptr, *end_ = nullptr; // free space in chunk cur_

    // Released chunks are kept per thread for the next parse (the editor parses after every
    // key stroke), so their pages are not faulted in again each time. Bounded.
    struct pool {
        std::vector<chunk> free;
        size_t bytes = 0;
        ~pool()
        {
            for (auto &c : free) std::free(c.data);
        }
    };
    static pool &spare()
    {
        static thread_local pool p;
        return p;
    }
    static constexpr size_t pool_limit = 64 * 1024 * 1024;

    static chunk take(size_t size)
    {
        pool &p = spare();
        for (size_t i = p.free.size(); i-- > 0;) {
            if (p.free[i].size >= size) {
                chunk c = p.free[i];
                p.free.erase(p.free.begin() + static_cast<long>(i));
                p.bytes -= c.size;
                return c;
            }
        }
        char *data = static_cast<char *>(std::malloc(size));
        if (!data) throw std::bad_alloc();
        return {data, size};
    }
    static void give_back(chunk c)
    {
        pool &p = spare();
        if (p.bytes + c.size > pool_limit) {
            std::free(c.data);
            return;
        }
        p.free.push_back(c);
        p.bytes += c.size;
    }

    __attribute__((noinline)) void *grow(size_t n)
    {
        // Move on to the next chunk that is large enough, keeping earlier ones for reuse.
        size_t next = cur_ + 1;
        while (next < chunks_.size() && chunks_[next].size < n) ++next;
        if (next >= chunks_.size()) {
            size_t size = chunks_.back().size * 2;
            if (size > 4 * 1024 * 1024) size = 4 * 1024 * 1024;
            if (size < n) size = n;
            chunks_.push_back(take(size));
            next = chunks_.size() - 1;
        }
        cur_ = next;
        ptr_ = chunks_[cur_].data + n;
        end_ = chunks_[cur_].data + chunks_[cur_].size;
        return chunks_[cur_].data;
    }
};

} // namespace lang
