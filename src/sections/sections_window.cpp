#include "sections/sections_window.hpp"

#include "durable/whole_file.hpp"
#include "properties/formula_sets.hpp"
#include "properties/number_text.hpp"
#include "sections/cell_painter.hpp"
#include "sections/column_labels.hpp"
#include "sections/column_widths.hpp"
#include "sections/copied_text.hpp"
#include "sections/export_format.hpp"
#include "sections/frozen_columns.hpp"
#include "sections/sections_settings.hpp"
#include "sections/sort_header.hpp"
#include "sheet/explain.hpp"
#include "table/table_columns.hpp"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QSplitter>
#include <QVBoxLayout>

#include <charconv>

namespace kavrel {
namespace {

QString comparisonShown(Comparison comparison) {
    return QString::fromUtf8(
        std::ranges::find(comparisonSymbols, comparison, &ComparisonSymbol::comparison)->shown);
}

// The words for the request's catalogue, as the engine describes it.
QString catalogueTitle(const TableRequest& request) {
    return QString::fromUtf8(
        describe(request.catalogues.empty() ? Catalogue::IS : request.catalogues.front()).title);
}

} // namespace

QSize initialSize(QSize available) {
    // Room for the frame the window manager draws around it.
    return available.shrunkBy(QMargins(0, 0, 16, 48)).boundedTo(QSize(1240, 720));
}

QString userDecimalSeparator() {
    return QLocale::system().decimalPoint();
}

SectionsWindow::SectionsWindow(QString settingsFile, QString separator, QWidget* parent)
    : QMainWindow(parent), separator_(std::move(separator)), settingsFile_(std::move(settingsFile)),
      panel_(new SectionsPanel(separator_)), model_(new SectionsModel(separator_, this)),
      table_(new QTableView), countLine_(new QLabel), note_(new QLabel),
      drawing_(new SectionDrawing(separator_)) {
    setObjectName(QStringLiteral("kavrelsections"));
    setWindowTitle(tr("Kavrel Sections"));
    setAccessibleName(tr("Kavrel Sections"));
    setUpTable();
    // The designation, and the columns before it, stay in view when the table scrolls sideways.
    // Until it first does, they are in view where they are: the view that keeps them is made
    // then, not for every start.
    connect(table_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (frozen_ == nullptr && value > 0) {
            frozen_ = new FrozenColumns(*table_, [this] {
                const auto& columns = model_->rows().columns;
                const auto designation = std::ranges::find(columns, *columnIndex("designation"));
                return designation == columns.end()
                           ? -1
                           : static_cast<int>(designation - columns.begin());
            });
            frozen_->setItemDelegate(new CellPainter(frozen_));
        }
    });
    QPushButton* working = buildLayout();
    buildMenus();
    connectControls(*working);
    restoreSettings();
    refresh();
}

void SectionsWindow::setUpTable() {
    table_->setObjectName(QStringLiteral("tblsections"));
    table_->setAccessibleName(tr("Sections"));
    table_->setHorizontalHeader(new SortHeader(table_));
    table_->setModel(model_);
    table_->setItemDelegate(new CellPainter(table_));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The arrows move through the rows; Tab goes on to the next control, not the next cell.
    table_->setTabKeyNavigation(false);
    table_->setAlternatingRowColors(true);
    table_->verticalHeader()->setVisible(false);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setObjectName(QStringLiteral("hdrsections"));
    table_->horizontalHeader()->setAccessibleName(tr("Columns of the sections"));
    table_->horizontalHeader()->setSectionsClickable(true);
    table_->horizontalHeader()->setHighlightSections(true);
    table_->horizontalHeader()->setSortIndicatorShown(false);
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    countLine_->setObjectName(QStringLiteral("lblcount"));
    countLine_->setWordWrap(true);
    note_->setObjectName(QStringLiteral("lblnote"));
    note_->setVisible(false);
    // A long note (a settings file's path) wraps instead of widening the window.
    note_->setWordWrap(true);
    note_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    countLine_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

QPushButton* SectionsWindow::buildLayout() {
    auto* tableLabel = new QLabel(tr("Sectio&ns:"));
    tableLabel->setBuddy(table_);
    auto* middle = new QWidget;
    auto* middleLayout = new QVBoxLayout(middle);
    middleLayout->setContentsMargins(0, 0, 0, 0);
    middleLayout->addWidget(tableLabel);
    middleLayout->addWidget(table_, 1);
    middleLayout->addWidget(countLine_);
    middleLayout->addWidget(note_);

    auto* scroll = new QScrollArea;
    scroll->setWidget(panel_);
    scroll->setAccessibleName(tr("Request"));
    panel_->setAccessibleName(tr("Request"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setMinimumWidth(panel_->sizeHint().width() + 20);
    auto* splitter = new QSplitter;
    splitter->addWidget(scroll);
    splitter->addWidget(middle);
    // Beside the table, the selected size drawn and the way to its working.
    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(drawing_, 1);
    auto* working = new QPushButton(tr("Show &working\u2026"));
    working->setObjectName(QStringLiteral("cmdworking"));
    working->setAccessibleName(tr("Show the working of the selected size"));
    working->setEnabled(false); // until a size is selected
    rightLayout->addWidget(working, 0, Qt::AlignRight);
    splitter->addWidget(right);
    // When the window narrows the table keeps the room: the panel (which scrolls) and the
    // drawing give way first, down to their minimum widths.
    scroll->setMinimumWidth(std::min(scroll->minimumWidth(), 220));
    right->setMinimumWidth(160);
    table_->setMinimumWidth(240);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setStretchFactor(2, 0);
    splitter->setChildrenCollapsible(false);
    setCentralWidget(splitter);
    QWidget::setTabOrder(panel_->findChild<QPushButton*>(QStringLiteral("cmdremoveown")), table_);
    return working;
}

void SectionsWindow::connectControls(QPushButton& working) {
    connect(&working, &QPushButton::clicked, showWorking_, &QAction::trigger);
    connect(showWorking_, &QAction::changed, &working,
            [this, &working] { working.setEnabled(showWorking_->isEnabled()); });

    connect(panel_, &SectionsPanel::changed, this, &SectionsWindow::refresh);
    connect(table_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
        const std::size_t engine = model_->engineColumn(column);
        panel_->sortBy(isNumericColumn(engine) ? columnName(engine) : QString());
    });
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &SectionsWindow::showSelected);
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &SectionsWindow::showSelected);
}

void SectionsWindow::restoreSettings() {
    SavedSettings saved;
    if (!settingsFile_.isEmpty()) {
        saved = loadSettings(settingsFile_);
    }
    panel_->setState(saved.state);
    if (saved.geometry.isEmpty() || !restoreGeometry(saved.geometry)) {
        resize(initialSize(screen() ? screen()->availableGeometry().size() : QSize(1240, 720)));
    }
    // The table takes what the panel and the drawing (a fifth, at most 280 pixels) leave. The
    // panel takes at most three tenths of a small window, where the table keeps the room, and
    // seven twentieths from 1000 pixels on: room for all its controls at 1240.
    const int total = width();
    const int panelWidth =
        std::min(panel_->sizeHint().width() + 20, total >= 1000 ? total * 7 / 20 : total * 3 / 10);
    const int drawingWidth = std::min(280, total / 5);
    if (auto* splitter = qobject_cast<QSplitter*>(centralWidget())) {
        splitter->setSizes({panelWidth, total - panelWidth - drawingWidth, drawingWidth});
    }
    keepSettingsFile_ = saved.keepFile;
    note_->setText(saved.note);
    note_->setVisible(!saved.note.isEmpty());
}

void SectionsWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* exportAction = file->addAction(tr("&Export\u2026"), this, &SectionsWindow::onExport);
    exportAction->setShortcut(Qt::CTRL | Qt::Key_E);
    exportAction->setObjectName(QStringLiteral("actexport"));
    QAction* print = file->addAction(tr("&Print\u2026"), this, &SectionsWindow::onPrint);
    print->setShortcut(QKeySequence::Print);
    print->setObjectName(QStringLiteral("actprint"));
    showWorking_ = file->addAction(tr("Show &working\u2026"), this, [this] { showWorking(); });
    showWorking_->setObjectName(QStringLiteral("actworking"));
    showWorking_->setEnabled(false);
    file->addSeparator();
    QAction* quit = file->addAction(tr("&Quit"), this, &QWidget::close);
    quit->setShortcut(QKeySequence::Quit);
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    QAction* copy = edit->addAction(tr("&Copy"), this,
                                    [this] { QApplication::clipboard()->setText(copiedRows()); });
    copy->setObjectName(QStringLiteral("actcopy"));
    copy->setShortcut(QKeySequence::Copy);
    // The line edits keep Ctrl+C for their own text; the table's is the window's Copy.
    copy->setShortcutContext(Qt::WindowShortcut);
}

void SectionsWindow::refresh() {
    const PanelRequest request = panel_->request();
    const auto shown = [this] {
        return tr("%1 of %2 sizes").arg(model_->rows().rows.size()).arg(model_->rows().sizeCount);
    };
    auto rows = tableRows(request.request, request.ownSizes);
    if (const auto* error = std::get_if<TableError>(&rows)) {
        // The panel leaves out what the engine refuses; a refusal here is a fault of ours, shown
        // rather than hidden, and the window's Export and Print are of the rows it names.
        countLine_->setText(shown() + tr("; not applied: ") +
                            QString::fromStdString(error->message));
        return;
    }
    // The selected sizes stay selected when they are still shown.
    const auto designation = [this](int row) {
        return QString::fromStdString(model_->rows().rows[static_cast<std::size_t>(row)].texts[1]);
    };
    QSet<QString> selected;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        selected.insert(designation(index.row()));
    }
    const QModelIndex current = table_->currentIndex();
    const QString currentSize = current.isValid() ? designation(current.row()) : QString();
    shownRequest_ = request.request;
    // Measuring every cell costs most of a refresh: widths follow a change of columns only.
    const bool newColumns = std::get<TableRows>(rows).columns != model_->rows().columns;
    model_->setRows(std::get<TableRows>(std::move(rows)));
    QString count = shown();
    if (!request.ignored.isEmpty()) {
        count += tr("; not applied until they read: ") + request.ignored.join(QStringLiteral("; "));
    }
    if (!request.leftOut.isEmpty()) {
        count += tr("; left out: ") + request.leftOut.join(QStringLiteral("; "));
    }
    countLine_->setText(count);
    if (newColumns) {
        fittedWidths_ = fitColumnsToContents(*table_, *model_);
    }
    showSortIndicator();
    if (frozen_ != nullptr) {
        frozen_->follow();
    }
    QItemSelection kept;
    int currentRow = -1;
    for (int r = 0; r < model_->rowCount(); ++r) {
        const QString size = designation(r);
        if (selected.contains(size)) {
            kept.select(model_->index(r, 0), model_->index(r, model_->columnCount() - 1));
        }
        if (!currentSize.isEmpty() && size == currentSize && currentRow < 0) {
            currentRow = r;
        }
    }
    if (currentRow < 0 && !kept.isEmpty()) {
        currentRow = kept.front().top();
    }
    if (currentRow >= 0) {
        table_->selectionModel()->setCurrentIndex(model_->index(currentRow, 0),
                                                  QItemSelectionModel::NoUpdate);
    }
    table_->selectionModel()->select(kept, QItemSelectionModel::ClearAndSelect);
    showSelected();
}

void SectionsWindow::showSortIndicator() {
    QHeaderView* header = table_->horizontalHeader();
    const auto& sort = shownRequest_.sort;
    const auto& columns = model_->rows().columns;
    const std::optional<std::size_t> engine =
        sort ? columnIndexIn(model_->rows(), sort->column) : std::nullopt;
    const auto column = engine ? std::ranges::find(columns, *engine) : columns.end();
    const int sorted = column != columns.end() ? static_cast<int>(column - columns.begin()) : -1;
    header->setSortIndicatorShown(sorted >= 0);
    if (sorted >= 0) {
        header->setSortIndicator(sorted,
                                 sort->descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    }
    // The fitted widths, and the indicator's room on the sorted column alone.
    for (int section = 0; section < static_cast<int>(fittedWidths_.size()); ++section) {
        const int fitted = fittedWidths_[static_cast<std::size_t>(section)];
        header->resizeSection(section, section == sorted
                                           ? std::max(fitted, header->sectionSizeHint(section))
                                           : fitted);
    }
}

void SectionsWindow::showSelected() {
    const QModelIndex current = table_->currentIndex();
    const bool selected =
        current.isValid() && table_->selectionModel()->isRowSelected(current.row());
    showWorking_->setEnabled(selected);
    if (!selected) {
        drawing_->setSection(std::nullopt);
        return;
    }
    const TableRow& row = model_->rows().rows[static_cast<std::size_t>(current.row())].texts;
    const auto family = parseFamily(row[0]);
    const auto number = [&row](std::size_t column) { return readNumber(row[column]).value_or(0); };
    const SectionFamily drawn = std::get<SectionFamily>(family);
    // The corners of the geometry the row was computed with; none: the IS corners 2t and t.
    // The catalogue's rule takes the wall in its home units; the radii show in the units shown.
    const Catalogue catalogue = catalogueNamed(row[catalogueColumn]).value_or(Catalogue::IS);
    const UnitSystem shown = model_->rows().units;
    const UnitSystem home = describe(catalogue).home;
    std::optional<CornerRadii> corners = cornerRadiiOf(
        formulaSetOf(catalogue, drawn), convert(number(4), Quantity::Length, shown, home));
    if (corners) {
        corners = CornerRadii{convert(corners->outer, Quantity::Length, home, shown),
                              convert(corners->inner, Quantity::Length, home, shown)};
    }
    drawing_->setSection(DrawnSection{drawn, QString::fromStdString(row[1]), number(2), number(3),
                                      number(4), corners,
                                      QString::fromUtf8(unitOf(Quantity::Length, shown))});
}

QString SectionsWindow::copiedRows() const {
    std::vector<int> positions;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        positions.push_back(index.row());
    }
    std::ranges::sort(positions);
    return copiedText(model_->rows(), positions, separator_);
}

std::optional<QString> SectionsWindow::exportTo(const QString& file, TableFormat format) const {
    const std::string bytes = writeRows(format, model_->rows());
    const WholeFileOutcome outcome = writeWholeFile(QFile::encodeName(file).toStdString(), bytes);
    const QString reason = QString::fromLocal8Bit(outcome.reason.c_str());
    switch (outcome.kind) {
    case WholeFileOutcome::Written:
        return std::nullopt;
    case WholeFileOutcome::NotSynced:
        // The new table is in place: saying it was not exported would be untrue.
        return tr("The table was written to %1, but %2. It may not survive a power cut.")
            .arg(file, reason);
    case WholeFileOutcome::NotWritten:
        break;
    }
    return tr("The table was not exported: %1. Any earlier file is as it was.").arg(reason);
}

void SectionsWindow::onExport() {
    QFileDialog dialog(this, tr("Export the table of %1").arg(catalogueTitle(shownRequest_)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(exportFilters());
    // Qt's own dialog: the filter follows an ending as it is typed.
    if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        connect(name, &QLineEdit::textEdited, &dialog, [&dialog](const QString& typed) {
            if (const ExportFormat* format = formatOfEnding(typed)) {
                dialog.selectNameFilter(QString::fromLatin1(format->filter));
            }
        });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString typed = dialog.selectedFiles().front();
    const ExportFormat& format = exportFormatOf(typed, dialog.selectedNameFilter());
    const QString file = exportFileName(typed, format);
    // The dialog asked about the name as typed; the file with the ending added is asked about
    // here.
    if (file != typed && (QFileInfo(file).exists() || QFileInfo(file).isSymLink())) {
        QMessageBox question(QMessageBox::Question, tr("Export"),
                             tr("%1 already exists. Do you want to replace it?").arg(file),
                             QMessageBox::Yes | QMessageBox::No, this);
        question.setObjectName(QStringLiteral("exportreplace"));
        question.setDefaultButton(QMessageBox::No);
        question.setTextFormat(Qt::PlainText);
        if (question.exec() != QMessageBox::Yes) {
            return;
        }
    }
    if (const auto message = exportTo(file, format.format)) {
        QMessageBox::warning(this, tr("Export"), *message);
    }
}

QString SectionsWindow::title() const {
    QStringList parts;
    const PanelState state = panel_->state();
    parts << catalogueTitle(shownRequest_);
    parts << state.families.join(QStringLiteral(", "));
    for (const Condition& condition : shownRequest_.conditions) {
        char number[32];
        const auto end = std::to_chars(number, number + sizeof number, condition.number).ptr;
        parts
            << QString::fromStdString(condition.column) + QLatin1Char(' ') +
                   comparisonShown(condition.comparison) + QLatin1Char(' ') +
                   QString::fromLatin1(number, end - number).replace(QLatin1Char('.'), separator_);
    }
    parts << (shownRequest_.pi && *shownRequest_.pi == fractionPi ? tr("\u03c0 = 22/7")
                                                                  : tr("true \u03c0"));
    if (shownRequest_.sort) {
        parts << tr("sorted by %1%2")
                     .arg(QString::fromStdString(shownRequest_.sort->column),
                          shownRequest_.sort->descending ? tr(", descending") : QString());
    }
    return parts.join(QStringLiteral(" \u2013 "));
}

PrintedTable SectionsWindow::printedTable() const {
    PrintedTable printed{title(), {}, {}, {}};
    for (int c = 0; c < model_->columnCount(); ++c) {
        const std::size_t engine = model_->engineColumn(c);
        const QString unit = columnUnit(engine, model_->rows().units);
        printed.headers << (unit.isEmpty() ? columnName(engine)
                                           : columnName(engine) + QLatin1Char(' ') + unit);
        printed.rightAligned.push_back(isNumericColumn(engine));
    }
    for (int r = 0; r < model_->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model_->columnCount(); ++c) {
            cells << model_->shownText(r, c);
        }
        printed.rows.push_back(cells);
    }
    return printed;
}

void SectionsWindow::onPrint() {
    QPrinter printer;
    printer.setDocName(printedDocumentName(title()));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    if (!printTable(printer, printedTable())) {
        QMessageBox::warning(this, tr("Print"), tr("The printer could not be started."));
    }
}

WorkingWindow* SectionsWindow::showWorking() {
    const std::optional<DrawnSection>& section = drawing_->section();
    if (!section) {
        return nullptr;
    }
    // The sheet of the request the row came from: its catalogue and pi. A size whose formulas
    // fail has its sheet up to the failing step.
    const ExplainOutcome sheet =
        sheetOf(shownRequest_, section->designation.toStdString(), SheetFormat::Html);
    if (sheet.bytes.empty()) {
        QMessageBox::warning(
            this, tr("Show working"),
            tr("The working of %1 cannot be shown: %2.")
                .arg(section->designation,
                     QString::fromStdString(sheet.error ? sheet.error->message : std::string())));
        return nullptr;
    }
    const TableRequest request = shownRequest_;
    const std::string size = section->designation.toStdString();
    auto* window = new WorkingWindow(
        section->designation,
        [request, size](const SheetFields& fields) {
            return QString::fromStdString(sheetOf(request, size, SheetFormat::Html, fields).bytes);
        },
        this);
    window->show();
    return window;
}

bool SectionsWindow::saveSettingsNow() const {
    if (keepSettingsFile_) {
        return false;
    }
    return settingsFile_.isEmpty() || saveSettings(settingsFile_, panel_->state(), saveGeometry());
}

void SectionsWindow::closeEvent(QCloseEvent* event) {
    saveSettingsNow();
    QMainWindow::closeEvent(event);
}

} // namespace kavrel
