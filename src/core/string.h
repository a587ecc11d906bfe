// String: the installer's text type, a growable zero-terminated byte string
// with the part of std::string's interface that the code uses, and without
// the exception runtime that std::string brings into a static program.
#pragma once

#include <cstddef>

namespace brimel {

class String {
public:
    static constexpr size_t npos = static_cast<size_t>(-1);

    String() noexcept;
    String(const char* text);  // NOLINT: converts like std::string
    String(const char* text, size_t length);
    String(size_t count, char c);
    String(const String& other);
    String(String&& other) noexcept;
    ~String();

    String& operator=(const String& other);
    String& operator=(String&& other) noexcept;
    String& operator=(const char* text);

    const char* c_str() const { return data_; }
    const char* data() const { return data_; }
    char* data() { return data_; }
    size_t size() const { return size_; }
    size_t length() const { return size_; }
    size_t capacity() const { return capacity_; }
    bool empty() const { return size_ == 0; }

    // No range check, as with std::string; [size()] is the terminating zero.
    char& operator[](size_t i) { return data_[i]; }
    const char& operator[](size_t i) const { return data_[i]; }
    char& back() { return data_[size_ - 1]; }
    const char& back() const { return data_[size_ - 1]; }
    char* begin() { return data_; }
    char* end() { return data_ + size_; }
    const char* begin() const { return data_; }
    const char* end() const { return data_ + size_; }

    void reserve(size_t capacity);
    // New characters are `c`; a shorter size keeps the first `size` ones.
    void resize(size_t size, char c = '\0');
    void clear();
    void push_back(char c);
    void pop_back();

    String& append(const char* text, size_t length);
    String& append(const char* text);
    String& append(const String& text);
    String& append(size_t count, char c);
    String& operator+=(const String& text) { return append(text); }
    String& operator+=(const char* text) { return append(text); }
    String& operator+=(char c) {
        push_back(c);
        return *this;
    }

    // The characters from `from`, at most `count` of them. A start past the
    // end gives an empty string (where std::string would throw).
    String substr(size_t from = 0, size_t count = npos) const;

    // Position of the first occurrence at or after `from`, or npos.
    size_t find(char c, size_t from = 0) const;
    size_t find(const char* text, size_t from = 0) const;
    size_t find(const String& text, size_t from = 0) const;
    // Position of the last `c` at or before `from`, or npos.
    size_t rfind(char c, size_t from = npos) const;

    // Byte-wise comparison: negative, zero or positive.
    int compare(const String& other) const;
    int compare(const char* text) const;

private:
    // Makes room for `extra` more characters, growing geometrically.
    void Grow(size_t extra);

    char* data_;
    size_t size_ = 0;
    size_t capacity_ = 0;  // characters that fit without the terminating zero
};

bool operator==(const String& a, const String& b);
bool operator==(const String& a, const char* b);
bool operator==(const char* a, const String& b);
bool operator!=(const String& a, const String& b);
bool operator!=(const String& a, const char* b);
bool operator!=(const char* a, const String& b);
bool operator<(const String& a, const String& b);

String operator+(const String& a, const String& b);
String operator+(const String& a, const char* b);
String operator+(const char* a, const String& b);
String operator+(const String& a, char b);
String operator+(String&& a, const String& b);
String operator+(String&& a, const char* b);
String operator+(String&& a, char b);

}  // namespace brimel
