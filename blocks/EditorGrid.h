// How a block editor uses its pane: the controls in titled sections, each a
// grid of caption, field and dial per column of the controls' grid, and the
// sections (and any picture) in a grid of their own, centred in the pane.
// Captions are right-aligned; captions, fields and dials each take the
// width of the widest in their column of sections, so sections stacked above
// each other line up, and a column keeps its width whatever a type hides.
#pragma once

#include <Qt>
#include <span>
#include <vector>

#include "EditorTables.h"

class QGridLayout;
class QLabel;
class QWidget;

class EditorGrid {
 public:
  EditorGrid(QWidget& editor, std::span<const Section> sections);

  // The section holding a cell, as its index in the table; -1 for none.
  int SectionOf(int row, int column) const;
  // The field placed first in a cell; null while the cell is free.
  QWidget* FieldAt(int row, int column) const;
  // Fields are lists, check boxes and headings; the cell must lie in a section.
  void AddField(QWidget& field, int row, int column);
  void AddCaption(QLabel& caption, int row, int column);
  void AddDial(QWidget& dial, int row, int column);
  // A picture in a titled section of its own; it takes most of the width to spare.
  void AddPicture(QWidget& picture, const char* title, const Place& place);
  // Gives every column of captions, fields and dials its width; once every
  // control is placed and filled.
  void AlignColumns();

 private:
  // Each column of the controls' grid is six grid columns: caption, gap,
  // field, gap, dial, gap. Gaps are columns of their own, not the grid's
  // spacing, which a column empty in one section but not in another would
  // give to one only.
  enum Part { kCaption = 0, kField = 2, kDial = 4, kColumns = 6 };
  // Where a control goes: the section's grid, its row there, the grid
  // column of its caption, and its column among the editor's columns.
  struct Cell {
    QGridLayout* grid;
    int row;
    int first;
    int column;
  };
  // One column of the controls' grid within one section.
  struct Column {
    QGridLayout* grid;
    int first;  // the caption's grid column; the field and the dial follow it
    int column;
  };
  struct Placed {
    QWidget* widget;
    int column;
    Part part;
  };

  QGridLayout& AddBox(const char* title, const Place& place);
  Cell CellAt(int row, int column) const;
  void Add(QWidget& widget, int row, int column, Part part, Qt::Alignment alignment);
  void MoveStretch(const Place& place);

  std::span<const Section> sections_;
  QGridLayout& outer_;
  std::vector<QGridLayout*> grids_;  // one per section, in table order
  std::vector<Column> columns_;
  std::vector<Placed> placed_;
  int stretchRow_ = 0;
  int stretchColumn_ = 1;
};
