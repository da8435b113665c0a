// GDI objects: the handle table every object lives in, and the calls on objects as such
// (SelectObject, DeleteObject, GetObjectA).
//
// The handle table. Every GDI object lives in one slot; its handle is a number made of a tag,
// the slot's generation, the slot index, the kind and whether it is a stock object, so looking
// a handle up never touches memory the handle points at. A freed slot gets a new generation and
// goes to the back of the free queue, so an old handle stays invalid for a long time after its
// object is gone.
//
// Any thread may make, use and delete objects, as on Windows. Slots sit in chunks that never
// move once made, and each slot publishes the handle it answers to atomically, so a lookup
// takes no lock and stays safe while other threads make and free other objects. Making and
// freeing objects and the DCs' hold on them (selection counts, pending deletes) go under one
// small lock; no drawing happens under it, and a freed object's memory is released after it.
// Stock objects are never counted or freed, so selecting and releasing them takes no lock.
#include <atomic>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <new>
#include <type_traits>

#include "platform/posix/GdiObjectCounts.h"
#include "platform/posix/gdi/GdiObjects.h"

namespace zvx::gdi {
namespace {

static_assert(sizeof(void*) == 8, "the handle layout needs 64-bit pointers");

constexpr std::uint64_t kTag = 0x5AULL << 56;
constexpr std::uint64_t kTagMask = 0xFFULL << 56;
constexpr std::uint64_t kStockBit = 1ULL << 3;
constexpr std::uint32_t kGenerationMask = 0xFFFFFF;
constexpr std::uint32_t kMaxSlots = 1u << 24;

// Chunk k holds kFirstChunkSlots << k slots, so chunks 0 .. kChunks - 1 hold every index the
// handle can carry, and memory grows with the most objects ever alive at once.
constexpr std::uint32_t kFirstChunkSlots = 64;
constexpr int kChunks = 19;
static_assert(kFirstChunkSlots * ((1ULL << kChunks) - 1) >= kMaxSlots, "the chunks cover every index");

constexpr std::uint32_t kNoSlot = 0xFFFFFFFF;

struct Slot {
    std::atomic<std::uint64_t> handle{0};  // the handle it answers to while live, else 0
    std::uint32_t generation = 1;          // under the lock
    std::uint32_t nextFree = kNoSlot;      // the free queue's link; under the lock
    Object object;
};

struct Table {
    std::mutex lock;
    std::atomic<Slot*> chunks[kChunks] = {};
    std::uint32_t used = 0;             // indices handed out at least once; under the lock
    std::uint32_t firstFree = kNoSlot;  // the free queue, oldest first; under the lock
    std::uint32_t lastFree = kNoSlot;
};

// Ready before any code runs (constant initialisation) and never torn down: images with static
// storage duration create and release objects before main and after it, in an order no global
// constructor or destructor could match.
static_assert(std::is_trivially_destructible_v<Table>, "the table outlives every static image");
Table g_objects;

Table& Objects() { return g_objects; }

struct SlotPlace {
    int chunk;
    std::uint32_t offset;
};

SlotPlace Locate(std::uint32_t index)
{
    const std::uint32_t n = index / kFirstChunkSlots + 1;  // chunk k holds n in [2^k, 2^(k+1))
    const int chunk = 31 - __builtin_clz(n);
    return SlotPlace{chunk, index - kFirstChunkSlots * ((1u << chunk) - 1)};
}

Slot* SlotAt(Table& table, std::uint32_t index)
{
    const SlotPlace place = Locate(index);
    Slot* chunk = table.chunks[place.chunk].load(std::memory_order_acquire);
    return chunk != nullptr ? &chunk[place.offset] : nullptr;
}

std::uint64_t Encode(std::uint32_t index, std::uint32_t generation, Kind kind, bool stock)
{
    return kTag | (static_cast<std::uint64_t>(generation) << 32) | (static_cast<std::uint64_t>(index) << 8) |
           (static_cast<std::uint64_t>(kind) << 4) | (stock ? kStockBit : 0);
}

std::uint64_t ValueOf(const void* handle)
{
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(handle));
}

// Only a live stock object's handle has the bit: Lookup compares every bit with the slot's.
bool HasStockBit(const void* handle) { return (ValueOf(handle) & kStockBit) != 0; }

std::uint32_t IndexOf(std::uint64_t value) { return static_cast<std::uint32_t>((value >> 8) & (kMaxSlots - 1)); }

// The slot whose live object answers to this handle. The handle's kind, generation and index
// all have to match what the slot published, so nothing of the object is read to decide.
Slot* Lookup(const void* handle)
{
    const std::uint64_t value = ValueOf(handle);
    if ((value & kTagMask) != kTag || (value & 0x7) != 0) return nullptr;
    Slot* slot = SlotAt(Objects(), IndexOf(value));
    if (slot == nullptr || slot->handle.load(std::memory_order_acquire) != value) return nullptr;
    return slot;
}

// Under the lock: the slot stops answering, and its object is handed back so that its memory
// is released after the lock is let go.
Object Vacate(Table& table, Slot& slot)
{
    const std::uint32_t index = IndexOf(slot.handle.load(std::memory_order_relaxed));
    slot.handle.store(0, std::memory_order_release);
    slot.generation = (slot.generation % kGenerationMask) + 1;
    slot.nextFree = kNoSlot;
    if (table.lastFree == kNoSlot) {
        table.firstFree = index;
    } else {
        SlotAt(table, table.lastFree)->nextFree = index;
    }
    table.lastFree = index;
    // What stays behind is never read again: the next object moves in over it.
    return std::move(slot.object);
}

}  // namespace

HGDIOBJ Allocate(Object&& object)
{
    Table& table = Objects();
    std::lock_guard<std::mutex> guard(table.lock);
    std::uint32_t index;
    if (table.firstFree != kNoSlot) {
        index = table.firstFree;
        table.firstFree = SlotAt(table, index)->nextFree;
        if (table.firstFree == kNoSlot) table.lastFree = kNoSlot;
    } else {
        if (table.used >= kMaxSlots) return nullptr;
        index = table.used;
        const SlotPlace place = Locate(index);
        if (table.chunks[place.chunk].load(std::memory_order_relaxed) == nullptr) {
            Slot* chunk = new (std::nothrow) Slot[kFirstChunkSlots << place.chunk];
            if (chunk == nullptr) return nullptr;
            table.chunks[place.chunk].store(chunk, std::memory_order_release);
        }
        ++table.used;
    }
    Slot& slot = *SlotAt(table, index);
    slot.object = std::move(object);
    const std::uint64_t value = Encode(index, slot.generation, slot.object.kind, slot.object.stock);
    slot.handle.store(value, std::memory_order_release);
    return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(value));
}

Object* Find(const void* handle, Kind kind)
{
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    if (((value >> 4) & 0xF) != static_cast<std::uintptr_t>(kind)) return nullptr;
    Slot* slot = Lookup(handle);
    return slot != nullptr ? &slot->object : nullptr;
}

Object* FindAny(const void* handle)
{
    Slot* slot = Lookup(handle);
    return slot != nullptr ? &slot->object : nullptr;
}

void Free(const void* handle)
{
    if (HasStockBit(handle)) return;
    Table& table = Objects();
    Object gone;
    std::lock_guard<std::mutex> guard(table.lock);
    Slot* slot = Lookup(handle);
    if (slot == nullptr || slot->object.stock) return;
    gone = Vacate(table, *slot);
}

bool DeleteWhenReleased(const void* handle)
{
    if (HasStockBit(handle)) return Lookup(handle) != nullptr;
    Table& table = Objects();
    Object gone;
    std::lock_guard<std::mutex> guard(table.lock);
    Slot* slot = Lookup(handle);
    if (slot == nullptr) return false;
    if (slot->object.stock) return true;
    if (slot->object.selections > 0) {
        slot->object.deletePending = true;
    } else {
        gone = Vacate(table, *slot);
    }
    return true;
}

Selection TakeSelection(HGDIOBJ handle, HGDIOBJ held, bool exclusive)
{
    if (HasStockBit(handle)) {
        if (Lookup(handle) == nullptr) return Selection::Refused;
        return handle == held ? Selection::AlreadyHeld : Selection::Taken;
    }
    Table& table = Objects();
    std::lock_guard<std::mutex> guard(table.lock);
    Slot* slot = Lookup(handle);
    if (slot == nullptr) return Selection::Refused;
    Object& object = slot->object;
    // One that is waiting to be deleted is taken by no DC.
    if (object.deletePending) return Selection::Refused;
    if (handle == held) return Selection::AlreadyHeld;
    if (object.stock) return Selection::Taken;
    if (exclusive && object.selections > 0) return Selection::Refused;
    ++object.selections;
    return Selection::Taken;
}

void ReleaseSelection(HGDIOBJ handle)
{
    if (HasStockBit(handle)) return;
    Table& table = Objects();
    Object gone;
    std::lock_guard<std::mutex> guard(table.lock);
    Slot* slot = Lookup(handle);
    if (slot == nullptr || slot->object.stock) return;
    Object& object = slot->object;
    if (object.selections > 0) --object.selections;
    if (object.selections == 0 && object.deletePending) gone = Vacate(table, *slot);
}

}  // namespace zvx::gdi

namespace zvx::platform {

LiveGdiObjects CountLiveGdiObjects()
{
    using namespace zvx::gdi;
    Table& table = Objects();
    LiveGdiObjects live;
    std::lock_guard<std::mutex> guard(table.lock);
    for (std::uint32_t index = 0; index < table.used; ++index) {
        const Slot& slot = *SlotAt(table, index);
        if (slot.handle.load(std::memory_order_relaxed) == 0 || slot.object.stock) continue;
        switch (slot.object.kind) {
        case Kind::Bitmap: ++live.bitmaps; break;
        case Kind::Dc: ++live.dcs; break;
        case Kind::Region: ++live.regions; break;
        case Kind::Pen: ++live.pens; break;
        case Kind::Brush: break;
        }
    }
    return live;
}

}  // namespace zvx::platform

// SelectObject of the two objects the library selects: bitmaps and pens. Both are held by the DC
// (a bitmap by one memory DC at a time, the stock bitmap excepted) and the call returns what they
// replaced. Brushes do not draw here, and clip regions are set with SelectClipRgn only.
HGDIOBJ zvx::win32::SelectObject(HDC hdc, HGDIOBJ handle)
{
    using namespace zvx::gdi;
    Object* dcObject = Find(hdc, Kind::Dc);
    Object* object = FindAny(handle);
    if (dcObject == nullptr || object == nullptr) return nullptr;
    Dc& dc = dcObject->dc;
    HGDIOBJ* slot = nullptr;
    bool exclusive = false;
    switch (object->kind) {
    case Kind::Bitmap:
        if (dc.kind != DcKind::Memory) return nullptr;
        slot = &dc.bitmap;
        exclusive = true;
        break;
    case Kind::Pen: slot = &dc.pen; break;
    case Kind::Brush:
    case Kind::Dc:
    case Kind::Region: return nullptr;
    }
    HGDIOBJ previous = *slot;
    switch (TakeSelection(handle, previous, exclusive)) {
    case Selection::Refused: return nullptr;
    case Selection::AlreadyHeld: return previous;
    case Selection::Taken: break;
    }
    *slot = handle;
    ReleaseSelection(previous);
    return previous;
}

// DeleteObject. A bitmap or pen still selected into a DC is not freed at once: the call
// succeeds, the DC keeps drawing with it, and it goes when the last DC lets go of it.
BOOL zvx::win32::DeleteObject(HGDIOBJ handle)
{
    using namespace zvx::gdi;
    Object* object = FindAny(handle);
    if (object == nullptr) return FALSE;
    if (object->stock) return TRUE;
    if (object->kind == Kind::Dc) {
        // Taken as DeleteDC; surface DCs go back to the window layer their own way.
        if (object->dc.kind == DcKind::Surface) return FALSE;
        DestroyDc(static_cast<HDC>(handle));
        return TRUE;
    }
    return DeleteWhenReleased(handle) ? TRUE : FALSE;
}

// GetObjectA as CreateFromBitmap asks: a bitmap described as a BITMAP with 64-bit Windows'
// layout, into a buffer of that size. Nothing but a bitmap, or a stale handle, can reach it from
// outside the library; any other handle, a null buffer or one too small get nothing and the
// call returns 0, which the import refuses.
int zvx::win32::GetObjectA(HANDLE handle, int size, LPVOID buffer)
{
    using namespace zvx::gdi;
    const Object* object = Find(handle, Kind::Bitmap);
    // The size is taken as unsigned: a negative one counts as large.
    if (object == nullptr || buffer == nullptr || static_cast<UINT>(size) < sizeof(BITMAP)) return 0;
    const Bitmap& source = object->bitmap;
    BITMAP bm{};
    bm.bmWidth = source.layout.width;
    bm.bmHeight = source.layout.height;
    bm.bmWidthBytes = static_cast<LONG>(RowBytes(source.layout.width, source.layout.bitsPerPixel));
    bm.bmPlanes = 1;
    bm.bmBitsPixel = static_cast<WORD>(source.layout.bitsPerPixel);
    bm.bmBits = source.isDibSection ? source.layout.Lowest() : nullptr;
    std::memcpy(buffer, &bm, sizeof(BITMAP));
    return sizeof(BITMAP);
}
