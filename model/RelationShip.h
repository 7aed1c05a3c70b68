#pragma once

#include <cstdint>

class TPoolItem;

// The ordered list of items that depend on one owner item. Freeing it deletes
// every member, which is how every delete cascades. It never owns its members.
//
// Removal leaves a hole that is closed on the next indexed access, so a
// cascade that removes k members costs O(k), not O(k * Count). Most
// relationships hold one member or none, so the first member is kept inline
// and only a second one makes the list allocate.
class TRelationShip {
 public:
  explicit TRelationShip(TPoolItem* owner) : owner_(owner) {}
  // Destroying a relationship drops its members without deleting them (that
  // is what discarding a whole project does); Free is the cascade.
  ~TRelationShip() { Release(); }

  TRelationShip(const TRelationShip&) = delete;
  TRelationShip& operator=(const TRelationShip&) = delete;

  TPoolItem* Owner() const { return owner_; }

  void Register(TPoolItem* item);
  // Makes room for count more members, so that adding them allocates once.
  void Reserve(std::uint32_t count);
  // Removes item from the members, unless it is the owner.
  void Unregister(TPoolItem* item);

  // The member at index, or nullptr when index is outside 0..Count-1.
  TPoolItem* GetMember(std::int32_t index) const;
  std::int32_t Count() const { return static_cast<std::int32_t>(size_ - holes_); }

  // Calls f(member) for every member in order, without closing holes. f must
  // not add or remove members.
  template <typename F>
  void ForEach(F&& f) const {
    for (std::uint32_t i = 0; i < size_; ++i) {
      if (TPoolItem* member = members_[i]) f(member);
    }
  }

  // The cascade: deletes every member in order (each Delete unregisters the
  // member), then leaves the relationship empty.
  void Free();

 private:
  void Compact() const;
  void Grow(std::uint32_t capacity);
  void Release();

  TPoolItem* owner_;
  TPoolItem** members_ = &single_;  // single_ until a second member arrives
  mutable std::uint32_t size_ = 0;
  std::uint32_t capacity_ = 1;
  mutable std::uint32_t holes_ = 0;
  mutable std::uint32_t compactions_ = 0;
  TPoolItem* single_ = nullptr;
};
