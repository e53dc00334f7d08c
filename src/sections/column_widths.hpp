#pragma once

#include <vector>

class QTableView;

namespace kavrel {

class SectionsModel;

// Sets every column of the table to the width QTableView::resizeColumnsToContents() gives it,
// letting the view measure only the cells that can be the widest. The view's measure of a cell
// lays out its text, which for every cell of a catalogue costs more than the rest of the
// window's start. The widths are those without a sort indicator, which the caller gives
// room on its own column alone; they are returned for that.
std::vector<int> fitColumnsToContents(QTableView& table, const SectionsModel& model);

} // namespace kavrel
