#include "foundation/list.h"

#include "foundation/memory.h"

ListNode* nodePoolHead = nullptr;
uint32_t nodePoolInitial = 256;
uint32_t nodePoolGrowth = 128;
ListWalk listWalk = {nullptr, nullptr, 0};

List::~List() {
    clear();
}

bool List::link(void* item, bool asFirst) {
    ListNode* node = acquireNode();
    if (node == nullptr)
        return false;
    node->item = item;
    if (first == nullptr) {
        node->next = node;
        node->prev = node;
        first = node;
        count = 1;
        return true;
    }
    ListNode* last = first->prev;
    node->next = first;
    node->prev = last;
    last->next = node;
    first->prev = node;
    if (asFirst)
        first = node;
    ++count;
    return true;
}

bool List::prepend(void* item) {
    return link(item, true);
}

bool List::append(void* item) {
    return link(item, false);
}

void List::unlink(ListNode* node) {
    if (first->next == first) {
        first = nullptr;
        count = 0;
        return;
    }
    node->prev->next = node->next;
    node->next->prev = node->prev;
    if (node == first)
        first = node->next;
    --count;
}

void List::remove(ListNode* node) {
    unlink(node);
    releaseNode(node);
}

void List::clear() {
    while (first != nullptr)
        remove(first);
}

ListNode* acquireNode() {
    if (nodePoolHead == nullptr && !growNodePool(nodePoolGrowth))
        return nullptr;
    ListNode* node = nodePoolHead;
    if (node->next == node) {
        nodePoolHead = nullptr;
    } else {
        node->prev->next = node->next;
        node->next->prev = node->prev;
        nodePoolHead = node->next;
    }
    node->next = nullptr;
    node->prev = nullptr;
    node->item = nullptr;
    return node;
}

void releaseNode(ListNode* node) {
    if (nodePoolHead == nullptr) {
        node->next = node;
        node->prev = node;
    } else {
        node->next = nodePoolHead;
        node->prev = nodePoolHead->prev;
        nodePoolHead->prev->next = node;
        nodePoolHead->prev = node;
    }
    nodePoolHead = node;
}

bool growNodePool(uint32_t count) {
    for (uint32_t i = 0; i < count; ++i) {
        auto* node = static_cast<ListNode*>(memAlloc(sizeof(ListNode)));
        if (node == nullptr) {
            freeNodePool();
            return false;
        }
        releaseNode(node);
    }
    return true;
}

void freeNodePool() {
    if (nodePoolHead == nullptr)
        return;
    nodePoolHead->prev->next = nullptr;
    ListNode* node = nodePoolHead;
    while (node != nullptr) {
        ListNode* next = node->next;
        memFree(node, sizeof(ListNode));
        node = next;
    }
    nodePoolHead = nullptr;
}

uint32_t nodePoolSize() {
    if (nodePoolHead == nullptr)
        return 0;
    uint32_t size = 1;
    for (ListNode* node = nodePoolHead->next; node != nodePoolHead; node = node->next)
        ++size;
    return size;
}

void forEachNode(List& list, NodeVisit visit, void* context) {
    if (list.first == nullptr) {
        listWalk = {nullptr, nullptr, 0};
        return;
    }
    listWalk.last = list.first->prev;
    listWalk.next = list.first->next;
    listWalk.more = 1;
    ListNode* current = list.first;
    do {
        visit(list, current, context);
        listWalk.more = current != listWalk.last ? 1 : 0;
        current = listWalk.next;
        listWalk.next = current->next;
    } while (listWalk.more != 0);
}
