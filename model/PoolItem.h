#pragma once

#include <cstdint>
#include <limits>

class TPool;
class TPoolItemList;
class TRelationShip;

// Base of every item. An item is owned by its pool; it owns its relationships,
// which list the items that depend on it.
class TPoolItem {
 public:
  // The pool that will own the item (may be nullptr: then Delete frees nothing).
  explicit TPoolItem(TPool* pool);
  virtual ~TPoolItem();

  TPoolItem(const TPoolItem&) = delete;
  TPoolItem& operator=(const TPoolItem&) = delete;

  TPool* Pool() const { return pool_; }

  // Position in the pool when loaded from a data file; -1 for new items.
  std::int32_t LoadIndex() const { return loadIndex_; }
  void SetLoadIndex(std::int32_t index) { loadIndex_ = index; }

  bool Modified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }

  // Removes the item with everything registered with its relationships, then
  // frees it through its pool. After the call the item may no longer exist.
  virtual void Delete();

  // Where the item keeps its index among the members of rel, or nullptr when
  // it does not belong to rel. Lets a relationship drop a member in O(1).
  virtual std::uint32_t* MemberSlot(const TRelationShip* rel);

  static constexpr std::uint32_t kNoSlot = std::numeric_limits<std::uint32_t>::max();

 protected:
  // The reference a constructor cannot do without; a missing one is a caller
  // error, raised as EInvalidPointer with message rather than a crash.
  template <typename T>
  static T* Required(T* reference, const char* message) {
    if (!reference) ThrowMissingReference(message);
    return reference;
  }
  [[noreturn]] static void ThrowMissingReference(const char* message);

 private:
  friend class TPoolItemList;

  TPool* pool_;
  std::int32_t loadIndex_ = -1;
  bool modified_ = true;
  // Bookkeeping of the list that owns the item: where it stands in Items and
  // in the filtered view, so that membership tests and removal cost O(1).
  TPoolItemList* list_ = nullptr;
  std::uint32_t itemSlot_ = kNoSlot;
  std::uint32_t viewSlot_ = kNoSlot;
};
