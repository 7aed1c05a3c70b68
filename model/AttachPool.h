#pragma once

#include "model/AttachItem.h"
#include "model/DataStructures.h"
#include "model/SingleLayoutPool.h"

class TNotePool;

// The attachments, stored in "_Att" files.
class TAttachPool : public TSingleLayoutPool<TAttachItem> {
 public:
  void Connect(TNotePool* notes) { notes_ = notes; }

  using TPoolItemList::Add;
  TAttachItem* Add(const TAttachment& record);
  // Resolves NoteID.
  TAttachItem* AddLoaded(TAttachment record);

  void LoadFromFile(const std::string& fileName) override;
  void SaveToFile(const std::string& fileName) override;

 private:
  TNotePool* notes_ = nullptr;
};
