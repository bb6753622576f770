// Texts of the drawing tools: the string table of the tool bar (names and help lines,
// shown in the "Active Help" area) and the option buttons' captions.
#pragma once

namespace glyphora {

// One entry of the tool bar's string table.
struct ToolStringEntry {
  int id;
  const char* text;
};

constexpr ToolStringEntry k_toolStrings[] = {
    {1, "Select Tool"},
    {2, "Use to move, cut, copy, paste and duplicate rectangular regions of text."},
    {3, "Picture Selection"},
    {4, "Table Selection"},
    {5, "Text Tool"},
    {6, "Use to place simple text anywhere on the document."},
    {7, "Big Text Tool"},
    {8, "Use to create 'enlarged' text using the font, size and style specified."},
    {9, "Pencil Tool"},
    {10, "Use to draw individual characters and freeform shapes."},
    {11, "Rubber Tool"},
    {12, "Use to erase characters."},
    {13, "Bucket Tool"},
    {14, "Use to fill any contiguous or outlined area with a character."},
    {15, "Line Tool"},
    {16, "Use to draw lines."},
    {17, "Circle Tool"},
    {18, "Use to draw ovals or circles."},
    {19, "Rectangle Tool"},
    {20, "Use to draw rectangles or squares."},
    {21, "Sample Tool"},
    {22, "Click to pick up the Draw Character from under the cursor."},
};

constexpr char k_compoundsOnText[] =
    "On. Compound characters are used where possible. Click to always overwrite.";
constexpr char k_compoundsOffText[] =
    "Off. Characters always overwrite. Click to use compound characters where possible.";
constexpr char k_directionOnText[] =
    "Direction mode: the pencil draws the line character of its movement. Click to draw with the drawing character.";
constexpr char k_directionOffText[] =
    "Type a character to draw with. Click for direction mode (the line character of the movement).";

}  // namespace glyphora
