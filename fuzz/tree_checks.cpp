// SortTvEx, LookTvEx, LookTvExW, AddTvEx and AddTvExW on a tree view of the stand-in's, made of the
// case's items, each the child of the root or of an item before it as the tail chooses. A sort is
// checked level by level against std::stable_sort under the orders of fuzz/reference.cpp, every
// item whole with its subtree, the caret and the first visible item kept, each level read once,
// none written that stands in order, and the parent told of no lParam its host never set; the
// lookups and the inserts against the reference's answers and std::upper_bound, within their
// reads; the refusals leave the tree as it was. The stand-in's only: on Windows it does nothing.
#include "fuzz/checks.h"
#include "fuzz/lists.h"

#include "Tolvarenkis.h"
#include "support/exports.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#if !defined(_WIN32)

namespace {

// An item as the tree holds it.
struct Node {
    HTREEITEM handle;
    Wide text;
    LPARAM param;
    int image;
    UINT state;
    std::vector<Node> children;
    bool operator==(const Node& o) const {
        return handle == o.handle && text == o.text && param == o.param && image == o.image && state == o.state &&
               children == o.children;
    }
};
using Nodes = std::vector<Node>;

// What the tree's parent and the procedure put in the tree's place see: one tree at a time.
struct Seen {
    std::map<HTREEITEM, Wide> callbacks;  // the texts the parent gives
    std::vector<LPARAM> heard;            // the lParam values named to the parent
    size_t reads = 0, writes = 0;         // texts read, sorts and items changed, while counting
    size_t childAsks = 0;                 // TVGN_CHILD asked, while counting
    std::map<HTREEITEM, int> rooms;       // the room of each item's last read: a larger one reads on
    bool counting = false;
    WNDPROC tree = nullptr;
} seen;

LRESULT CALLBACK ParentProc(HWND, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY) return 0;
    const UINT code = reinterpret_cast<const NMHDR*>(lParam)->code;
    if (code == TVN_ITEMCHANGINGW || code == TVN_ITEMCHANGEDW)
        seen.heard.push_back(reinterpret_cast<const NMTVITEMCHANGE*>(lParam)->lParam);
    if (code == TVN_SELCHANGINGW || code == TVN_SELCHANGEDW || code == TVN_DELETEITEMW)
        for (const TVITEMW* item : {&reinterpret_cast<const NMTREEVIEWW*>(lParam)->itemOld, &reinterpret_cast<const NMTREEVIEWW*>(lParam)->itemNew})
            if (item->hItem) seen.heard.push_back(item->lParam);
    if (code == TVN_GETDISPINFOW) {
        auto& item = reinterpret_cast<NMTVDISPINFOW*>(lParam)->item;
        seen.heard.push_back(item.lParam);
        // A callback count answers whether the item has children, as the control would count them.
        const HWND tree = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        if (item.mask & TVIF_CHILDREN) {
            const bool counting = std::exchange(seen.counting, false);  // the parent's question is no export's
            item.cChildren = SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item.hItem)) != 0;
            seen.counting = counting;
        }
        if (!(item.mask & TVIF_TEXT)) return 0;
        const Wide& text = seen.callbacks[item.hItem];
        const size_t length = std::min(text.size(), static_cast<size_t>(std::max(item.cchTextMax, 1) - 1));
        std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length), item.pszText);
        item.pszText[length] = 0;
    }
    return 0;
}

// A text read again in a larger room, for it filled the first, is read once.
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* item = reinterpret_cast<const TVITEMW*>(lParam);
    if (seen.counting && message == TVM_GETITEMW && (item->mask & TVIF_TEXT)) {
        int& room = seen.rooms[item->hItem];
        if (item->cchTextMax <= room || room == 0) ++seen.reads;
        room = item->cchTextMax;
    }
    if (seen.counting && (message == TVM_SORTCHILDRENCB || message == TVM_SETITEMW)) ++seen.writes;
    if (seen.counting && message == TVM_GETNEXTITEM && wParam == TVGN_CHILD) ++seen.childAsks;
    return CallWindowProcW(seen.tree, window, message, wParam, lParam);
}

class Tree {
public:
    // Item i: lParam i + 1, or far apart for an odd count of items (i % 3 with sameParams), image i, a state of its own, a callback text
    // one in seven; one item in five counts its children through the parent, and one in five has a
    // button whether it has children or not, as hosts that fill a level when it opens give them.
    Tree(const Texts& items, Tail& tail, bool sameParams) {
        static const WCHAR kTree[] = {'S', 'y', 's', 'T', 'r', 'e', 'e', 'V', 'i', 'e', 'w', '3', '2', 0};
        static const WCHAR kParent[] = {'P', 'a', 'r', 'e', 'n', 't', 0};
        seen = Seen{};
        parent_ = CreateWindowExW(0, kParent, nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtrW(parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ParentProc));
        tree_ = CreateWindowExW(0, kTree, nullptr, WS_CHILD, 0, 0, 0, 0, parent_, nullptr, nullptr, nullptr);
        for (size_t i = 0; i < items.size(); ++i) {
            const Wide text = WideForm(items[i]);
            TVINSERTSTRUCTW insert = {};
            const size_t under = tail.Byte() % (i + 1);
            insert.hParent = under ? made_[under - 1] : TVI_ROOT;
            insert.hInsertAfter = TVI_LAST;
            insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_STATE;
            insert.item.pszText = i % 7 == 3 ? LPSTR_TEXTCALLBACKW : reinterpret_cast<LPWSTR>(const_cast<char16_t*>(text.c_str()));
            insert.item.lParam = static_cast<LPARAM>(sameParams ? i % 3 : items.size() % 2 ? (i + 1) * 0x10001 : i + 1);
            insert.item.iImage = static_cast<int>(i);
            if (i % 5 >= 3) insert.item.mask |= TVIF_CHILDREN;
            insert.item.cChildren = i % 5 == 3 ? I_CHILDRENCALLBACK : 1;
            insert.item.stateMask = TVIS_BOLD | TVIS_CUT | TVIS_EXPANDED | TVIS_STATEIMAGEMASK;
            insert.item.state = (i % 3 == 1 ? TVIS_BOLD : 0u) | (i % 4 == 0 ? TVIS_CUT : 0u) | (i % 5 ? TVIS_EXPANDED : 0u) |
                                static_cast<UINT>(i % 3 + 1) << 12;
            made_.push_back(reinterpret_cast<HTREEITEM>(SendItem(TVM_INSERTITEMW, 0, &insert)));
            seen.callbacks[made_.back()] = text;
            params_.push_back(insert.item.lParam);
            if (i % 5 == 4) buttons_.insert(made_.back());
        }
        StandinTreeSelectsAsWine(tail.Byte() & 1);
        if (!made_.empty()) {
            SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Pick(tail)));
            SendMessageW(tree_, TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(Pick(tail)));
        }
        seen.tree = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(tree_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
    }
    ~Tree() {
        DestroyWindow(tree_);
        DestroyWindow(parent_);
    }
    Tree(const Tree&) = delete;
    Tree& operator=(const Tree&) = delete;

    HWND handle() const { return tree_; }
    HTREEITEM Pick(Tail& tail) const { return made_[tail.Byte() % made_.size()]; }
    HTREEITEM Next(UINT relation, HTREEITEM item) const {
        return reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }
    Nodes Level(HTREEITEM parent) const {
        Nodes nodes;
        for (HTREEITEM item = parent ? Next(TVGN_CHILD, parent) : Next(TVGN_ROOT, nullptr); item; item = Next(TVGN_NEXT, item)) {
            // Room for the longest text a case makes, as the list view's reads have.
            static std::vector<WCHAR> text(1 << 17);
            TVITEMW read = {TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_STATE, item, 0, ~0u, text.data(),
                            static_cast<int>(text.size()), 0, 0, 0, 0};
            SendItem(TVM_GETITEMW, 0, &read);
            nodes.push_back({item, reinterpret_cast<const char16_t*>(text.data()), read.lParam, read.iImage, read.state, Level(item)});
        }
        return nodes;
    }
    bool HasButton(HTREEITEM item) const { return buttons_.count(item) != 0; }
    bool HostSet(LPARAM param) const { return std::find(params_.begin(), params_.end(), param) != params_.end(); }

private:
    LRESULT SendItem(UINT message, WPARAM wParam, const void* item) const {
        return SendMessageW(tree_, message, wParam, reinterpret_cast<LPARAM>(item));
    }
    HWND parent_, tree_;
    std::vector<HTREEITEM> made_;
    std::vector<LPARAM> params_;
    std::set<HTREEITEM> buttons_;
};

Text TextOfNode(const Node& node) { return {{}, node.text}; }

// The children of `parent` (0: the top level) in a snapshot.
Nodes* ChildrenOf(Nodes& nodes, HTREEITEM parent) {
    if (!parent) return &nodes;
    for (Node& node : nodes) {
        if (node.handle == parent) return &node.children;
        if (Nodes* found = ChildrenOf(node.children, parent)) return found;
    }
    return nullptr;
}

// Sorts a level as SortTvEx must, and every level below it with deep; counts the texts read and
// the levels that were out of order.
void SortLevel(const RefOrder& order, Nodes& level, bool deep, size_t& reads, size_t& unordered) {
    if (level.size() >= 2) {
        std::vector<Text> texts;
        for (const Node& node : level) texts.push_back(TextOfNode(node));
        const std::vector<size_t> sorted = StableOrder(order, texts);
        Nodes made;
        for (size_t i : sorted) made.push_back(level[i]);
        reads += level.size();
        if (!std::is_sorted(sorted.begin(), sorted.end())) ++unordered;
        level = made;
    }
    if (deep)
        for (Node& node : level) SortLevel(order, node.children, true, reads, unordered);
}

// The TVGN_CHILD that LBEX_SUBTREE asks below a level: of each item whose count says it has
// children (or that has a button), and of every item of a level too short to be read.
size_t ChildAsks(const Tree& tree, const Nodes& level) {
    size_t asks = 0;
    for (const Node& node : level)
        asks += (level.size() < 2 || !node.children.empty() || tree.HasButton(node.handle)) + ChildAsks(tree, node.children);
    return asks;
}

std::vector<Text> TextsOf(const Nodes& level) {
    std::vector<Text> texts;
    for (const Node& node : level) texts.push_back(TextOfNode(node));
    return texts;
}

}  // namespace

void CheckTree(const Case& given, Tail& tail) {
    const Case drawn = WithLongTextsRarely(given, tail);
    const uint8_t ways = tail.Byte(), more = tail.Byte();
    DWORD flags = (ways & 1 ? LBEX_DESCENDING : 0u) | (ways & 2 ? LBEX_IGNORE_CASE : 0u) | (ways & 4 ? LBEX_NUMBERS : 0u) |
                  (ways & 8 ? LBEX_SUBTREE : 0u) | (ways & 16 ? LBEX_DRAWING_SUSPENDED : 0u) | LBEX_COLUMN(more % 3);
    flags = WithMeaning(flags, (ways >> 5) & 3);
    if (more & 0x80) flags |= tail.Byte() % 4 == 0 ? LBEX_UNIQUE : tail.Byte() % 2 ? LBEX_PREFIX : UnknownFlag(tail);
    const Case c = Meaningful(drawn, flags);
    Tree tree(c.items, tail, more & 0x40);
    const RefOrder order = OrderOf(flags, true);
    HTREEITEM parent = c.items.empty() || (more & 0x20) ? nullptr : tree.Pick(tail);

    // The sort: the level, and with LBEX_SUBTREE every level below it.
    Nodes before = tree.Level(nullptr);
    if (more & 0x08) {
        // A tree view is no list, its parent no tree view, and a text must be there: nothing changes.
        SetLastError(kPoisoned);
        Require(!Dll().SortLbEx(tree.handle(), 0) && GetLastError() == ERROR_INVALID_WINDOW_HANDLE &&
                    !Dll().SortTvEx(GetParent(tree.handle()), nullptr, 0) && GetLastError() == ERROR_INVALID_WINDOW_HANDLE &&
                    !Dll().AddTvEx(tree.handle(), parent, nullptr, 0, 0) && GetLastError() == ERROR_INVALID_PARAMETER,
                "a tree view export took what it must refuse");
        Require(tree.Level(nullptr) == before, "a refused export changed the tree");
    }
    const HTREEITEM caret = tree.Next(TVGN_CARET, nullptr), top = tree.Next(TVGN_FIRSTVISIBLE, nullptr);
    seen.counting = true;
    SetLastError(kPoisoned);
    const BOOL sorted = Dll().SortTvEx(tree.handle(), parent ? parent : (more & 0x10) ? TVI_ROOT : nullptr, flags);
    const DWORD error = GetLastError();
    seen.counting = false;
    Nodes expected = before;
    size_t reads = 0, unordered = 0;
    SortLevel(order, *ChildrenOf(expected, parent), flags & LBEX_SUBTREE, reads, unordered);
    if (flags & ~(kKnownFlags | LBEX_SUBTREE) || (flags & (LBEX_UNIQUE | LBEX_PREFIX))) {
        Require(!sorted && error == ERROR_INVALID_FLAGS, "SortTvEx took a flag it does not take");
    } else if (reads && !Sortable(order)) {
        Require(!sorted && error != 0 && error != kPoisoned, "SortTvEx sorted in a locale order the platform cannot give");
    } else {
        Require(sorted && error == 0, "SortTvEx refused a tree it can sort");
        if (!(tree.Level(nullptr) == expected)) Fail("SortTvEx did not keep every item whole with its subtree in stable order");
        Require(tree.Next(TVGN_CARET, nullptr) == caret && tree.Next(TVGN_FIRSTVISIBLE, nullptr) == top,
                "SortTvEx moved the caret or the first visible item");
        Require(seen.reads == reads, "SortTvEx read a text other than once");
        Require(seen.childAsks == (parent ? 1 : 0) + (flags & LBEX_SUBTREE ? ChildAsks(tree, *ChildrenOf(expected, parent)) : 0),
                "SortTvEx opened a level other than those whose items the control counts");
        Require(unordered ? seen.writes >= unordered : seen.writes == 0, "SortTvEx wrote to a level already in order");
        before = expected;
    }
    for (const LPARAM heard : seen.heard) Require(tree.HostSet(heard), "SortTvEx let the parent hear of an lParam its host never set");

    // The lookups and the inserts, in the order the sort left (of a level it could not sort, they may refuse).
    const Nodes& level = *ChildrenOf(before, parent);
    const std::vector<Text> texts = TextsOf(level);
    const bool inOrder = std::is_sorted(texts.begin(), texts.end(), [&](const Text& a, const Text& b) { return CompareItems(order, a, b) < 0; });
    const DWORD taken = flags & ~DWORD{LBEX_SUBTREE | LBEX_UNIQUE};
    for (const std::string& key : c.keys) {
        const bool wide = tail.Byte() & 1, prefix = (taken & LBEX_PREFIX) && !(taken & (LBEX_LOCALE | LBEX_NUMBERS | LBEX_VALUES | LBEX_DATES | LBEX_SIZES));
        const Wide wideKey = WideForm(key);
        HTREEITEM item = reinterpret_cast<HTREEITEM>(kPoisoned);
        DWORD count = kPoisoned;
        seen.counting = true;
        seen.reads = 0;
        seen.rooms.clear();
        SetLastError(kPoisoned);
        const DWORD lookFlags = taken | (flags & LBEX_SUBTREE);
        const int result = wide ? Dll().LookTvExW(tree.handle(), parent, reinterpret_cast<const WCHAR*>(wideKey.c_str()), lookFlags, &item, &count)
                                : Dll().LookTvEx(tree.handle(), parent, key.c_str(), lookFlags, &item, &count);
        const DWORD lookError = GetLastError();
        seen.counting = false;
        Require(seen.reads <= 2 + 2 * Halvings(level.size()), "LookTvEx read too many items");
        const bool refused = result == LOOK_REFUSED;
        Require(!refused || (item == reinterpret_cast<HTREEITEM>(kPoisoned) && count == kPoisoned), "LookTvEx wrote on a refusal");
        if (lookFlags & LBEX_SUBTREE || (taken & ~kKnownFlags) || ((taken & LBEX_PREFIX) && !prefix)) {
            Require(refused && lookError == ERROR_INVALID_FLAGS, "LookTvEx took a flag it does not take");
            continue;
        }
        if (level.empty()) {
            Require(refused && lookError == ERROR_EMPTY, "LookTvEx searched no children");
            continue;
        }
        if (!Sortable(order) || !inOrder) {
            Require(refused ? lookError != 0 : lookError == 0, "LookTvEx answered without a reason");
            continue;
        }
        const LookAnswer want = ExpectedLookup(order, texts, TextOf(key, true, wide), prefix);
        if (result != want.result || item != level[want.position].handle || count != want.count || lookError != 0)
            Fail("LookTvEx answered", std::to_string(result) + ", expected " + Show(want));
    }
    if (!inOrder || !Sortable(order) || (taken & ~kKnownFlags) || (taken & LBEX_PREFIX)) return;
    // Each key added among the children, once with LBEX_UNIQUE.
    Nodes children = level;
    const bool unique = tail.Byte() & 1;
    LPARAM data = 1000;
    for (const std::string& key : c.keys) {
        const bool wide = tail.Byte() & 1;
        const Wide wideKey = WideForm(key);
        const Text asText = TextOf(key, true, wide);
        const std::vector<Text> now = TextsOf(children);
        const auto after = [&](const Text& item, const Text& k) { return CompareKeyToItem(order, Field(k, order.column), item) > 0; };
        const auto low = std::lower_bound(now.begin(), now.end(), asText, after);
        const bool listed = unique && low != now.end() && CompareKeyToItem(order, Field(asText, order.column), *low) == 0;
        const auto at = listed ? low : std::upper_bound(now.begin(), now.end(), asText, [&](const Text& k, const Text& item) {
            return CompareKeyToItem(order, Field(k, order.column), item) < 0;
        });
        const DWORD addFlags = taken | (unique ? LBEX_UNIQUE : 0u);
        seen.counting = true;
        seen.reads = 0;
        seen.rooms.clear();
        SetLastError(kPoisoned);
        const HTREEITEM added = wide ? Dll().AddTvExW(tree.handle(), parent, reinterpret_cast<const WCHAR*>(wideKey.c_str()), addFlags, data)
                                     : Dll().AddTvEx(tree.handle(), parent, key.c_str(), addFlags, data);
        const DWORD addError = GetLastError();
        seen.counting = false;
        Require(seen.reads <= 2 + Halvings(children.size()), "AddTvEx read too many items");
        const size_t place = static_cast<size_t>(at - now.begin());
        if (listed) {
            Require(added == children[place].handle && addError == ERROR_ALREADY_EXISTS, "AddTvEx did not find the equal child");
        } else {
            Require(added && addError == 0, "AddTvEx refused a child it can add");
            children.insert(children.begin() + static_cast<std::ptrdiff_t>(place), Node{added, asText.wide, data, 0, 0, {}});
        }
        const Nodes got = tree.Level(parent);
        Require(got.size() == children.size() && std::equal(got.begin(), got.end(), children.begin(),
                                                            [](const Node& a, const Node& b) { return a.handle == b.handle; }),
                "AddTvEx put the child other than at its place");
        ++data;
    }
}

#else

void CheckTree(const Case&, Tail&) {}

#endif
