// Working memory of the extended exports: an array taken from the process heap and given back
// when it goes out of scope, so nothing of it outlives the call.
#pragma once

#include "platform/platform.h"

// Gives `old` back (if any) and takes count elements of size bytes; nullptr when the heap
// cannot give them.
void* HeapRetake(void* old, SIZE_T count, SIZE_T size);
void HeapGive(void* memory);

template <typename T>
class HeapArray {
public:
    HeapArray() = default;
    ~HeapArray() { HeapGive(items_); }
    HeapArray(const HeapArray&) = delete;
    HeapArray& operator=(const HeapArray&) = delete;

    // Room for count elements, the earlier ones gone; false when the heap cannot give it.
    bool Take(SIZE_T count) {
        items_ = static_cast<T*>(HeapRetake(items_, count, sizeof(T)));
        size_ = items_ ? count : 0;
        return items_ != nullptr;
    }
    // Room for at least count elements, keeping none of the earlier ones.
    bool Reserve(SIZE_T count) { return count <= size_ || Take(count); }
    // Room for at least count elements, the first `kept` of them kept; it at least doubles, so
    // that growing by steps costs a copy of each element about once.
    bool Grow(SIZE_T count, SIZE_T kept) {
        if (count <= size_) return true;
        const SIZE_T size = count > 2 * size_ ? count : 2 * size_;
        T* grown = static_cast<T*>(HeapRetake(nullptr, size, sizeof(T)));
        if (!grown) return false;
        for (SIZE_T i = 0; i < kept; ++i) grown[i] = items_[i];
        HeapGive(items_);
        items_ = grown;
        size_ = size;
        return true;
    }

    T* get() const { return items_; }
    T& operator[](SIZE_T index) const { return items_[index]; }

private:
    T* items_ = nullptr;
    SIZE_T size_ = 0;
};
