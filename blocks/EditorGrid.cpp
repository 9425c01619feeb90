#include "EditorGrid.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

constexpr int kMargin = 16;         // round the sections
constexpr int kSectionGap = 12;     // between sections
constexpr int kColumnGap = 16;      // between the columns of one section
constexpr int kCellGap = 8;         // from caption to field to dial
constexpr int kRowGap = 8;
constexpr int kPictureStretch = 2;  // the margins left and right take 1 each

// For an editor that groups nothing: every control in one untitled section.
constexpr Section kWhole[] = {{"", {0, 999}, {0, 999}, {0, 0}}};

}  // namespace

EditorGrid::EditorGrid(QWidget& editor, std::span<const Section> sections)
    : sections_(sections.empty() ? std::span<const Section>(kWhole) : sections), outer_(*new QGridLayout(&editor)) {
  outer_.setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  outer_.setSpacing(kSectionGap);
  // The sections sit in the middle of the pane: column 0 and the column
  // after the last section share the width left over.
  outer_.setColumnStretch(0, 1);
  for (const Section& section : sections_) {
    QGridLayout& grid = AddBox(section.title, section.place);
    const int columns = section.columns.last - section.columns.first + 1;
    for (int k = 0; k < columns; ++k) {
      const int first = kColumns * k;
      columns_.push_back({&grid, first, section.place.column + k});
      grid.setColumnMinimumWidth(first + kCaption + 1, kCellGap);
      grid.setColumnMinimumWidth(first + kField + 1, kCellGap);
      if (k + 1 < columns) grid.setColumnMinimumWidth(first + kDial + 1, kColumnGap);
    }
    // A section wider or taller than its controls keeps the room right and below.
    grid.setColumnStretch(kColumns * columns, 1);
    grid.setRowStretch(section.rows.last - section.rows.first + 1, 1);
    grids_.push_back(&grid);
  }
}

int EditorGrid::SectionOf(int row, int column) const {
  const auto it = std::find_if(sections_.begin(), sections_.end(),
                               [&](const Section& s) { return s.rows.Holds(row) && s.columns.Holds(column); });
  return it == sections_.end() ? -1 : static_cast<int>(it - sections_.begin());
}

QWidget* EditorGrid::FieldAt(int row, int column) const {
  const Cell cell = CellAt(row, column);
  QLayoutItem* item = cell.grid->itemAtPosition(cell.row, cell.first + kField);
  return item ? item->widget() : nullptr;
}

void EditorGrid::AddField(QWidget& field, int row, int column) {
  Add(field, row, column, kField, Qt::AlignLeft | Qt::AlignVCenter);
}

void EditorGrid::AddCaption(QLabel& caption, int row, int column) {
  caption.setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Add(caption, row, column, kCaption, {});
}

void EditorGrid::AddDial(QWidget& dial, int row, int column) {
  Add(dial, row, column, kDial, Qt::AlignLeft | Qt::AlignVCenter);
}

void EditorGrid::AddPicture(QWidget& picture, const char* title, const Place& place) {
  AddBox(title, place).addWidget(&picture, 0, 0);
  for (int column = place.column; column < place.column + place.columnSpan; ++column) {
    outer_.setColumnStretch(column + 1, kPictureStretch);
  }
}

// Hidden controls count too, so a type change moves no column.
void EditorGrid::AlignColumns() {
  std::map<std::pair<int, Part>, int> widest;
  for (const Placed& placed : placed_) {
    int& width = widest[{placed.column, placed.part}];
    width = std::max({width, placed.widget->minimumWidth(), placed.widget->sizeHint().width()});
  }
  for (const Column& c : columns_) {
    for (const Part part : {kCaption, kField, kDial}) c.grid->setColumnMinimumWidth(c.first + part, widest[{c.column, part}]);
  }
}

QGridLayout& EditorGrid::AddBox(const char* title, const Place& place) {
  auto* box = new QGroupBox(QString::fromUtf8(title));
  auto* grid = new QGridLayout(box);
  grid->setHorizontalSpacing(0);
  grid->setVerticalSpacing(kRowGap);
  outer_.addWidget(box, place.row, place.column + 1, place.rowSpan, place.columnSpan);
  MoveStretch(place);
  return *grid;
}

EditorGrid::Cell EditorGrid::CellAt(int row, int column) const {
  const int index = SectionOf(row, column);
  if (index < 0) {
    throw std::logic_error("no section holds row " + std::to_string(row) + ", column " + std::to_string(column));
  }
  const Section& section = sections_[index];
  const int k = column - section.columns.first;
  return {grids_[index], row - section.rows.first, kColumns * k, section.place.column + k};
}

void EditorGrid::Add(QWidget& widget, int row, int column, Part part, Qt::Alignment alignment) {
  const Cell cell = CellAt(row, column);
  cell.grid->addWidget(&widget, cell.row, cell.first + part, alignment);
  placed_.push_back({&widget, cell.column, part});
}

// The stretching column and row stay right of and below every section.
void EditorGrid::MoveStretch(const Place& place) {
  const int column = place.column + place.columnSpan + 1;
  if (column > stretchColumn_) {
    outer_.setColumnStretch(stretchColumn_, 0);
    stretchColumn_ = column;
  }
  outer_.setColumnStretch(stretchColumn_, 1);
  const int row = place.row + place.rowSpan;
  if (row > stretchRow_) {
    outer_.setRowStretch(stretchRow_, 0);
    stretchRow_ = row;
  }
  outer_.setRowStretch(stretchRow_, 1);
}
