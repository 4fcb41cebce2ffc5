// Decoding a 1,000,000-row result of (i64, double, string32, datetime), next to a
// plain memcpy of the same payload, and the allocations the decoder makes.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "decoder.h"

namespace {

std::atomic<size_t> allocations{0};

constexpr size_t row_count = 1000000;

void put(std::string &s, uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i));
}

const std::string &payload()
{
    static const std::string p = [] {
        std::string s;
        put(s, 4, 8);
        for (const char *name : {"id", "price", "label", "stamp"}) {
            put(s, std::strlen(name), 8);
            s += name;
        }
        put(s, row_count, 8);
        s += std::string{3, 0, 0}; // i64
        s += std::string{3, 0, 1}; // double
        s += std::string{7, 0, 2}; // string32
        s += std::string{0, 0, 5}; // datetime
        s.reserve(s.size() + row_count * 60);
        for (size_t r = 0; r < row_count; ++r) {
            put(s, r + 1, 8);
            put(s, r * 7919, 8);
            double d = r * 0.25;
            uint64_t bits;
            std::memcpy(&bits, &d, 8);
            put(s, bits, 8);
            size_t len = 8 + r % 24; // 8 to 31 bytes
            put(s, len, 2);
            for (size_t i = 0; i < len; ++i) s += static_cast<char>('a' + (r + i) % 26);
            put(s, 2000 + r % 50, 2);
            s += static_cast<char>(1 + r % 12);
            s += static_cast<char>(1 + r % 28);
            s += static_cast<char>(r % 24);
            s += static_cast<char>(r % 60);
            s += static_cast<char>(r % 60);
            put(s, r % 1000000000, 4);
        }
        return s;
    }();
    return p;
}

void BM_decode(benchmark::State &state)
{
    const std::string &p = payload();
    const uint8_t *data = reinterpret_cast<const uint8_t *>(p.data());
    size_t allocs = 0;
    for (auto _ : state) {
        auto *rs = new result_set;
        size_t before = allocations.load();
        bool ok = velalink::decode_payload(data, p.size(), *rs, nullptr);
        allocs = allocations.load() - before;
        benchmark::DoNotOptimize(ok);
        state.PauseTiming();
        if (!ok) state.SkipWithError("decode failed");
        delete rs;
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * p.size()));
    state.counters["rows"] = row_count;
    state.counters["allocs"] = static_cast<double>(allocs);
    state.counters["allocs_per_string"] = static_cast<double>(allocs) / row_count;
}

void BM_memcpy(benchmark::State &state)
{
    const std::string &p = payload();
    std::unique_ptr<char[]> dst(new char[p.size()]);
    std::memset(dst.get(), 1, p.size());
    for (auto _ : state) {
        std::memcpy(dst.get(), p.data(), p.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * p.size()));
}

// memcpy into fresh memory, which is what a decoder that must allocate its result
// competes against.
void BM_memcpy_fresh(benchmark::State &state)
{
    const std::string &p = payload();
    for (auto _ : state) {
        std::unique_ptr<char[]> dst(new char[p.size()]);
        std::memcpy(dst.get(), p.data(), p.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * p.size()));
}

} // namespace

BENCHMARK(BM_decode)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_memcpy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_memcpy_fresh)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every allocation of the process is counted; the decoder's share is read around
// one decode.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void *operator new(size_t n)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void *p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void *operator new[](size_t n)
{
    return operator new(n);
}
void operator delete(void *p) noexcept
{
    std::free(p);
}
void operator delete[](void *p) noexcept
{
    std::free(p);
}
void operator delete(void *p, size_t) noexcept
{
    std::free(p);
}
void operator delete[](void *p, size_t) noexcept
{
    std::free(p);
}

BENCHMARK_MAIN();
