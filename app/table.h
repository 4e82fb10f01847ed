// Fixed-size tables with their index checked in one place: a bad index reads and writes a
// scratch element (and says so on stderr once per table) instead of memory past the end.
#pragma once
#include <array>
#include <cstddef>
#include <cstdio>

namespace app {

template <typename T, size_t N>
class Table {
public:
    static constexpr int kSize = int(N);

    T& operator[](int index) {
        if (index >= 0 && index < kSize) return items_[size_t(index)];
        return outOfRange(index);
    }
    const T& operator[](int index) const { return const_cast<Table&>(*this)[index]; }
    void fill(const T& value) { items_.fill(value); }
    int size() const { return kSize; }

private:
    T& outOfRange(int index) {
        if (!reported_) {
            std::fprintf(stderr, "tavik-morrow: index %d outside a table of %d\n", index, kSize);
            reported_ = true;
        }
        scratch_ = T{};
        return scratch_;
    }

    std::array<T, N> items_{};
    T scratch_{};
    bool reported_ = false;
};

}  // namespace app
