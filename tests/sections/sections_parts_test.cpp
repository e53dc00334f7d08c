// The parts of Kavrel Sections where its own faults would be, each without the window: the
// model over the engine's rows, the request panel's state and request, and the settings file.
#include "panel_state_metatype.hpp"
#include "sections/cell_painter.hpp"
#include "sections/section_drawing.hpp"
#include "sections/sections_model.hpp"
#include "sections/sections_panel.hpp"
#include "sections/sections_settings.hpp"
#include "sections/sections_startup.hpp"
#include "table/table_columns.hpp"
#include "table/table_rows.hpp"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QSettings>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <numbers>

#include <cerrno>
#include <sys/stat.h>

Q_DECLARE_METATYPE(kavrel::DrawnSection)

namespace kavrel {
namespace {

TableRows rowsOf(const TableRequest& request, std::vector<std::string> own = {}) {
    return std::get<TableRows>(tableRows(request, own));
}

PanelState everyField() {
    PanelState state;
    state.catalogue = QStringLiteral("EN10219");
    state.families = {QStringLiteral("RHS"), QStringLiteral("CHS")};
    state.requirements = {{QStringLiteral("Zxx"), QStringLiteral(">="), QStringLiteral("50")},
                          {QStringLiteral("A"), QStringLiteral("<"), QStringLiteral("10,5")}};
    state.truePi = true;
    state.columns = {QStringLiteral("designation"), QStringLiteral("A"), QStringLiteral("Zpx")};
    state.sort = QStringLiteral("-W");
    state.ownSizes = {QStringLiteral("RHS:250x150x8"), QStringLiteral("CHS:60.3x3.2")};
    return state;
}

// A grade, a buckling length as typed and a choice of the design columns.
PanelState designed() {
    PanelState state = everyField();
    state.grade = QStringLiteral("S460");
    state.length = QStringLiteral("2,5");
    state.designColumns = {QStringLiteral("classN"), QStringLiteral("Aeff"),
                           QStringLiteral("NbRd")};
    state.ownSizesOpen = true;
    return state;
}

// The same for IS: its own grade, the forming route and its own design column.
PanelState designedIs() {
    PanelState state = designed();
    state.catalogue = QStringLiteral("IS");
    state.grade = QStringLiteral("YSt310");
    state.forming = QStringLiteral("hot");
    state.designColumns = {QStringLiteral("classMx"), QStringLiteral("TdRd"),
                           QStringLiteral("NbRd")};
    return state;
}

// A table view whose options for a cell are the ones it paints that cell with.
class CellView : public QTableView {
  public:
    QStyleOptionViewItem optionFor(const QModelIndex& index, QRect rect) const {
        QStyleOptionViewItem option;
        initViewItemOption(&option);
        option.rect = rect;
        option.index = index;
        return option;
    }
};

// A cell painted into a picture of its own by a delegate, over the window's background.
QImage paintedCell(const QStyledItemDelegate& delegate, const QStyleOptionViewItem& option,
                   const QModelIndex& index) {
    QImage picture(option.rect.size() + QSize(2, 2), QImage::Format_ARGB32_Premultiplied);
    picture.fill(option.palette.color(QPalette::Window));
    QPainter painter(&picture);
    painter.translate(1 - option.rect.x(), 1 - option.rect.y());
    delegate.paint(&painter, option, index);
    return picture;
}

PanelState withColumns(PanelState state) {
    for (std::size_t i = 0; i < defaultColumnCount; ++i) {
        state.columns << QString::fromLatin1(columnNames[i].data(), columnNames[i].size());
    }
    return state;
}

} // namespace

class SectionsPartsTest : public QObject {
    Q_OBJECT

    QTemporaryDir scratch_;

  private slots:
    // The model's contract as Qt's views rely on it, through fills and resets of every shape.
    void modelKeepsQtsContract_data() {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<int>("catalogue");
        QTest::newRow("IS, point") << QStringLiteral(".") << int(Catalogue::IS);
        QTest::newRow("EN10210, comma") << QStringLiteral(",") << int(Catalogue::EN10210);
        QTest::newRow("EN10219, comma") << QStringLiteral(",") << int(Catalogue::EN10219);
    }
    void modelKeepsQtsContract() {
        QFETCH(QString, separator);
        QFETCH(int, catalogue);
        SectionsModel model(separator);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        const auto chosen = static_cast<Catalogue>(catalogue);
        model.setRows(rowsOf({.columns = {"all"}, .catalogues = {chosen}}, {"RHS:250x150x8"}));
        QVERIFY(model.rowCount() > 100);
        QCOMPARE(model.columnCount(), int(columnCount));
        model.setRows(rowsOf({.limit = 0, .catalogues = {chosen}}));
        QCOMPARE(model.rowCount(), 0);
        model.setRows(rowsOf({.sizes = {}, .columns = {"A"}, .catalogues = {chosen}}));
        QCOMPARE(model.columnCount(), 1);
    }

    // Numbers take the user's separator, texts keep their points; own sizes are marked.
    void modelShowsTheEnginesTexts_data() {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("own");
        const QString comma = QStringLiteral(",");
        const QString point = QStringLiteral(".");
        QTest::newRow("designation keeps its point") << comma << 0 << "designation"
                                                     << "50x25x2.0" << false;
        QTest::newRow("area with a comma") << comma << 0 << "A"
                                           << "2,74" << false;
        QTest::newRow("below one, no zero") << comma << 0 << "S"
                                            << ",140" << false;
        QTest::newRow("area with a point") << point << 0 << "A"
                                           << "2.74" << false;
        QTest::newRow("own size keeps its points") << comma << 1 << "designation"
                                                   << "RHS:250x150x8" << true;
        QTest::newRow("own size's thickness") << comma << 1 << "thickness"
                                              << "8,0" << true;
    }
    void modelShowsTheEnginesTexts() {
        QFETCH(QString, separator);
        QFETCH(int, row);
        QFETCH(QString, column);
        QFETCH(QString, shown);
        QFETCH(bool, own);
        SectionsModel model(separator);
        model.setRows(
            rowsOf({.sizes = {"50x25x2.0"}, .columns = {"designation", "thickness", "A", "S"}},
                   {"RHS:250x150x8"}));
        int at = -1;
        for (int c = 0; c < model.columnCount(); ++c) {
            if (model.headerData(c, Qt::Horizontal, Qt::AccessibleTextRole).toString() == column) {
                at = c;
            }
        }
        QVERIFY(at >= 0);
        const QModelIndex index = model.index(row, at);
        QCOMPARE(model.data(index, Qt::DisplayRole).toString(), shown);
        QCOMPARE(model.data(index, Qt::FontRole).value<QFont>().italic(), own);
        QCOMPARE(model.data(index, Qt::ToolTipRole).toString().isEmpty(), !own);
    }

    // What the panel is given it gives back, field by field.
    void panelStateRoundTrips_data() {
        QTest::addColumn<PanelState>("state");
        QTest::newRow("defaults") << withColumns(PanelState{});
        QTest::newRow("every field") << everyField();
        PanelState ascending = withColumns({});
        ascending.sort = QStringLiteral("A");
        ascending.families = {QStringLiteral("SHS")};
        QTest::newRow("one family, ascending") << ascending;
        PanelState european = withColumns({});
        european.catalogue = QStringLiteral("EN10210");
        european.truePi = false;
        QTest::newRow("european, pi left as it was") << european;
        QTest::newRow("a grade and a length") << designed();
        QTest::newRow("an IS grade, its route and TdRd") << designedIs();
        PanelState inches = withColumns({});
        inches.catalogue = QStringLiteral("AISC");
        inches.units = QStringLiteral("us");
        inches.ownSizes = {QStringLiteral("RHS:8x4x0.25")};
        inches.requirements = {{QStringLiteral("W"), QStringLiteral(">="), QStringLiteral("20.5")}};
        QTest::newRow("AISC in inches") << inches;
        PanelState metricAisc = inches;
        metricAisc.units = QStringLiteral("metric");
        metricAisc.ownSizes = {QStringLiteral("RHS:203.2x101.6x6.35")};
        QTest::newRow("AISC in metric units") << metricAisc;
    }
    void panelStateRoundTrips() {
        QFETCH(PanelState, state);
        SectionsPanel panel(QStringLiteral(","));
        panel.setState(state);
        QCOMPARE(panel.state(), state);
    }

    // The request the panel hands the engine for a state.
    void panelRequestIsTheEngines_data() {
        QTest::addColumn<PanelState>("state");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<double>("pi"); // 0: none asked for
        QTest::addColumn<QString>("sort");
        QTest::addColumn<double>("number"); // the first condition's
        PanelState is = withColumns({});
        QTest::newRow("IS, 22/7") << is << "." << false << fractionPi << "" << 0.0;
        is.truePi = true;
        QTest::newRow("IS, true pi") << is << "." << false << std::numbers::pi << "" << 0.0;
        QTest::newRow("european asks no pi") << everyField() << "," << false << 0.0 << "-W" << 50.0;
        PanelState typed = withColumns({});
        typed.requirements = {{QStringLiteral("A"), QStringLiteral(">="), QStringLiteral("10,5")}};
        QTest::newRow("comma typed under a comma")
            << typed << "," << false << fractionPi << "" << 10.5;
        QTest::newRow("comma typed under a point") << typed << "." << true << 0.0 << "" << 0.0;
        typed.requirements[0].number = QStringLiteral("10.5");
        QTest::newRow("point typed under a comma") << typed << "," << true << 0.0 << "" << 0.0;
        typed.sort = QStringLiteral("W");
        QTest::newRow("point typed under a point, sorted")
            << typed << "." << false << fractionPi << "W" << 10.5;
    }
    void panelRequestIsTheEngines() {
        QFETCH(PanelState, state);
        QFETCH(QString, separator);
        QFETCH(bool, refused);
        QFETCH(double, pi);
        QFETCH(QString, sort);
        QFETCH(double, number);
        SectionsPanel panel(separator);
        panel.setState(state);
        // A requirement that does not read is ignored, with its reason, the rest applied.
        const PanelRequest made = panel.request();
        QCOMPARE(!made.ignored.isEmpty(), refused);
        const TableRequest& request = made.request;
        if (refused) {
            QVERIFY(request.conditions.empty());
            return;
        }
        QCOMPARE(request.pi.value_or(0.0), pi);
        const QString madeSort = request.sort ? (request.sort->descending ? "-" : "") +
                                                    QString::fromStdString(request.sort->column)
                                              : QString();
        QCOMPARE(madeSort, sort);
        QCOMPARE(request.conditions.empty() ? 0.0 : request.conditions.front().number, number);
        QCOMPARE(request.families.size(), std::size_t(state.families.size()));
        QCOMPARE(made.ownSizes.size(), std::size_t(state.ownSizes.size()));
    }

    // A header click sorts a numeric column ascending, then descending, then ascending; any
    // other column returns to the catalogue's order.
    // The table's cells look the same whether the cell painter or the style paints them, in
    // every state a cell of the table can be in.
    void cellsLookAsTheStylePaintsThem_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("state"); // added to the view's own
        QTest::addColumn<bool>("italic");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("rightToLeft");
        const int right = Qt::AlignRight | Qt::AlignVCenter;
        const int left = Qt::AlignLeft | Qt::AlignVCenter;
        const int selected = QStyle::State_Selected;
        const int focused = QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
        QTest::newRow("a number") << "1199.76" << right << 0 << false << 90 << false;
        QTest::newRow("a designation") << "125NBx4.5(L)" << left << 0 << false << 110 << false;
        QTest::newRow("a selected row") << "304.03" << right << selected << false << 80 << false;
        QTest::newRow("selected, window inactive")
            << "304.03" << right << int(selected | 0x10000) << false << 80 << false;
        QTest::newRow("the current cell, keyboard")
            << "33.78" << right << int(selected | focused) << false << 70 << false;
        QTest::newRow("a size of one's own") << "250x150x8.0" << left << 0 << true << 110 << false;
        QTest::newRow("own, selected") << "1234.5" << right << selected << true << 90 << false;
        QTest::newRow("a column narrower than its text")
            << "1199.76" << right << 0 << false << 30 << false;
        QTest::newRow("just as wide as its text") << "12" << right << 0 << false << 24 << false;
        QTest::newRow("a text with a space") << "not given" << left << 0 << false << 40 << false;
        QTest::newRow("right to left") << "1199.76" << right << 0 << false << 90 << true;
        QTest::newRow("centred, tall")
            << "RHS" << int(Qt::AlignCenter) << 0 << false << 60 << false;
        QTest::newRow("a background of its own") << "12.5" << right << 0 << false << 60 << false;
    }
    void cellsLookAsTheStylePaintsThem() {
        QFETCH(QString, text);
        QFETCH(int, alignment);
        QFETCH(int, state);
        QFETCH(bool, italic);
        QFETCH(int, width);
        QFETCH(bool, rightToLeft);
        QStandardItemModel model(1, 1);
        auto* item = new QStandardItem(text);
        item->setTextAlignment(Qt::Alignment(alignment));
        if (italic) {
            QFont font;
            font.setItalic(true);
            item->setFont(font);
        }
        if (QTest::currentDataTag() == QByteArray("a background of its own")) {
            item->setBackground(QColor(0xff, 0xf0, 0xc0));
        }
        model.setItem(0, 0, item);
        CellView view;
        view.setModel(&model);
        view.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        const QModelIndex index = model.index(0, 0);
        const int height = text == QStringLiteral("RHS") ? 40 : view.fontMetrics().height() + 6;
        QStyleOptionViewItem option = view.optionFor(index, QRect(5, 7, width, height));
        // 0x10000 stands for a window not active.
        option.state |= QStyle::State(state & ~0x10000);
        if (state & 0x10000) {
            option.state &= ~QStyle::State_Active;
        } else {
            option.state |= QStyle::State_Active;
        }
        const QStyledItemDelegate style;
        const CellPainter painter;
        const QImage expected = paintedCell(style, option, index);
        const QImage painted = paintedCell(painter, option, index);
        QCOMPARE(painted, expected);
    }

    void headerClicksCycleTheSortOrder() {
        SectionsPanel panel(QStringLiteral("."));
        const struct {
            const char* click;
            const char* sort;
        } clicks[] = {{"W", "W"},  {"W", "-W"},         {"W", "W"}, {"A", "A"},
                      {"A", "-A"}, {"designation", ""}, {"", ""}};
        for (const auto& click : clicks) {
            panel.sortBy(QString::fromLatin1(click.click));
            QCOMPARE(panel.state().sort, QString::fromLatin1(click.sort));
        }
    }

    // The own-size box refuses what the catalogue's geometry cannot take, marking the field,
    // and takes the rest as the engine writes it.
    void ownSizeBoxTakesWhatTheGeometryTakes_data() {
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QStringList>("typed"); // D, B, t
        QTest::addColumn<QString>("added");     // empty: refused
        QTest::addColumn<QString>("marked");    // the field marked when refused
        QTest::newRow("IS square at 4t = B") << "IS"
                                             << "."
                                             << "SHS" << QStringList{"20", "", "5"} << "SHS:20x20x5"
                                             << "";
        QTest::newRow("IS rectangle at 4t = B")
            << "IS"
            << "."
            << "RHS" << QStringList{"40", "20", "5"} << "RHS:40x20x5"
            << "";
        QTest::newRow("IS wall beyond a quarter") << "IS"
                                                  << "."
                                                  << "RHS" << QStringList{"40", "20", "5.01"} << ""
                                                  << "txtownt";
        QTest::newRow("cold-formed corners too big") << "EN10219"
                                                     << "."
                                                     << "SHS" << QStringList{"50", "", "12"} << ""
                                                     << "txtownt";
        QTest::newRow("tube with a comma")
            << "IS"
            << ","
            << "CHS" << QStringList{"60,3", "", "3,2"} << "CHS:60.3x3.2"
            << "";
        QTest::newRow("point under a comma") << "IS"
                                             << ","
                                             << "CHS" << QStringList{"60.3", "", "3,2"} << ""
                                             << "txtownd";
        QTest::newRow("no thickness") << "IS"
                                      << "."
                                      << "RHS" << QStringList{"40", "20", ""} << ""
                                      << "txtownt";
    }
    void ownSizeBoxTakesWhatTheGeometryTakes() {
        QFETCH(QString, catalogue);
        QFETCH(QString, separator);
        QFETCH(QString, family);
        QFETCH(QStringList, typed);
        QFETCH(QString, added);
        QFETCH(QString, marked);
        SectionsPanel panel(separator);
        PanelState state = withColumns({});
        state.catalogue = catalogue;
        state.ownSizesOpen = true;
        panel.setState(state);
        panel.findChild<QComboBox*>(QStringLiteral("cmbownfamily"))->setCurrentText(family);
        const char* names[] = {"txtownd", "txtownb", "txtownt"};
        for (int i = 0; i < 3; ++i) {
            panel.findChild<QLineEdit*>(QString::fromLatin1(names[i]))->setText(typed[i]);
        }
        panel.findChild<QPushButton*>(QStringLiteral("cmdaddown"))->click();
        const auto* list = panel.findChild<QListWidget*>(QStringLiteral("lstown"));
        const auto* reason = panel.findChild<QLabel*>(QStringLiteral("lblownreason"));
        QCOMPARE(list->count(), added.isEmpty() ? 0 : 1);
        QCOMPARE(reason->isVisibleTo(&panel), added.isEmpty());
        if (!added.isEmpty()) {
            QCOMPARE(list->item(0)->text(), added);
            QCOMPARE(panel.state().ownSizes, QStringList{added});
            return;
        }
        QVERIFY(!reason->text().isEmpty());
        const auto* field = panel.findChild<QLineEdit*>(marked);
        QVERIFY(field->property("refused").toBool());
        QCOMPARE(field->accessibleDescription(), reason->text());
    }

    // What is saved is loaded, with its window geometry; a missing file gives the defaults
    // without a note.
    // The drawing's texts lie clear of each other and of the axes, inside the drawing: for
    // boxes and tubes, flat, tall, thick and thin, in mm and inches, at the drawing's size in
    // the window at 1240x720 and 800x600, and at 1400x900 at twice the scale (half the room).
    void drawingLabelsLieClear_data() {
        QTest::addColumn<DrawnSection>("section");
        QTest::addColumn<QSize>("size");
        const std::pair<const char*, DrawnSection> sections[] = {
            {"IS RHS 200x100x10", {SectionFamily::RHS, "200x100x10.0", 200, 100, 10, {}}},
            {"EN RHS 500x300x12.5",
             {SectionFamily::RHS, "500x300x12.5", 500, 300, 12.5, CornerRadii{18.75, 12.5}}},
            {"EN SHS 50x50x5", {SectionFamily::SHS, "50x50x5.0", 50, 50, 5, CornerRadii{10, 5}}},
            {"flat RHS 300x100x12",
             {SectionFamily::RHS, "RHS:100x300x12", 100, 300, 12, CornerRadii{36, 24}}},
            {"tall RHS 400x100x8",
             {SectionFamily::RHS, "RHS:400x100x8", 400, 100, 8, CornerRadii{20, 12}}},
            {"AISC RHS 8x4x1/4",
             {SectionFamily::RHS, "HSS8X4X1/4", 8, 4, 0.233, CornerRadii{0.466, 0.233},
              QStringLiteral("in")}},
            {"CHS 21.3x2.6", {SectionFamily::CHS, "21.3x2.6", 21.3, 21.3, 2.6, {}}},
            {"CHS 508x50", {SectionFamily::CHS, "508.0x50.0", 508, 508, 50, {}}},
        };
        const std::pair<const char*, QSize> sizes[] = {
            {"1240x720", {248, 640}}, {"800x600", {220, 500}}, {"1400x900 at 2x", {220, 340}}};
        for (const auto& [name, section] : sections) {
            for (const auto& [screen, size] : sizes) {
                QTest::addRow("%s, %s", name, screen) << section << size;
            }
        }
    }
    void drawingLabelsLieClear() {
        QFETCH(DrawnSection, section);
        QFETCH(QSize, size);
        SectionDrawing drawing(QStringLiteral(","));
        drawing.resize(size);
        drawing.setSection(section);
        const DrawingLayout layout = drawing.layout();
        // The title, D, t, four axis letters; B and the corner radii of a box.
        const bool tube = section.family == SectionFamily::CHS;
        QCOMPARE(layout.labels.size(), std::size_t(tube ? 7 : 9));
        QCOMPARE(layout.axes.size(), std::size_t{2});
        const QRectF widget(QPointF(0, 0), QSizeF(size));
        for (std::size_t i = 0; i < layout.labels.size(); ++i) {
            const DrawingLabel& label = layout.labels[i];
            QVERIFY2(!label.covered.isEmpty(), qPrintable(label.text));
            QVERIFY2(widget.contains(label.covered), qPrintable(label.text));
            for (std::size_t j = i + 1; j < layout.labels.size(); ++j) {
                QVERIFY2(!label.covered.intersects(layout.labels[j].covered),
                         qPrintable(label.text + QStringLiteral(" on ") + layout.labels[j].text));
            }
            for (const QLineF& axis : layout.axes) {
                // An axis is a line a pixel wide.
                const QRectF line =
                    QRectF(axis.p1(), axis.p2()).normalized().adjusted(-0.5, -0.5, 0.5, 0.5);
                QVERIFY2(!label.covered.intersects(line),
                         qPrintable(label.text + QStringLiteral(" on an axis")));
            }
        }
    }

    // The settings go whole through the one layer of file writes: a new folder is made, keys
    // this version does not write are kept, and a write that fails or a name that is no regular
    // file leaves what was there as it was.
    void settingsAreWrittenWholeOrNotAtAll_data() {
        QTest::addColumn<QByteArray>("earlier"); // "": no earlier file; "fifo": a FIFO
        QTest::addColumn<QString>("failing");    // the call that fails, if one does
        QTest::addColumn<bool>("saved");
        QTest::newRow("the first save, in a new folder") << QByteArray() << QString() << true;
        QTest::newRow("over a newer version's keys")
            << QByteArray("[General]\nfuture_key=kept\n\n[Later]\nsection=kept too\n") << QString()
            << true;
        QTest::newRow("the rename fails")
            << QByteArray("[General]\ncatalogue=EN10210\n") << "rename" << false;
        QTest::newRow("the folder cannot be made") << QByteArray() << "mkdir" << false;
        QTest::newRow("a FIFO at the name") << QByteArray("fifo") << QString() << false;
    }
    void settingsAreWrittenWholeOrNotAtAll() {
        QFETCH(QByteArray, earlier);
        QFETCH(QString, failing);
        QFETCH(bool, saved);
        const QTemporaryDir scratch;
        const QString file = scratch.filePath(QStringLiteral("new folder/kavrel-sections.ini"));
        if (!earlier.isEmpty()) {
            QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
        }
        if (earlier == "fifo") {
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        } else if (!earlier.isEmpty()) {
            QFile old(file);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(earlier);
        }
        struct Failing : FileSystem {
            QString call;
            int rename(const char* from, const char* to) override {
                return call == QLatin1String("rename") ? (errno = EIO, -1)
                                                       : FileSystem::rename(from, to);
            }
            int mkdir(const char* folder, mode_t mode) override {
                return call == QLatin1String("mkdir") ? (errno = EACCES, -1)
                                                      : FileSystem::mkdir(folder, mode);
            }
        } layer;
        layer.call = failing;
        const PanelState state = everyField();
        QCOMPARE(saveSettings(file, state, QByteArray("geometry"), &layer), saved);
        if (earlier == "fifo") {
            QVERIFY(QFileInfo(file).exists() && !QFileInfo(file).isFile());
        } else if (!saved && earlier.isEmpty()) {
            QVERIFY(!QFileInfo::exists(QFileInfo(file).absolutePath()));
        } else if (!saved) {
            QFile old(file);
            QVERIFY(old.open(QIODevice::ReadOnly));
            QCOMPARE(old.readAll(), earlier);
        } else {
            if (earlier.isEmpty()) {
                // A folder it makes is the user's alone, as the settings in it are.
                QCOMPARE(QFileInfo(QFileInfo(file).absolutePath()).permissions() &
                             (QFile::ReadGroup | QFile::ReadOther | QFile::ExeOther),
                         QFile::Permissions());
            }
            const SavedSettings read = loadSettings(file);
            QCOMPARE(read.state, state);
            QCOMPARE(read.geometry, QByteArray("geometry"));
            const QSettings kept(file, QSettings::IniFormat);
            if (earlier.contains("future_key")) {
                QCOMPARE(kept.value(QStringLiteral("future_key")).toString(),
                         QStringLiteral("kept"));
                QCOMPARE(kept.value(QStringLiteral("Later/section")).toString(),
                         QStringLiteral("kept too"));
            }
        }
        // Nothing is left beside the file: no draft, no temporary.
        QStringList left = QDir(QFileInfo(file).absolutePath())
                               .entryList(QDir::Files | QDir::Hidden | QDir::System);
        left.removeAll(QStringLiteral("kavrel-sections.ini"));
        QCOMPARE(left, QStringList{});
    }

    // The program's style is the one Qt chose but for the arrow of an overflowing menu bar,
    // which it draws rather than reads from a picture; the names are the program's.
    void theProgramsStyleDrawsTheOverflowArrow() {
        const QString chosen = QApplication::style()->name();
        setUpSectionsApplication();
        QCOMPARE(QApplication::applicationDisplayName(), QStringLiteral("Kavrel Sections"));
        auto* proxy = qobject_cast<QProxyStyle*>(QApplication::style());
        QVERIFY(proxy);
        QCOMPARE(proxy->baseStyle()->name(), chosen);
        for (const auto which : {QStyle::SP_ToolBarHorizontalExtensionButton,
                                 QStyle::SP_ToolBarVerticalExtensionButton}) {
            const QImage arrow =
                QApplication::style()->standardIcon(which).pixmap(16, 16).toImage();
            int drawn = 0;
            for (int y = 0; y < arrow.height(); ++y) {
                for (int x = 0; x < arrow.width(); ++x) {
                    drawn += qAlpha(arrow.pixel(x, y)) > 0 ? 1 : 0;
                }
            }
            QVERIFY2(drawn > 4 && drawn < 16 * 16 / 2, qPrintable(QString::number(drawn)));
        }
    }

    void settingsKeepThePanelsState_data() {
        QTest::addColumn<PanelState>("state");
        QTest::newRow("defaults") << PanelState{};
        QTest::newRow("every field") << everyField();
        PanelState otherCatalogue;
        otherCatalogue.catalogue = QStringLiteral("EN10219");
        otherCatalogue.ownSizes = {QStringLiteral("SHS:50x50x12")}; // IS computes it, EN10219 not
        QTest::newRow("own size of another catalogue") << otherCatalogue;
        QTest::newRow("a grade and a length") << designed();
        QTest::newRow("an IS grade, its route and TdRd") << designedIs();
        PanelState inches = withColumns({});
        inches.catalogue = QStringLiteral("AISC");
        inches.units = QStringLiteral("us");
        inches.ownSizes = {QStringLiteral("RHS:8x4x0.25")};
        inches.requirements = {{QStringLiteral("W"), QStringLiteral(">="), QStringLiteral("20.5")}};
        QTest::newRow("AISC in inches") << inches;
        PanelState metricAisc = inches;
        metricAisc.units = QStringLiteral("metric");
        metricAisc.ownSizes = {QStringLiteral("RHS:203.2x101.6x6.35")};
        QTest::newRow("AISC in metric units") << metricAisc;
    }
    void settingsKeepThePanelsState() {
        QFETCH(PanelState, state);
        const QString file = scratch_.filePath(QStringLiteral("settings.ini"));
        QFile::remove(file);
        const SavedSettings none = loadSettings(file);
        QCOMPARE(none.state, PanelState{});
        QVERIFY(none.note.isEmpty());
        const QByteArray geometry("\x01\x02geometry", 10);
        QVERIFY(saveSettings(file, state, geometry));
        const SavedSettings saved = loadSettings(file);
        QCOMPARE(saved.state, state);
        QCOMPARE(saved.geometry, geometry);
        QVERIFY2(saved.note.isEmpty(), qPrintable(saved.note));
    }
};

} // namespace kavrel

int runColumnChoiceTests(int argc, char** argv);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    kavrel::SectionsPartsTest test;
    const int parts = QTest::qExec(&test, argc, argv);
    return runColumnChoiceTests(argc, argv) != 0 ? 1 : parts;
}

#include "sections_parts_test.moc"
