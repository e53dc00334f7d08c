#pragma once

class QTableView;

namespace kavrel {

class SectionsModel;

// Sets every column of the table to the width QTableView::resizeColumnsToContents() gives it,
// letting the view measure only the cells that can be the widest. The view's measure of a cell
// lays out its text, which for every cell of a catalogue costs more than the rest of the
// window's start.
void fitColumnsToContents(QTableView& table, const SectionsModel& model);

} // namespace kavrel
