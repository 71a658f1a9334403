// List: a circular doubly linked list of untyped item pointers. It never owns its items: whoever
// puts an item in destroys it before its node goes. Nodes come from one process-wide pool.
#pragma once

#include <cstdint>

#include "foundation/object.h"

struct ListNode {
    ListNode* next;  // the last node's next is the first
    ListNode* prev;  // the first node's prev is the last
    void* item;
};

class List : public Object {
public:
    List() : first(nullptr), count(0) {}
    ~List() override;
    List(const List&) = delete;
    List& operator=(const List&) = delete;

    // Both take a node from the pool; false when none can be had (the list is then unchanged).
    bool prepend(void* item);
    bool append(void* item);
    // Detaches a node of this list without returning it to the pool.
    void unlink(ListNode* node);
    // unlink, then releaseNode.
    void remove(ListNode* node);
    // Removes every node; the items are not touched.
    void clear();

    ListNode* first;
    uint32_t count;

private:
    bool link(void* item, bool asFirst);
};

// The process-wide pool of free nodes, a ring referenced by its head (null when empty).
extern ListNode* nodePoolHead;
extern uint32_t nodePoolInitial;  // nodes allocated when start-up primes the pool
extern uint32_t nodePoolGrowth;   // nodes allocated whenever the pool runs dry

// A node with all three fields zero, or null when the pool is empty and cannot grow.
ListNode* acquireNode();
// The node goes back to the pool and is the next one handed out.
void releaseNode(ListNode* node);
// Adds count fresh nodes; on an allocation failure the whole pool is released and false returned.
bool growNodePool(uint32_t count);
// Releases every node now in the pool; nodes linked into lists are not affected.
void freeNodePool();
// Number of nodes now in the pool.
uint32_t nodePoolSize();

// The single traversal record: traversals never nest.
struct ListWalk {
    ListNode* last;
    ListNode* next;
    uint32_t more;
};
extern ListWalk listWalk;

typedef void (*NodeVisit)(List& list, ListNode* node, void* context);
// Visits every node once, first to last. The visit may destroy the current node's item and remove
// the current node, but no other node, and must not start another traversal.
void forEachNode(List& list, NodeVisit visit, void* context);
