#pragma once

#include "model/DataStructures.h"

#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

class IProgressBar;
class TAttachItem;
class TAttachPool;
class TAttachTreePool;
class TLinkItem;
class TLinkPool;
class TNoteItem;
class TNotePool;
class TNoteTreePool;
class TPool;
class TPosItem;
class TPosPool;
class TPosTreePool;
class TRelationItem;
class TRelationPool;
class TSaveTransaction;
class TSheetItem;
class TSheetPool;
class TSheetTreePool;

// The open project: one pool of each stored kind and four tree-node pools,
// the project's file name and directory, the project file and the six data
// files, the indexed lookups and every editing operation.
//
// Loading raises EInOutError or EDataFileError and leaves the pools with what
// was read so far (callers discard such a container). Saving is all or
// nothing: a failed save raises and leaves every previous file as it was and
// the project still modified. A save writes the whole pools, whatever
// filtered views are on.
class TContainer {
 public:
  static constexpr const char* kNewFileName = "Noname.qoz";

  TContainer();
  ~TContainer();

  TContainer(const TContainer&) = delete;
  TContainer& operator=(const TContainer&) = delete;

  // --- project and files ---------------------------------------------------
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& fileName) { fileName_ = fileName; }
  // The project's directory, with its trailing separator.
  const std::string& Directory() const { return directory_; }
  bool ShowGrid() const { return showGrid_; }
  void SetShowGrid(bool showGrid) { showGrid_ = showGrid; }
  // Advanced once per data file while loading; not owned, may be nullptr.
  IProgressBar* ProgressBar() const { return progressBar_; }
  void SetProgressBar(IProgressBar* progressBar) { progressBar_ = progressBar; }

  static std::string BaseName(const std::string& fileName);

  // Appends the six data files named after projectFileName to the pools.
  void ReadDataFiles(const std::string& projectFileName);
  // Writes the six data files named after projectFileName, all or nothing.
  void WriteDataFiles(const std::string& projectFileName);
  // Reads the project file's grid setting and the data files; FileName
  // becomes projectFileName.
  void OpenProject(const std::string& projectFileName);
  // Writes the project file (other sections and keys stay) and the six data
  // files, all or nothing.
  void SaveProject(const std::string& projectFileName);
  // Appends another project's items. The other project is read on its own
  // first, so its references stay among its own items and a failing import
  // adds nothing. The imported items count as modified.
  void ImportProject(const std::string& otherProjectFileName);

  bool IsModified() const;
  void SetModified(bool modified);
  void FiltersOff();
  void ResetFilters();

  // --- pools and indexed access (each honours its pool's filtered view) -----
  TAttachPool& AttachPool() const { return *attachPool_; }
  TNotePool& NotePool() const { return *notePool_; }
  TPosPool& PosPool() const { return *posPool_; }
  TLinkPool& LinkPool() const { return *linkPool_; }
  TSheetPool& SheetPool() const { return *sheetPool_; }
  TRelationPool& RelationPool() const { return *relationPool_; }
  TAttachTreePool& AttachTreePool() const { return *attachTreePool_; }
  TNoteTreePool& NoteTreePool() const { return *noteTreePool_; }
  TSheetTreePool& SheetTreePool() const { return *sheetTreePool_; }
  TPosTreePool& PosTreePool() const { return *posTreePool_; }

  TAttachItem* GetAttachment(std::int32_t index) const;
  std::int32_t AttachmentCount() const;
  TNoteItem* GetNote(std::int32_t index) const;
  std::int32_t NoteCount() const;
  TPosItem* GetPosition(std::int32_t index) const;
  std::int32_t PositionCount() const;
  TLinkItem* GetLink(std::int32_t index) const;
  std::int32_t LinkCount() const;
  TSheetItem* GetSheet(std::int32_t index) const;
  std::int32_t SheetCount() const;
  TRelationItem* GetRelation(std::int32_t index) const;
  std::int32_t RelationCount() const;

  // Whether the item is still in its pool (among the indexed items). Only
  // addresses are compared, so a pointer to a deleted item is safe to pass.
  bool ContainsNote(const TNoteItem* note) const;
  bool ContainsSheet(const TSheetItem* sheet) const;
  bool ContainsAttachment(const TAttachItem* attachment) const;

  // --- adding -------------------------------------------------------------
  // Each adds an item made from record (whose references must be set) and,
  // but for links, tells the navigators.
  TNoteItem* AddNote(const TNote& record);
  TSheetItem* AddSheet(const TSheet& record);
  TAttachItem* AddAttachment(const TAttachment& record);
  TPosItem* AddPosition(const TPosition& record);
  TRelationItem* AddRelationType(const TRelation& record);
  TLinkItem* AddLinkRecord(const TLink& record);

  // --- placing ------------------------------------------------------------
  // Assigns the note to the sheet without placing it; false when it was
  // assigned already.
  bool AssignNoteToSheet(TNoteItem* note, TSheetItem* sheet);
  // Places the note at (x, y): a negative coordinate becomes 0, and a box
  // reaching past the right or bottom edge moves in to one unit inside it (a
  // note larger than its sheet then gets a negative coordinate and counts as
  // not placed). Moves an existing position rather than adding one. Always
  // true.
  bool PlaceNote(TNoteItem* note, TSheetItem* sheet, std::int32_t x, std::int32_t y);
  // Moves and resizes the note on the sheet; a box off the sheet's top or
  // left or smaller than 20 units either way changes nothing.
  void SetNoteBox(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                  TNoteItem* note, TSheetItem* sheet);

  // --- links --------------------------------------------------------------
  // A new link with random curve offsets; without relation types the user is
  // told so and nullptr is returned.
  TLinkItem* AddLink(TNoteItem* fromNote, TNoteItem* toNote, TSheetItem* sheet,
                     TRelationItem* relationType);
  // The link itself when relationType is its type; otherwise the link is
  // replaced by a copy of that type (the old one is freed) and the copy,
  // last in the link pool, is returned.
  TLinkItem* ChangeLinkRelation(TLinkItem* link, TRelationItem* relationType);
  bool LinkExists(const TNoteItem* fromNote, const TNoteItem* toNote,
                  const TRelationItem* relationType, const TSheetItem* sheet) const;

  // --- attachments and aggregation notes ------------------------------------
  TAttachItem* CopyAttachmentToNote(const TAttachItem* attachment, TNoteItem* note);
  // Gives every aggregation note its sheet's title and colour, and deletes
  // those whose sheet is gone.
  void SyncAggregationNotes();
  bool AggregationNoteOn(const TSheetItem* sheet, const TSheetItem* onSheet) const;
  // The links between the notes of the aggregated sheet and notes placed on
  // sheet, in the aggregated sheet's position order (a link may appear twice).
  std::vector<TLinkItem*> AggregatedLinks(const TNoteItem* aggregationNote,
                                          const TSheetItem* sheet) const;

  // --- queries across items ---------------------------------------------------
  // The note's last position on the sheet, or nullptr.
  TPosItem* PositionOf(const TNoteItem* note, const TSheetItem* sheet) const;
  bool LinkEndsPlaced(const TLinkItem* link, const TSheetItem* sheet) const;
  bool LinkIsOnSheet(const TLinkItem* link, const TSheetItem* sheet) const;
  // How many links of the note end at a note not assigned to the sheet, and
  // the summed width of those notes (0 when negative).
  std::int32_t OffSheetLinkedCount(const TNoteItem* note, const TSheetItem* sheet) const;
  std::int32_t OffSheetLinkedWidth(const TNoteItem* note, const TSheetItem* sheet) const;

  static constexpr std::int32_t kMinBoxSize = 20;

 private:
  class TFiltersSuspended;

  // The stored pools in the order the data files are saved.
  std::array<std::pair<TPool*, const char*>, 6> SaveOrder() const;
  void StageDataFiles(TSaveTransaction& transaction, const std::string& projectFileName);
  void TakeDirectoryFrom(const std::string& projectFileName);
  template <typename F>
  void ForEachOffSheetNote(const TNoteItem* note, const TSheetItem* sheet, F&& f) const;

  std::string fileName_ = kNewFileName;
  IProgressBar* progressBar_ = nullptr;
  std::string directory_;
  bool showGrid_ = false;

  std::unique_ptr<TAttachTreePool> attachTreePool_;
  std::unique_ptr<TNoteTreePool> noteTreePool_;
  std::unique_ptr<TSheetTreePool> sheetTreePool_;
  std::unique_ptr<TPosTreePool> posTreePool_;
  std::unique_ptr<TAttachPool> attachPool_;
  std::unique_ptr<TNotePool> notePool_;
  std::unique_ptr<TPosPool> posPool_;
  std::unique_ptr<TLinkPool> linkPool_;
  std::unique_ptr<TSheetPool> sheetPool_;
  std::unique_ptr<TRelationPool> relationPool_;

  std::mt19937 random_;
};
