#include "core/string.h"

#include <cstdlib>
#include <cstring>

namespace brimel {
namespace {

// Every empty string without a buffer of its own points here, so c_str() is
// always a terminated text and writing the terminator back is harmless.
char gEmpty[1] = {'\0'};

// Running out of memory, or a length past what can be addressed, ends the
// program: the installer has no way to go on without its texts.
char* Allocate(size_t capacity) {
    if (capacity >= String::npos / 2) std::abort();
    char* block = static_cast<char*>(std::malloc(capacity + 1));
    if (block == nullptr) std::abort();
    return block;
}

}  // namespace

String::String() noexcept : data_(gEmpty) {}

String::String(const char* text) : String(text, text ? std::strlen(text) : 0) {}

String::String(const char* text, size_t length) : data_(gEmpty) { append(text, length); }

String::String(size_t count, char c) : data_(gEmpty) { append(count, c); }

String::String(const String& other) : String(other.data_, other.size_) {}

String::String(String&& other) noexcept : data_(other.data_), size_(other.size_), capacity_(other.capacity_) {
    other.data_ = gEmpty;
    other.size_ = 0;
    other.capacity_ = 0;
}

String::~String() {
    if (capacity_ != 0) std::free(data_);
}

String& String::operator=(const String& other) {
    if (this != &other) {
        clear();
        append(other.data_, other.size_);
    }
    return *this;
}

String& String::operator=(String&& other) noexcept {
    if (this != &other) {
        if (capacity_ != 0) std::free(data_);
        data_ = other.data_;
        size_ = other.size_;
        capacity_ = other.capacity_;
        other.data_ = gEmpty;
        other.size_ = 0;
        other.capacity_ = 0;
    }
    return *this;
}

String& String::operator=(const char* text) {
    // The text may lie inside this string: copy it out first.
    String copy(text);
    return *this = static_cast<String&&>(copy);
}

void String::reserve(size_t capacity) {
    if (capacity <= capacity_) return;
    char* block = Allocate(capacity);
    std::memcpy(block, data_, size_ + 1);
    if (capacity_ != 0) std::free(data_);
    data_ = block;
    capacity_ = capacity;
}

void String::Grow(size_t extra) {
    if (extra > npos / 2 - size_) std::abort();
    const size_t needed = size_ + extra;
    if (needed <= capacity_) return;
    size_t capacity = capacity_ < 15 ? 15 : capacity_ * 2;
    if (capacity < needed) capacity = needed;
    reserve(capacity);
}

void String::resize(size_t size, char c) {
    if (size > size_) {
        append(size - size_, c);
    } else if (size < size_) {
        size_ = size;
        data_[size_] = '\0';
    }
}

void String::clear() {
    size_ = 0;
    data_[0] = '\0';
}

void String::push_back(char c) { append(1, c); }

void String::pop_back() {
    if (size_ == 0) return;
    data_[--size_] = '\0';
}

String& String::append(const char* text, size_t length) {
    if (length == 0) return *this;
    // The text may lie inside this string, its terminating zero included,
    // whose buffer growing moves.
    if (text >= data_ && text <= data_ + size_) {
        const size_t offset = static_cast<size_t>(text - data_);
        Grow(length);
        text = data_ + offset;
    } else {
        Grow(length);
    }
    std::memmove(data_ + size_, text, length);
    size_ += length;
    data_[size_] = '\0';
    return *this;
}

String& String::append(const char* text) { return text ? append(text, std::strlen(text)) : *this; }

String& String::append(const String& text) { return append(text.data_, text.size_); }

String& String::append(size_t count, char c) {
    if (count == 0) return *this;
    Grow(count);
    std::memset(data_ + size_, c, count);
    size_ += count;
    data_[size_] = '\0';
    return *this;
}

String String::substr(size_t from, size_t count) const {
    if (from >= size_) return String();
    const size_t available = size_ - from;
    return String(data_ + from, count < available ? count : available);
}

size_t String::find(char c, size_t from) const {
    if (from >= size_) return npos;
    const void* found = std::memchr(data_ + from, static_cast<unsigned char>(c), size_ - from);
    return found ? static_cast<size_t>(static_cast<const char*>(found) - data_) : npos;
}

size_t String::find(const char* text, size_t from) const {
    const size_t length = std::strlen(text);
    if (from > size_ || length > size_ - from) return npos;
    for (size_t i = from; i + length <= size_; ++i)
        if (std::memcmp(data_ + i, text, length) == 0) return i;
    return npos;
}

size_t String::find(const String& text, size_t from) const {
    if (from > size_ || text.size_ > size_ - from) return npos;
    for (size_t i = from; i + text.size_ <= size_; ++i)
        if (std::memcmp(data_ + i, text.data_, text.size_) == 0) return i;
    return npos;
}

size_t String::rfind(char c, size_t from) const {
    if (size_ == 0) return npos;
    for (size_t i = from < size_ ? from + 1 : size_; i-- > 0;)
        if (data_[i] == c) return i;
    return npos;
}

int String::compare(const String& other) const {
    const size_t common = size_ < other.size_ ? size_ : other.size_;
    const int order = common ? std::memcmp(data_, other.data_, common) : 0;
    if (order != 0) return order;
    return size_ < other.size_ ? -1 : (size_ > other.size_ ? 1 : 0);
}

int String::compare(const char* text) const {
    const size_t length = std::strlen(text);
    const size_t common = size_ < length ? size_ : length;
    const int order = common ? std::memcmp(data_, text, common) : 0;
    if (order != 0) return order;
    return size_ < length ? -1 : (size_ > length ? 1 : 0);
}

bool operator==(const String& a, const String& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size()) == 0;
}
bool operator==(const String& a, const char* b) { return a.compare(b) == 0; }
bool operator==(const char* a, const String& b) { return b.compare(a) == 0; }
bool operator!=(const String& a, const String& b) { return !(a == b); }
bool operator!=(const String& a, const char* b) { return !(a == b); }
bool operator!=(const char* a, const String& b) { return !(a == b); }
bool operator<(const String& a, const String& b) { return a.compare(b) < 0; }

String operator+(const String& a, const String& b) {
    String out;
    out.reserve(a.size() + b.size());
    return static_cast<String&&>(out.append(a).append(b));
}
String operator+(const String& a, const char* b) {
    String out(a);
    return static_cast<String&&>(out.append(b));
}
String operator+(const char* a, const String& b) {
    String out(a);
    return static_cast<String&&>(out.append(b));
}
String operator+(const String& a, char b) {
    String out(a);
    out.push_back(b);
    return out;
}
String operator+(String&& a, const String& b) { return static_cast<String&&>(a.append(b)); }
String operator+(String&& a, const char* b) { return static_cast<String&&>(a.append(b)); }
String operator+(String&& a, char b) {
    a.push_back(b);
    return static_cast<String&&>(a);
}

}  // namespace brimel
