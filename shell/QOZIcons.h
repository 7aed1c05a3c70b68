#pragma once

#include <QPixmap>
#include <QSize>

class TImageList;

// The program's own pictures, drawn rather than shipped: the item icons of
// the navigator and property windows, the toolbar images, and the logo.
class TQOZIcons {
 public:
  // Indices of the item icons every window shares.
  enum TNavIcon {
    kProject = 0,
    kSheet = 1,
    kNote = 2,
    kAttachment = 3,
    kPlacedNote = 4,
    kHidePanel = 5,
    kShowPanel = 6,
    kCollapse = 7,
    kOpenSheet = 8,
    kFirstFileIcon = 9
  };
  // Indices of the toolbar and menu images.
  enum TMainIcon {
    kNew, kOpen, kSave, kImport, kAutoSave, kPrint, kExit, kNewNote, kNewSheet, kSearch,
    kZoomIn, kZoomOut, kRelations, kCascade, kTile, kFit, kHelp, kMainIconCount
  };

  static void FillNavIcons(TImageList& list);
  static void FillMainIcons(TImageList& list);
  // Notes joined by a curved link with the name below: the splash, the
  // about box and the desktop entry show it.
  static QPixmap Logo(QSize size);
};
