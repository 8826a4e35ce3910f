#include "controls/shared.h"

namespace {

int Compared(ULONG_PTR a, ULONG_PTR b) { return a < b ? -1 : a > b ? 1 : 0; }

// The one parent quieted: the module serves one call at a time.
struct Quieted {
    HWND control;
    WNDPROC previous;
    bool wide;
} quieted;

LRESULT CALLBACK QuietProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && lParam && reinterpret_cast<const NMHDR*>(lParam)->hwndFrom == quieted.control) return 0;
    return quieted.wide ? CallWindowProcW(quieted.previous, window, message, wParam, lParam)
                        : CallWindowProcA(quieted.previous, window, message, wParam, lParam);
}

LONG_PTR SetProcedure(HWND window, bool wide, LONG_PTR procedure) {
    return wide ? SetWindowLongPtrW(window, GWLP_WNDPROC, procedure) : SetWindowLongPtrA(window, GWLP_WNDPROC, procedure);
}

}  // namespace

DWORD ParamPlaces::Make(const LPARAM* params, const Arrangement& order, bool& distinct) {
    distinct = true;
    ULONG_PTR least = ~ULONG_PTR{0}, most = 0;
    for (DWORD item = 0; item < order.count; ++item) {
        if (order.removed[item]) continue;
        const auto value = static_cast<ULONG_PTR>(params[item]);
        least = value < least ? value : least;
        most = value > most ? value : most;
    }
    if (order.kept == 0) return 0;
    if (most - least < 2 * ULONG_PTR{order.kept}) {
        least_ = least;
        if (!dense_.Take(most - least + 1)) return ERROR_NOT_ENOUGH_MEMORY;
        for (ULONG_PTR i = 0; i <= most - least; ++i) dense_[i] = kEmpty;
        for (DWORD item = 0; item < order.count && distinct; ++item) {
            if (order.removed[item]) continue;
            DWORD& slot = dense_[static_cast<ULONG_PTR>(params[item]) - least];
            distinct = slot == kEmpty;
            slot = order.place[item];
        }
        most_ = most - least;
        return 0;
    }
    while (bits_ < 31 && (1u << bits_) / 2 < order.kept) ++bits_;
    const DWORD size = 1u << bits_;
    if (!slots_.Take(size)) return ERROR_NOT_ENOUGH_MEMORY;
    for (DWORD slot = 0; slot < size; ++slot) slots_[slot].place = kEmpty;
    for (DWORD item = 0; item < order.count && distinct; ++item) {
        if (order.removed[item]) continue;
        Slot& slot = slots_[SlotOf(params[item])];
        distinct = slot.place == kEmpty;
        slot = {params[item], order.place[item]};
    }
    return 0;
}

DWORD ParamPlaces::SlotOf(LPARAM param) const {
    // Fibonacci hashing: the high bits of the product, so that values in steps (aligned
    // pointers) spread out.
    const auto value = static_cast<ULONG_PTR>(param);
    const DWORD mask = (1u << bits_) - 1;
    DWORD slot = (static_cast<DWORD>(value ^ (value >> 16 >> 16)) * 2654435769u) >> (32 - bits_);
    while (slots_[slot].place != kEmpty && slots_[slot].param != param) slot = (slot + 1) & mask;
    return slot;
}

int CALLBACK CompareByPlaces(LPARAM a, LPARAM b, LPARAM context) {
    const auto& places = *reinterpret_cast<const ParamPlaces*>(context);
    return Compared(places.PlaceOf(a), places.PlaceOf(b));
}

int CALLBACK CompareAsPlaces(LPARAM a, LPARAM b, LPARAM) {
    return Compared(static_cast<ULONG_PTR>(a), static_cast<ULONG_PTR>(b));
}

bool QuietParent::Possible(HWND control) {
    const HWND parent = GetParent(control);
    DWORD process = 0;
    if (parent) GetWindowThreadProcessId(parent, &process);
    return !parent || process == GetCurrentProcessId();
}

void QuietParent::Quiet(HWND control) {
    parent_ = GetParent(control);
    if (!parent_) return;
    quieted.control = control;
    quieted.wide = IsWindowUnicode(parent_) != FALSE;
    quieted.previous = reinterpret_cast<WNDPROC>(SetProcedure(parent_, quieted.wide, reinterpret_cast<LONG_PTR>(&QuietProc)));
    if (!quieted.previous) parent_ = nullptr;
}

QuietParent::~QuietParent() {
    if (parent_) SetProcedure(parent_, quieted.wide, reinterpret_cast<LONG_PTR>(quieted.previous));
}
