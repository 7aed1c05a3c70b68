#pragma once

#include "model/DataStructures.h"
#include "model/PoolItem.h"
#include "model/RelationShip.h"

// A typed, directed link between two notes, drawn on one sheet. Registered
// with the sheet's Links, the target's LinksIn, the source's LinksOut and the
// relation type's Links. Its sheet, notes and type never change in place.
class TLinkItem : public TPoolItem {
 public:
  // How a new link joins the relationships of its sheet, notes and type: at
  // once, or, for a loader that registers many links in bulk, by the loader.
  enum class TRegistration { Now, ByLoader };

  // record.Sheet, FromNote, ToNote and Relation must be set.
  TLinkItem(TPool* pool, TLink record, TRegistration registration = TRegistration::Now);

  const TLink& Record() const { return data_; }
  TSheetItem* Sheet() const;
  TNoteItem* FromNote() const;
  TNoteItem* ToNote() const;
  TRelationItem* Relation() const;
  std::int32_t Ctrl1X() const { return data_.Ctrl1X; }
  std::int32_t Ctrl1Y() const { return data_.Ctrl1Y; }
  std::int32_t Ctrl2X() const { return data_.Ctrl2X; }
  std::int32_t Ctrl2Y() const { return data_.Ctrl2Y; }
  std::uint8_t ArrowStyle() const { return data_.ArrowStyle; }
  std::int32_t Width() const { return data_.Width; }
  std::int32_t Color() const { return data_.Color; }
  std::int32_t LineStyle() const { return data_.LineStyle; }

  void SetCtrl1X(std::int32_t value);
  void SetCtrl1Y(std::int32_t value);
  void SetCtrl2X(std::int32_t value);
  void SetCtrl2Y(std::int32_t value);
  void SetArrowStyle(std::uint8_t value);
  void SetWidth(std::int32_t value);
  void SetColor(std::int32_t value);
  void SetLineStyle(std::int32_t value);

  void Delete() override;
  std::uint32_t* MemberSlot(const TRelationShip* rel) override;

 private:
  friend class TLinkPool;

  TLink data_;
  TRelationShip* sheetRef_;
  TRelationShip* toRef_;
  TRelationShip* fromRef_;
  TRelationShip* relationRef_;
  std::uint32_t sheetSlot_ = kNoSlot;
  std::uint32_t toSlot_ = kNoSlot;
  std::uint32_t fromSlot_ = kNoSlot;
  std::uint32_t relationSlot_ = kNoSlot;
};
