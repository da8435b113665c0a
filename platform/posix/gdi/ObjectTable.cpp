// The handle table. Every GDI object lives in one slot; its handle is a number made of a tag,
// the slot's generation, the slot index and the kind, so looking a handle up never touches
// memory the handle points at. A freed slot gets a new generation and goes to the back of the
// free queue, so an old handle stays invalid for a long time after its object is gone.
#include <cstdint>
#include <deque>

#include "platform/posix/GdiObjectCounts.h"
#include "platform/posix/gdi/GdiObjects.h"

namespace zvx::gdi {
namespace {

static_assert(sizeof(void*) == 8, "the handle layout needs 64-bit pointers");

constexpr std::uint64_t kTag = 0x5AULL << 56;
constexpr std::uint64_t kTagMask = 0xFFULL << 56;
constexpr std::uint32_t kGenerationMask = 0xFFFFFF;
constexpr std::uint32_t kMaxSlots = 1u << 24;

struct Slot {
    std::uint32_t generation = 1;
    bool live = false;
    Object object;
};

struct Table {
    std::deque<Slot> slots;  // a deque keeps references valid while it grows
    std::deque<std::uint32_t> freeSlots;
};

// Built on first use and never destroyed: images with static storage duration create and
// release objects before main and after it, in an order no global constructor could match.
Table& Objects()
{
    static Table* table = new Table();
    return *table;
}

std::uint64_t Encode(std::uint32_t index, std::uint32_t generation, Kind kind)
{
    return kTag | (static_cast<std::uint64_t>(generation) << 32) |
           (static_cast<std::uint64_t>(index) << 8) |
           (static_cast<std::uint64_t>(kind) << 4);
}

Slot* Lookup(const void* handle)
{
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    if ((value & kTagMask) != kTag || (value & 0xF) != 0) return nullptr;
    const auto index = static_cast<std::uint32_t>((value >> 8) & (kMaxSlots - 1));
    const auto generation = static_cast<std::uint32_t>((value >> 32) & kGenerationMask);
    const auto kind = static_cast<std::uint8_t>((value >> 4) & 0xF);
    Table& table = Objects();
    if (index >= table.slots.size()) return nullptr;
    Slot& slot = table.slots[index];
    if (!slot.live || slot.generation != generation ||
        static_cast<std::uint8_t>(slot.object.kind) != kind) {
        return nullptr;
    }
    return &slot;
}

}  // namespace

Rect Intersect(const Rect& a, const Rect& b)
{
    Rect r;
    r.left = a.left > b.left ? a.left : b.left;
    r.top = a.top > b.top ? a.top : b.top;
    r.right = a.right < b.right ? a.right : b.right;
    r.bottom = a.bottom < b.bottom ? a.bottom : b.bottom;
    if (r.IsEmpty()) r = Rect{};
    return r;
}

HGDIOBJ Allocate(Object&& object)
{
    Table& table = Objects();
    std::uint32_t index;
    if (!table.freeSlots.empty()) {
        index = table.freeSlots.front();
        table.freeSlots.pop_front();
    } else {
        if (table.slots.size() >= kMaxSlots) return nullptr;
        index = static_cast<std::uint32_t>(table.slots.size());
        table.slots.emplace_back();
    }
    Slot& slot = table.slots[index];
    slot.live = true;
    slot.object = std::move(object);
    const std::uint64_t value = Encode(index, slot.generation, slot.object.kind);
    return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(value));
}

Object* Find(const void* handle, Kind kind)
{
    Slot* slot = Lookup(handle);
    return slot != nullptr && slot->object.kind == kind ? &slot->object : nullptr;
}

Object* FindAny(const void* handle)
{
    Slot* slot = Lookup(handle);
    return slot != nullptr ? &slot->object : nullptr;
}

void Free(const void* handle)
{
    Slot* slot = Lookup(handle);
    if (slot == nullptr || slot->object.stock) return;
    slot->object = Object{};
    slot->live = false;
    slot->generation = (slot->generation % kGenerationMask) + 1;
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    Objects().freeSlots.push_back(static_cast<std::uint32_t>((value >> 8) & (kMaxSlots - 1)));
}

void ReleaseSelection(HGDIOBJ handle)
{
    Object* object = FindAny(handle);
    if (object == nullptr || object->stock) return;
    if (object->selections > 0) --object->selections;
    if (object->selections == 0 && object->deletePending) Free(handle);
}

}  // namespace zvx::gdi

namespace zvx::platform {

LiveGdiObjects CountLiveGdiObjects()
{
    LiveGdiObjects live;
    for (const auto& slot : zvx::gdi::Objects().slots) {
        if (!slot.live || slot.object.stock) continue;
        switch (slot.object.kind) {
        case zvx::gdi::Kind::Bitmap: ++live.bitmaps; break;
        case zvx::gdi::Kind::Dc: ++live.dcs; break;
        case zvx::gdi::Kind::Region: ++live.regions; break;
        case zvx::gdi::Kind::Pen: ++live.pens; break;
        case zvx::gdi::Kind::Brush: break;
        }
    }
    return live;
}

}  // namespace zvx::platform
