#include "module/heap.h"

void* HeapTake(SIZE_T count, SIZE_T size) {
    if (count > static_cast<SIZE_T>(-1) / size) return nullptr;
    return HeapAlloc(GetProcessHeap(), 0, count ? count * size : 1);
}

void HeapGive(void* memory) {
    if (memory) HeapFree(GetProcessHeap(), 0, memory);
}
