// Array<T>: a growable array with the part of std::vector's interface that the
// code uses, and without the exception runtime that std::vector's length
// checks bring into a static program.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <initializer_list>
#include <new>
#include <type_traits>
#include <utility>

namespace brimel {

template <typename T>
class Array {
public:
    using value_type = T;
    using iterator = T*;
    using const_iterator = const T*;

    Array() = default;
    // `count` value-initialised elements (zeros for numbers).
    explicit Array(size_t count) { resize(count); }
    Array(size_t count, const T& value) { resize(count, value); }
    // The elements from first up to last, converted to T.
    template <typename It, typename = std::enable_if_t<!std::is_integral<It>::value>>
    Array(It first, It last) {
        if constexpr (std::is_pointer<It>::value) {
            // A block of the exact size straight away: nothing to move yet.
            const size_t count = static_cast<size_t>(last - first);
            if (count == 0) return;
            items_ = Allocate(count);
            capacity_ = count;
            for (; first != last; ++first) new (items_ + size_++) T(*first);
        } else {
            for (; first != last; ++first) emplace_back(*first);
        }
    }
    Array(std::initializer_list<T> items) : Array(items.begin(), items.end()) {}
    Array(const Array& other) : Array(other.begin(), other.end()) {}
    Array(Array&& other) noexcept : items_(other.items_), size_(other.size_), capacity_(other.capacity_) {
        other.items_ = nullptr;
        other.size_ = other.capacity_ = 0;
    }
    ~Array() { Release(); }

    Array& operator=(const Array& other) {
        if (this != &other) {
            Array copy(other);
            *this = std::move(copy);
        }
        return *this;
    }
    Array& operator=(Array&& other) noexcept {
        if (this != &other) {
            Release();
            items_ = other.items_;
            size_ = other.size_;
            capacity_ = other.capacity_;
            other.items_ = nullptr;
            other.size_ = other.capacity_ = 0;
        }
        return *this;
    }

    T* data() { return items_; }
    const T* data() const { return items_; }
    size_t size() const { return size_; }
    size_t capacity() const { return capacity_; }
    bool empty() const { return size_ == 0; }

    // No range check, as with std::vector.
    T& operator[](size_t i) { return items_[i]; }
    const T& operator[](size_t i) const { return items_[i]; }
    T& front() { return items_[0]; }
    const T& front() const { return items_[0]; }
    T& back() { return items_[size_ - 1]; }
    const T& back() const { return items_[size_ - 1]; }
    T* begin() { return items_; }
    T* end() { return items_ + size_; }
    const T* begin() const { return items_; }
    const T* end() const { return items_ + size_; }

    void reserve(size_t capacity) {
        if (capacity > capacity_) MoveTo(Allocate(capacity), capacity);
    }
    void resize(size_t size) {
        Shrink(size);
        if (size > capacity_) MoveTo(Allocate(size), size);
        for (; size_ < size; ++size_) new (items_ + size_) T();
    }
    void resize(size_t size, const T& value) {
        Shrink(size);
        if (size > capacity_) {
            // Copied before the old elements move: `value` may be one of them.
            const T copy(value);
            MoveTo(Allocate(size), size);
            for (; size_ < size; ++size_) new (items_ + size_) T(copy);
        }
        for (; size_ < size; ++size_) new (items_ + size_) T(value);
    }
    void clear() { Shrink(0); }

    void push_back(const T& item) { emplace_back(item); }
    void push_back(T&& item) { emplace_back(std::move(item)); }
    template <typename... Args>
    T& emplace_back(Args&&... args) {
        if (size_ < capacity_) {
            new (items_ + size_) T(std::forward<Args>(args)...);
        } else {
            // The new element is made before the old ones move: the
            // arguments may refer to one of them.
            const size_t capacity = capacity_ < 4 ? 4 : Doubled(capacity_);
            T* block = Allocate(capacity);
            new (block + size_) T(std::forward<Args>(args)...);
            MoveTo(block, capacity);
        }
        return items_[size_++];
    }
    void pop_back() { Shrink(size_ - 1); }

private:
    static size_t Doubled(size_t capacity) {
        if (capacity > static_cast<size_t>(-1) / 2 / sizeof(T)) std::abort();
        return capacity * 2;
    }
    // Running out of memory ends the program, as the global operator new does.
    static T* Allocate(size_t capacity) {
        if (capacity > static_cast<size_t>(-1) / 2 / sizeof(T)) std::abort();
        return static_cast<T*>(::operator new(capacity * sizeof(T)));
    }
    // Moves the elements into `block` (which holds `capacity`) and frees the old one.
    void MoveTo(T* block, size_t capacity) {
        for (size_t i = 0; i < size_; ++i) {
            new (block + i) T(std::move(items_[i]));
            items_[i].~T();
        }
        ::operator delete(items_);
        items_ = block;
        capacity_ = capacity;
    }
    void Shrink(size_t size) {
        while (size_ > size) items_[--size_].~T();
    }
    void Release() {
        Shrink(0);
        ::operator delete(items_);
        items_ = nullptr;
        capacity_ = 0;
    }

    T* items_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

template <typename T>
bool operator==(const Array<T>& a, const Array<T>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!(a[i] == b[i])) return false;
    return true;
}

template <typename T>
bool operator!=(const Array<T>& a, const Array<T>& b) {
    return !(a == b);
}

}  // namespace brimel
