#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

class TContainer;

// The shape of a generated project. The defaults give realistic proportions:
// 100 sheets, every note placed on one sheet and one note in five on a second,
// about one link per note on a random sheet, one attachment per ten notes and
// the three relation types "leads to", "consists of" and "assumes".
//
// The special cases put their item first in its pool (note 0, sheet 0,
// relation type 0), so that a loaded copy of the project finds them by index.
struct TProjectShape {
  std::int32_t Notes = 1000;
  std::int32_t Sheets = 100;
  std::int32_t SecondSheetEvery = 5;  // one note in this many sits on a second sheet
  std::int32_t AttachmentEvery = 10;  // one attachment per this many notes
  std::int32_t LinksPerHundredNotes = 100;
  std::int32_t MemoBytes = 500;  // about; each memo varies by a fifth either way

  // When above 0, note 0 has exactly this many links, half of them starting
  // and half ending at it; no other link touches it.
  std::int32_t HubNoteLinks = 0;
  // When above 0, sheet 0 holds exactly this many positions (of notes drawn
  // at random); every other placement goes to the other sheets.
  std::int32_t CrowdedSheetPositions = 0;
  // When above 0, relation type 0 is the type of exactly this many links
  // (drawn at random among all links); the others share the rest.
  std::int32_t BusyRelationLinks = 0;

  std::uint32_t Seed = 20240611;
};

// One big sheet to draw: notes with two to five word titles scattered over
// it, one in PictureEvery with a picture or (every other one) a logo, and
// links between random notes, a quarter of them curved. One link in ten
// belongs to a second sheet, so its label carries the star.
struct TDrawingShape {
  std::int32_t Width = 20000;
  std::int32_t Height = 20000;
  std::int32_t Notes = 2000;
  std::int32_t Links = 3000;
  std::int32_t PictureEvery = 10;
  std::string PictureFile;  // the file every picture names
  std::string LogoFile;     // the file every logo names
};

// Builds a project in a container through the container's add operations.
// The same shape always gives the same project: every choice comes from a
// std::mt19937 with the shape's seed, drawn through our own bounded draw so
// that no library's distribution changes the result.
class TProjectGenerator {
 public:
  explicit TProjectGenerator(const TProjectShape& shape);

  // Adds the sheets, notes, positions, relation types, links and attachments
  // to container (which is normally empty). Throws std::invalid_argument when
  // the shape's special cases cannot be met (too few notes, sheets or links).
  void Build(TContainer& container);
  // Adds the drawing sheet (sheet 0, then the second sheet) with its notes,
  // positions, three relation types and links.
  void BuildDrawing(TContainer& container, const TDrawingShape& drawing);

  const TProjectShape& Shape() const { return shape_; }

  static constexpr std::int32_t kHubNote = 0;
  static constexpr std::int32_t kCrowdedSheet = 0;
  static constexpr std::int32_t kBusyRelation = 0;
  static constexpr std::int32_t kRelationTypes = 3;

 private:
  // A number in 0..bound-1 (bound > 0).
  std::int32_t Below(std::int32_t bound);
  std::int32_t Between(std::int32_t low, std::int32_t high) { return low + Below(high - low + 1); }
  const std::string& Word();
  std::string Words(std::int32_t count);
  std::string Title(std::int32_t minWords, std::int32_t maxWords);
  std::string Memo();
  template <typename T>
  void Shuffle(std::vector<T>& values);
  void Validate() const;

  TProjectShape shape_;
  std::mt19937 random_;
};
