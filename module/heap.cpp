#include "module/heap.h"

void HeapGive(void* memory) {
    if (memory) HeapFree(GetProcessHeap(), 0, memory);
}

void* HeapRetake(void* old, SIZE_T count, SIZE_T size) {
    HeapGive(old);
    if (count > static_cast<SIZE_T>(-1) / size) return nullptr;
    return HeapAlloc(GetProcessHeap(), 0, count ? count * size : 1);
}

