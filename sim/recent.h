// What the simulated PC records of the calls made to it, for tests to read: the latest entries
// only, so a PC left running for days keeps a bounded record, and the count of all ever made.
#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

namespace sim {

// Enough for any one test to see every call it makes; a soak only ever sees the tail.
inline constexpr std::size_t kRecentLimit = 1024;

template <class T>
class Recent {
  public:
    using value_type = T;
    using const_iterator = typename std::deque<T>::const_iterator;
    using iterator = const_iterator;

    explicit Recent(std::size_t limit = kRecentLimit) : limit_(std::max<std::size_t>(limit, 1)) {}

    void push_back(T entry) {
        if (entries_.size() == limit_) entries_.pop_front();
        entries_.push_back(std::move(entry));
        ++total_;
    }
    // Forgets the entries; the total goes on counting.
    void clear() { entries_.clear(); }

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const T& operator[](std::size_t i) const { return entries_[i]; }
    T& operator[](std::size_t i) { return entries_[i]; }
    const T& front() const { return entries_.front(); }
    const T& back() const { return entries_.back(); }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

    // Entries ever added, kept or not.
    std::uint64_t Total() const { return total_; }
    std::size_t Limit() const { return limit_; }
    // The number of the oldest kept entry (0 the first ever added): a reader that remembers
    // how far it had read finds entry n at [n - FirstKept()] while n >= FirstKept().
    std::uint64_t FirstKept() const { return total_ - entries_.size(); }

    friend bool operator==(const Recent& r, const std::vector<T>& v) {
        return std::equal(r.begin(), r.end(), v.begin(), v.end());
    }

  private:
    std::size_t limit_;
    std::deque<T> entries_;
    std::uint64_t total_ = 0;
};

}  // namespace sim
