#pragma once

#include "sections/section_drawing.hpp"
#include "sections/sections_model.hpp"
#include "sections/sections_panel.hpp"
#include "sections/table_printer.hpp"
#include "sections/working_window.hpp"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTableView>

#include <optional>
#include <string>
#include <vector>

namespace kavrel {

class FrozenColumns;

// The window's first size on a screen with this much room: all of it fits, at most 1240x720.
QSize initialSize(QSize available);

// The decimal separator of the user's number settings.
QString userDecimalSeparator();

// Kavrel Sections: the request panel, the table the engine fills, the count line and the
// drawing of the selected size; Copy, Export and Print of the shown table.
class SectionsWindow : public QMainWindow {
    Q_OBJECT

  public:
    // `settingsFile` is read now and written when the window closes.
    explicit SectionsWindow(QString settingsFile = {}, QString separator = userDecimalSeparator(),
                            QWidget* parent = nullptr);

    SectionsPanel& panel() const { return *panel_; }
    SectionsModel& model() const { return *model_; }
    QTableView& table() const { return *table_; }
    SectionDrawing& drawing() const { return *drawing_; }

    // The request the shown rows came from (without the sizes of one's own).
    const TableRequest& shownRequest() const { return shownRequest_; }

    // Runs the request again; the table keeps what it showed when the request is refused.
    void refresh();

    // What Copy puts on the clipboard.
    QString copiedRows() const;

    // Writes the shown table in the format to the file; the reason when it failed.
    std::optional<QString> exportTo(const QString& file, TableFormat format) const;

    // The shown table as Print lays it out.
    PrintedTable printedTable() const;

    bool saveSettingsNow() const;

    // Opens the calculation sheet of the selected size in a window of its own; none when no
    // size is selected.
    WorkingWindow* showWorking();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The steps of building the window, in order.
    void setUpTable();
    QPushButton* buildLayout(); // gives the Show working button, which the menus' action drives
    void buildMenus();
    void connectControls(QPushButton& working);
    void restoreSettings();

    void onExport();
    void onPrint();
    void showSelected();
    void showSortIndicator();
    QString title() const;

    QString separator_;
    QString settingsFile_;
    SectionsPanel* panel_;
    SectionsModel* model_;
    QTableView* table_;
    QLabel* countLine_;
    QLabel* note_;
    SectionDrawing* drawing_;
    QAction* showWorking_ = nullptr;
    TableRequest shownRequest_;
    bool keepSettingsFile_ = false;   // an unreadable file that could not be set aside
    std::vector<int> fittedWidths_;   // the columns' widths without a sort indicator
    FrozenColumns* frozen_ = nullptr; // the designation kept in view
};

} // namespace kavrel
