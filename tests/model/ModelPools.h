#pragma once

#include "model/AttachPool.h"
#include "model/LinkPool.h"
#include "model/NotePool.h"
#include "model/PosPool.h"
#include "model/RelationPool.h"
#include "model/SheetPool.h"
#include "model/TreeNodePool.h"
#include "support/TestSupport.h"

#include <deque>
#include <initializer_list>
#include <string>

namespace qoztest {

enum class TKind { Sheet, Note, Relation, Position, Attachment, Link };

// Referenced pools first, as a project loads them.
inline constexpr TKind kLoadOrder[] = {TKind::Sheet,    TKind::Note,       TKind::Relation,
                                       TKind::Position, TKind::Attachment, TKind::Link};

// "P_Sht.dat", "P_Not.dat", ...: the data file of a project "P".
std::string DataFileName(TKind kind);

// The six stored pools and the four tree-node pools, connected the way a
// project connects them, with short ways to make items and tree nodes.
class TModelPools {
 public:
  TModelPools();
  TModelPools(const TModelPools&) = delete;
  TModelPools& operator=(const TModelPools&) = delete;

  TPool& Pool(TKind kind);

  // Reads dir/P_xxx.dat into the pools of the given kinds, in load order.
  void Load(const std::string& dir, std::initializer_list<TKind> kinds);
  void LoadAll(const std::string& dir);
  void SaveAll(const std::string& dir);
  void SetModified(bool modified);

  TSheetItem* AddSheet(const std::string& title);
  TNoteItem* AddNote(const std::string& title, std::int32_t kind = -1, TSheetItem* sheet = nullptr);
  TRelationItem* AddRelation(const std::string& name);
  TPosItem* AddPosition(TNoteItem* note, TSheetItem* sheet, std::int32_t x = -1,
                        std::int32_t y = -1);
  TAttachItem* AddAttachment(TNoteItem* note, const std::string& title);
  TLinkItem* AddLink(TSheetItem* sheet, TNoteItem* from, TNoteItem* to, TRelationItem* relation);
  // A node for item (a sheet, note, attachment or position), registered
  // through the tree-node pool of its kind; the recorder lives as long as
  // this object.
  TRecordingTreeNode& AddTreeNode(TPoolItem* item);

 private:
  std::deque<TRecordingTreeNode> recorders_;  // outlives the pools

 public:
  TSheetPool sheets;
  TNotePool notes;
  TRelationPool relations;
  TPosPool positions;
  TAttachPool attachments;
  TLinkPool links;
  TSheetTreePool sheetNodes;
  TNoteTreePool noteNodes;
  TAttachTreePool attachNodes;
  TPosTreePool posNodes;
};

}  // namespace qoztest
