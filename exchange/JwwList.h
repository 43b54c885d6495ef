// JwwList.h: the growable lists of the exchange state (included by JwwGaibu.h).
//
// A list is a count and an array whose capacity grows in steps of 1000 elements (the 1001st
// element makes room for 2000). Its memory is address space reserved once and committed as the
// list grows, so growing never copies: the reader reserves room for as many records as the file
// can hold (an entity takes at least 7 bytes of file). A list that outgrows its reservation (no
// bound was given, or records come from more than one file) moves once to a reservation twice as
// large. Allocation failure throws std::bad_alloc, which the reading operations turn into a false
// result.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

// Untyped memory of a list: reserved address space, committed up to a point.
class TJwwListMemory {
 public:
  TJwwListMemory() = default;
  TJwwListMemory(const TJwwListMemory&) = delete;
  TJwwListMemory& operator=(const TJwwListMemory&) = delete;
  ~TJwwListMemory() { Free(); }

  char* Data() const { return data_; }
  std::size_t Committed() const { return committed_; }
  // Makes the first BYTES usable, keeping what they held; new bytes read as zero.
  void Commit(std::size_t bytes) {
    if (bytes > committed_) Grow(bytes);
  }
  // The room the next reservation takes at least (the reader's bound); kept across Free.
  void ReserveAhead(std::size_t bytes) { ahead_ = bytes; }
  void Free();

 private:
  void Grow(std::size_t bytes);

  char* data_ = nullptr;
  std::size_t committed_ = 0;
  std::size_t reserved_ = 0;
  std::size_t ahead_ = 0;
};

template <class T>
class TJwwList {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  int32_t Count() const { return count_; }
  int32_t Capacity() const { return capacity_; }
  const T& operator[](int32_t i) const { return Data()[i]; }
  T& operator[](int32_t i) { return Data()[i]; }
  const T* begin() const { return Data(); }
  const T* end() const { return Data() + count_; }
  // The bytes the list's capacity takes.
  int64_t HeldBytes() const { return static_cast<int64_t>(sizeof(T)) * capacity_; }

  // Appends a zero-filled element and returns it.
  T& Add() {
    if (count_ >= capacity_) {
      if (count_ > kMaxCount - 1000) throw std::bad_alloc();
      memory_.Commit(sizeof(T) * static_cast<std::size_t>(count_ + 1000));
      capacity_ = count_ + 1000;  // count mod 1000 == 0 here: the next multiple of 1000
    }
    T& e = Data()[count_++];
    e = T{};
    return e;
  }
  // Room for N more elements is to be reserved at once when the list first needs memory.
  void ReserveAhead(int64_t n) {
    memory_.ReserveAhead(sizeof(T) * static_cast<std::size_t>(count_ + (n < kMaxCount ? n : kMaxCount)));
  }
  // Empties the list and frees its memory.
  void Clear() {
    memory_.Free();
    count_ = capacity_ = 0;
  }

 private:
  static constexpr int32_t kMaxCount = 0x7FFFFFFF;

  T* Data() const { return reinterpret_cast<T*>(memory_.Data()); }

  TJwwListMemory memory_;
  int32_t count_ = 0;
  int32_t capacity_ = 0;  // as the growth rule says: the next multiple of 1000
};

// A byte string in list memory, which grows without copying itself: the string pool. Bytes
// appended stay where they are, so the pool never holds two copies of itself while it grows.
class TJwwByteString {
 public:
  std::size_t size() const { return size_; }
  const char* data() const { return memory_.Data(); }
  operator std::string_view() const { return std::string_view(data(), size_); }
  void append(std::string_view s) {
    if (s.empty()) return;
    memory_.Commit(size_ + s.size());
    std::memcpy(memory_.Data() + size_, s.data(), s.size());
    size_ += s.size();
  }
  TJwwByteString& operator+=(std::string_view s) {
    append(s);
    return *this;
  }
  // The bytes committed for the string.
  int64_t HeldBytes() const { return static_cast<int64_t>(memory_.Committed()); }
  // Room for BYTES is to be reserved at once when the string first needs memory.
  void ReserveAhead(std::size_t bytes) { memory_.ReserveAhead(size_ + bytes); }
  void Clear() {
    memory_.Free();
    size_ = 0;
  }
  friend bool operator==(const TJwwByteString& a, const TJwwByteString& b) {
    return std::string_view(a) == std::string_view(b);
  }

 private:
  TJwwListMemory memory_;
  std::size_t size_ = 0;
};

// A list of compact records that reads as a list of full records: element access and iteration
// give each record as a View, completed from the state's shared tables (TABLES, e.g. the
// attribute states), so that code reading records never sees how they are stored.
template <class Rec, class View, class Tables>
class TJwwRecordList {
 public:
  explicit TJwwRecordList(const Tables* tables) : tables_(tables) {}

  class iterator {
   public:
    iterator(const Rec* p, const Tables* t) : p_(p), t_(t) {}
    View operator*() const { return JwwView(*t_, *p_); }
    iterator& operator++() {
      ++p_;
      return *this;
    }
    bool operator!=(const iterator& o) const { return p_ != o.p_; }

   private:
    const Rec* p_;
    const Tables* t_;
  };

  int32_t Count() const { return list_.Count(); }
  int32_t Capacity() const { return list_.Capacity(); }
  int64_t HeldBytes() const { return list_.HeldBytes(); }
  View operator[](int32_t i) const { return JwwView(*tables_, list_[i]); }
  iterator begin() const { return iterator(list_.begin(), tables_); }
  iterator end() const { return iterator(list_.end(), tables_); }
  // The stored records, for the reader.
  TJwwList<Rec>& Records() { return list_; }
  const TJwwList<Rec>& Records() const { return list_; }
  void ReserveAhead(int64_t n) { list_.ReserveAhead(n); }
  void Clear() { list_.Clear(); }

 private:
  TJwwList<Rec> list_;
  const Tables* tables_;
};
