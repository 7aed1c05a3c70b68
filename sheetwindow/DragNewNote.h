#pragma once

#include "platform/DragObject.h"

// Dragged from the main window's new-note tile: a note still to be made,
// made where it is dropped on a sheet.
class TDragNewNote : public TDragObject {};
