#pragma once

#include "project/Container.h"
#include "project/ProjectTestHelpers.h"
#include "render/RecordingCanvas.h"
#include "render/VCanvas.h"

#include <gtest/gtest.h>

#include <string>

// A project with one 1000 x 1000 sheet and a recording canvas at zoom 100.
class RenderFixture : public ::testing::Test {
 protected:
  RenderFixture() : canvas(target) { sheet = projecttest::NewSheet(project, "Sheet"); }

  TNoteItem* Place(const std::string& title, std::int32_t x, std::int32_t y,
                   std::int32_t width = 80, std::int32_t height = 50) {
    TNoteItem* note = projecttest::NewNote(project, title, width, height);
    projecttest::NewPosition(project, note, sheet, x, y);
    return note;
  }

  TRelationItem* Relation(const std::string& name = "leads to") {
    return projecttest::NewRelation(project, name);
  }

  TContainer project;
  TSheetItem* sheet = nullptr;
  TRecordingCanvas target;
  TVCanvas canvas;
};
