// The real editor window made in the test's process: its frame, tool bar and view exist
// and receive real messages; questions are answered from a script instead of boxes.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "glyphora/app/editor.h"

namespace glyphora_gui_test {

class EditorWindow : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Sends the menu command as the menu would.
  void Command(int id);
  // Selects a tool by clicking its button on the tool bar.
  void ClickTool(int tool);
  // Clicks the current tool's option button at index, in the middle of the given one of
  // parts equal strips from its left.
  void ClickOption(int index, int part = 0, int parts = 1);
  // Presses at one cell, drags through the others, releases at the last.
  void Drag(const std::vector<std::pair<int, int>>& cells);
  // Moves the mouse over a cell with no button down.
  void MoveTo(int column, int row);
  // Types the characters as the keyboard would (WM_CHAR to the frame).
  void Type(const std::string& keys);
  // The main page (or the floating page) as rows, empty cells as ".".
  std::vector<std::string> MainRows() const;
  std::vector<std::string> FloatingRows() const;
  // Writes rows onto the main page ("." empty).
  void SetRows(const std::vector<std::string>& rows);

  glyphora::app::Editor editor_;
  // The questions asked, "title|text", and the answers to give in turn (IDOK when none).
  std::vector<std::string> asked_;
  std::vector<int> answers_;

 private:
  static int Answer(glyphora::app::Editor* editor, const std::string& text, const std::string& title, UINT);
  POINT CellCentre(int column, int row) const;
};

}  // namespace glyphora_gui_test
