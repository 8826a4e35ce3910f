#include "module/guard.h"

#include "platform/platform.h"

namespace {

// A thread that waits for its turn, listed for as long as it waits.
struct Waiter {
    DWORD thread;
    Waiter* next;
};

// The thread inside the module, 0 when none is.
DWORD owner;
// The waiting threads, and the lock that guards the list; both live only as long as some
// thread waits, so a host that never overlaps calls never touches them.
Waiter* waiters;
LONG waitersLock;

// How long a waiting thread sleeps between looks, unless a message sent to it wakes it.
constexpr DWORD kWaitMs = 1;

bool TryEnter(DWORD thread, DWORD& inside) {
    inside = 0;
    return __atomic_compare_exchange_n(&owner, &inside, thread, false, __ATOMIC_ACQUIRE,
                                       __ATOMIC_RELAXED);
}

void LockWaiters() {
    while (__atomic_exchange_n(&waitersLock, 1, __ATOMIC_ACQUIRE) != 0) Sleep(0);
}

void UnlockWaiters() { __atomic_store_n(&waitersLock, 0, __ATOMIC_RELEASE); }

// Lists the thread as waiting unless it is listed already, that is, unless this call was
// reached from a window procedure that its own wait is serving.
bool ListWaiter(Waiter& self) {
    LockWaiters();
    for (const Waiter* w = waiters; w; w = w->next) {
        if (w->thread == self.thread) {
            UnlockWaiters();
            return false;
        }
    }
    self.next = waiters;
    waiters = &self;
    UnlockWaiters();
    return true;
}

void UnlistWaiter(const Waiter& self) {
    LockWaiters();
    Waiter** link = &waiters;
    while (*link != &self) link = &(*link)->next;
    *link = self.next;
    UnlockWaiters();
}

// Waits for the module to be free. The call inside may be sending to a window of this
// thread's, so the messages sent to this thread are delivered meanwhile.
void WaitTurn(DWORD thread) {
    DWORD inside;
    while (!TryEnter(thread, inside)) {
        // The wait wakes for new messages only; a message that came before it is delivered
        // by the look that follows all the same.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kWaitMs, QS_SENDMESSAGE);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

bool EnterCall() {
    const DWORD thread = GetCurrentThreadId();
    DWORD inside = 0;
    // A waiting thread sees its own entry in the list, so the one interlocked operation of
    // the free case never lets it in ahead of its own wait.
    if (__atomic_load_n(&waiters, __ATOMIC_RELAXED) == nullptr && TryEnter(thread, inside)) return true;
    if (inside == thread || __atomic_load_n(&owner, __ATOMIC_RELAXED) == thread) return false;
    // Answering a message that another thread sent: the sender may be the call inside,
    // which cannot go on before this answer.
    if (InSendMessage()) return false;
    Waiter self{thread, nullptr};
    if (!ListWaiter(self)) return false;
    WaitTurn(thread);
    UnlistWaiter(self);
    return true;
}

void LeaveCall() { __atomic_store_n(&owner, 0, __ATOMIC_RELEASE); }
