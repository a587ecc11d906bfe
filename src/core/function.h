// Function<R(Args...)>: an owning, copyable wrapper of any callable, like
// std::function but without its throwing call of an empty wrapper (which
// brings the exception runtime into a static program). Calling an empty
// Function ends the program.
#pragma once

#include <cstdlib>
#include <type_traits>
#include <utility>

namespace brimel {

template <typename Signature>
class Function;

template <typename R, typename... Args>
class Function<R(Args...)> {
public:
    Function() = default;
    template <typename F, typename = std::enable_if_t<!std::is_same<std::decay_t<F>, Function>::value>,
              typename = decltype(static_cast<R>(std::declval<F&>()(std::declval<Args>()...)))>
    Function(F callable)  // NOLINT: converts like std::function
        : object_(new F(std::move(callable))), call_(&Call<F>), copy_(&Copy<F>), destroy_(&Destroy<F>) {}
    Function(const Function& other)
        : object_(other.object_ ? other.copy_(other.object_) : nullptr),
          call_(other.call_),
          copy_(other.copy_),
          destroy_(other.destroy_) {}
    Function(Function&& other) noexcept
        : object_(other.object_), call_(other.call_), copy_(other.copy_), destroy_(other.destroy_) {
        other.object_ = nullptr;
    }
    ~Function() {
        if (object_) destroy_(object_);
    }
    Function& operator=(Function other) noexcept {
        std::swap(object_, other.object_);
        std::swap(call_, other.call_);
        std::swap(copy_, other.copy_);
        std::swap(destroy_, other.destroy_);
        return *this;
    }

    explicit operator bool() const { return object_ != nullptr; }

    R operator()(Args... args) const {
        if (!object_) std::abort();
        return call_(object_, std::forward<Args>(args)...);
    }

private:
    template <typename F>
    static R Call(void* object, Args&&... args) {
        return static_cast<R>((*static_cast<F*>(object))(std::forward<Args>(args)...));
    }
    template <typename F>
    static void* Copy(const void* object) {
        return new F(*static_cast<const F*>(object));
    }
    template <typename F>
    static void Destroy(void* object) {
        delete static_cast<F*>(object);
    }

    void* object_ = nullptr;
    R (*call_)(void*, Args&&...) = nullptr;
    void* (*copy_)(const void*) = nullptr;
    void (*destroy_)(void*) = nullptr;
};

}  // namespace brimel
