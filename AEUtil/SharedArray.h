#pragma once
// A reference-counted array holder. The count is a plain integer: one SharedArray and
// its copies belong to one thread.

#include <cstdint>
#include <utility>

namespace AEUtil {

class SharedCountBase {
public:
    SharedCountBase() = default;
    SharedCountBase(const SharedCountBase&) = delete;
    SharedCountBase& operator=(const SharedCountBase&) = delete;
    virtual ~SharedCountBase() = default;

    // Frees the array, then the control block itself.
    virtual void dispose() = 0;

    std::int32_t useCount = 1;
};

template <class T, class Deleter>
class SharedCountImpl_PD final : public SharedCountBase {
public:
    SharedCountImpl_PD(T* array, Deleter deleter) : array_(array), deleter_(std::move(deleter)) {}

    void dispose() override {
        deleter_(array_);
        delete this;
    }

private:
    T* array_;
    Deleter deleter_;
};

// Frees an array made by new[].
struct array_deleter {
    template <class T>
    void operator()(T* array) const {
        delete[] array;
    }
};

template <class T>
class SharedArray {
public:
    // An empty holder still owns a control block, with a null array.
    SharedArray() : SharedArray(nullptr, array_deleter()) {}

    template <class Deleter = array_deleter>
    explicit SharedArray(T* array, Deleter deleter = Deleter())
        : array_(array), count_(makeCount(array, std::move(deleter))) {}

    SharedArray(const SharedArray& other) : array_(other.array_), count_(other.count_) { ++count_->useCount; }

    SharedArray& operator=(const SharedArray& other) {
        SharedArray copy(other);
        swap(copy);
        return *this;
    }

    ~SharedArray() {
        if (--count_->useCount == 0) count_->dispose();
    }

    void swap(SharedArray& other) noexcept {
        std::swap(array_, other.array_);
        std::swap(count_, other.count_);
    }

    T* get() const { return array_; }
    T& operator[](std::size_t i) const { return array_[i]; }
    explicit operator bool() const { return array_ != nullptr; }
    std::int32_t useCount() const { return count_->useCount; }

private:
    // If the control block cannot be made, the array is freed before the failure travels on.
    template <class Deleter>
    static SharedCountBase* makeCount(T* array, Deleter deleter) {
        try {
            return new SharedCountImpl_PD<T, Deleter>(array, deleter);
        } catch (...) {
            deleter(array);
            throw;
        }
    }

    T* array_;
    SharedCountBase* count_;
};

}  // namespace AEUtil
