// Owners of the kernel's and COM's resources: each lets go of what it holds
// when replaced or when it goes, unless the holding was handed on.
#pragma once

#include <windows.h>

#include <utility>

namespace brimel {

// A COM interface pointer, released when replaced or when the owner goes.
template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    void Reset(Interface* pointer = nullptr) {
        if (pointer_ != nullptr && pointer_ != pointer) pointer_->Release();
        pointer_ = pointer;
    }
    // For functions that hand out a new reference: releases what is held.
    Interface** Receive() {
        Reset();
        return &pointer_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

private:
    Interface* pointer_ = nullptr;
};

// A movable global memory block, freed when the owner goes unless it was
// handed on (Release), for instance to a stream that frees it itself.
class GlobalMemory {
public:
    explicit GlobalMemory(SIZE_T size) : handle_(GlobalAlloc(GMEM_MOVEABLE, size)) {}
    ~GlobalMemory() {
        if (handle_) GlobalFree(handle_);
    }
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    HGLOBAL Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    HGLOBAL Release() { return std::exchange(handle_, nullptr); }

private:
    HGLOBAL handle_;
};

// A loaded DLL, freed when the owner goes.
class Library {
public:
    explicit Library(HMODULE module) : module_(module) {}
    ~Library() {
        if (module_) FreeLibrary(module_);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    HMODULE Get() const { return module_; }
    explicit operator bool() const { return module_ != nullptr; }
    // Keeps the DLL loaded for good, for functions that outlive the owner.
    HMODULE Release() { return std::exchange(module_, nullptr); }
    // The DLL's export `name` as a function of the type `Function`; null when
    // the DLL is not loaded or lacks it.
    template <class Function>
    Function Export(const char* name) const {
        return module_ ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)))
                       : nullptr;
    }

private:
    HMODULE module_;
};

// A global block locked while the lock lives.
class GlobalLockIn {
public:
    explicit GlobalLockIn(HGLOBAL handle) : handle_(handle), data_(handle ? GlobalLock(handle) : nullptr) {}
    ~GlobalLockIn() {
        if (data_) GlobalUnlock(handle_);
    }
    GlobalLockIn(const GlobalLockIn&) = delete;
    GlobalLockIn& operator=(const GlobalLockIn&) = delete;
    void* Data() const { return data_; }

private:
    HGLOBAL handle_;
    void* data_;
};

// A kernel object handle (process, mutex, file...), closed when the owner
// goes. Both null and INVALID_HANDLE_VALUE count as holding nothing: the
// kernel's functions answer failure with one or the other.
class KernelHandle {
public:
    KernelHandle() = default;
    explicit KernelHandle(HANDLE handle) : handle_(handle) {}
    ~KernelHandle() { Reset(); }
    KernelHandle(const KernelHandle&) = delete;
    KernelHandle& operator=(const KernelHandle&) = delete;
    HANDLE Get() const { return handle_; }
    HANDLE Release() { return std::exchange(handle_, nullptr); }
    explicit operator bool() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    void Reset(HANDLE handle = nullptr) {
        if (*this && handle_ != handle) CloseHandle(handle_);
        handle_ = handle;
    }

private:
    HANDLE handle_ = nullptr;
};

// An open registry key, closed when the owner goes.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { Reset(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY Get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    // The platform's answer (ERROR_SUCCESS, ERROR_FILE_NOT_FOUND...).
    LONG Open(HKEY root, const char* path, REGSAM access) {
        Reset();
        const LONG result = RegOpenKeyExA(root, path, 0, access, &key_);
        if (result != ERROR_SUCCESS) key_ = nullptr;
        return result;
    }
    // Opens the key for writing, creating it and every missing key on its path.
    LONG Create(HKEY root, const char* path) {
        Reset();
        const LONG result = RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                                            nullptr, &key_, nullptr);
        if (result != ERROR_SUCCESS) key_ = nullptr;
        return result;
    }
    void Reset() {
        if (key_ != nullptr) RegCloseKey(key_);
        key_ = nullptr;
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace brimel
