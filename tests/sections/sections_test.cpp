// Kavrel Sections against the engine: its rows, sorting, export, copy, settings, bad input and
// the names a screen reader reads.
#include "open_columns.hpp"
#include "properties/number_text.hpp"
#include "sections/export_format.hpp"
#include "sections/requirement_model.hpp"
#include "sections/sections_settings.hpp"
#include "sections/sections_window.hpp"
#include "sections/sort_header.hpp"
#include "sections/table_printer.hpp"
#include "sheet/explain.hpp"
#include "table/section_table.hpp"
#include "table/table_columns.hpp"
#include "table/table_sizes.hpp"

#include "sections/column_labels.hpp"
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>

#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <sys/stat.h>

#include <numbers>

namespace kavrel {
namespace {

// Families RHS and CHS, Zxx >= 50 (typed with the window's separator), the true pi, sorted by
// descending W: the same request as kavrel-table --family RHS --family CHS --where 'Zxx>=50'
// --pi exact --sort -W.
PanelState sampleState(const QString& separator) {
    PanelState state;
    state.families = {QStringLiteral("RHS"), QStringLiteral("CHS")};
    state.requirements = {{QStringLiteral("Zxx"), QStringLiteral(">="), QStringLiteral("50")},
                          {QStringLiteral("A"), QStringLiteral(">"),
                           QStringLiteral("10") + separator + QStringLiteral("5")}};
    state.truePi = true;
    state.sort = QStringLiteral("-W");
    return state;
}

const TableRequest sampleRequest{
    .families = {SectionFamily::RHS, SectionFamily::CHS},
    .conditions = {{"Zxx", Comparison::AtLeast, 50}, {"A", Comparison::Above, 10.5}},
    .sort = SortKey{"W", true},
    .pi = std::numbers::pi};

QString written(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readAll())
                                        : QStringLiteral("<none>");
}

// The text of a PDF file, its pages separated by form feeds, as pdftotext (poppler-utils)
// reads it.
QString pdfText(const QString& file) {
    QProcess reader;
    reader.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, "-"});
    reader.waitForFinished(10000);
    return QString::fromUtf8(reader.readAllStandardOutput());
}

} // namespace

// The state in words, for a failed comparison.
char* toString(const PanelState& state) {
    QStringList requirements;
    for (const RequirementText& r : state.requirements) {
        requirements << r.column + r.comparison + r.number;
    }
    return QTest::toString(
        QStringList{state.catalogue, state.families.join(','), requirements.join(','),
                    state.truePi ? "exact" : "22/7", state.columns.join(','), state.sort,
                    state.ownSizes.join(','), state.columnsOpen ? "columns open" : "columns closed",
                    state.ownSizesOpen ? "own open" : "own closed"}
            .join(QStringLiteral(" | ")));
}

class SectionsTest : public QObject {
    Q_OBJECT

    QTemporaryDir scratch_;
    QString settings() const { return scratch_.filePath(QStringLiteral("settings.ini")); }

  private slots:
    void init() { QFile::remove(settings()); }

    // Each catalogue under each separator: the engine's rows, count and bytes for the request.
    void showsTheEnginesRowsAndExportsItsBytes() {
        for (const auto& [catalogue, separator] : {std::pair{Catalogue::IS, QStringLiteral(".")},
                                                   {Catalogue::IS, QStringLiteral(",")},
                                                   {Catalogue::EN10210, QStringLiteral(".")},
                                                   {Catalogue::EN10219, QStringLiteral(",")}}) {
            SectionsWindow window(settings(), separator);
            PanelState state = sampleState(separator);
            state.catalogue = QString::fromLatin1(describe(catalogue).name.data());
            window.panel().setState(state);
            window.refresh();
            TableRequest request = sampleRequest;
            request.catalogues = {catalogue};
            if (catalogue != Catalogue::IS) {
                request.pi.reset(); // the true pi, and no choice of it
            }
            const auto expected = std::get<TableRows>(tableRows(request));
            const TableRows& shown = window.model().rows();
            QCOMPARE(shown.columns, expected.columns);
            QCOMPARE(shown.rows.size(), expected.rows.size());
            QVERIFY(shown.rows.size() > 10);
            for (std::size_t i = 0; i < shown.rows.size(); ++i) {
                QCOMPARE(shown.rows[i].texts, expected.rows[i].texts);
            }
            QCOMPARE(window.model().data(window.model().index(0, 5), Qt::DisplayRole).toString(),
                     QString::fromStdString(expected.rows[0].texts[5]).replace('.', separator));
            QCOMPARE(
                window.findChild<QLabel*>(QStringLiteral("lblcount"))->text(),
                QStringLiteral("%1 of %2 sizes").arg(expected.rows.size()).arg(expected.sizeCount));
            QVERIFY(catalogue != Catalogue::IS || expected.sizeCount == 191);

            for (const TableFormat format :
                 {TableFormat::Csv, TableFormat::Json, TableFormat::Text}) {
                const QString file = scratch_.filePath(QStringLiteral("table"));
                QCOMPARE(window.exportTo(file, format), std::nullopt);
                request.format = format;
                QCOMPARE(written(file),
                         QString::fromStdString(std::get<std::string>(sectionTable(request))));
            }
        }
    }

    // AISC comes in its own US units: headers, tool tips with the AISC names, the drawing and
    // the own-size fields name them; US to metric converts a requirement exactly; Export writes
    // kavrel-table's bytes in both.
    void showsAiscInTheUnitsChosen() {
        SectionsWindow window(settings(), QStringLiteral(","));
        auto* catalogue = window.findChild<QComboBox*>(QStringLiteral("cmbcatalogue"));
        auto* units = window.findChild<QComboBox*>(QStringLiteral("cmbunits"));
        catalogue->setCurrentIndex(catalogue->findData(QStringLiteral("AISC")));
        QCOMPARE(window.panel().state().units, QStringLiteral("us"));
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdaddrequirement")),
                          Qt::LeftButton);
        auto* number = window.findChild<QLineEdit*>(QStringLiteral("txtreqnumber"));
        number->setText(QStringLiteral("20,5")); // W >= 20.5 lb/ft
        const QAbstractItemModel* requirements =
            window.findChild<QTableView*>(QStringLiteral("tblrequirements"))->model();
        QCOMPARE(requirements->index(0, RequirementModel::UnitField).data().toString(),
                 QStringLiteral("lb/ft"));
        QCOMPARE(number->accessibleDescription(), QStringLiteral("in lb/ft"));
        QCOMPARE(qobject_cast<QGroupBox*>(
                     window.findChild<QLabel*>(QStringLiteral("lblownreason"))->parentWidget())
                     ->title(),
                 QStringLiteral("Sizes of your own, in inches"));
        window.refresh();
        const auto header = [&window](const char* name, int role) {
            for (int c = 0; c < window.model().columnCount(); ++c) {
                if (columnName(window.model().engineColumn(c)) == QLatin1String(name)) {
                    return window.model().headerData(c, Qt::Horizontal, role).toString();
                }
            }
            return QString();
        };
        QCOMPARE(header("A", Qt::DisplayRole), QStringLiteral("A\nin²"));
        QVERIFY(header("Zxx", Qt::ToolTipRole).contains(QStringLiteral("AISC's Sx (elastic)")));
        QVERIFY(header("S", Qt::ToolTipRole).contains(QStringLiteral("not a section modulus")));
        TableRequest request{.conditions = {{"W", Comparison::AtLeast, 20.5}},
                             .catalogues = {Catalogue::AISC}};
        const auto exported = [&](TableRequest asked) {
            for (const TableFormat format :
                 {TableFormat::Csv, TableFormat::Json, TableFormat::Text}) {
                const QString file = scratch_.filePath(QStringLiteral("table"));
                QCOMPARE(window.exportTo(file, format), std::nullopt);
                asked.format = format;
                QCOMPARE(written(file),
                         QString::fromStdString(std::get<std::string>(sectionTable(asked))));
            }
        };
        exported(request);
        QVERIFY(written(scratch_.filePath(QStringLiteral("table"))).contains("lb/ft"));
        window.table().selectRow(0);
        QCOMPARE(window.drawing().section()->unit, QStringLiteral("in"));
        QVERIFY(window.copiedRows()
                    .section(QLatin1Char('\n'), 0, 0)
                    .contains(QStringLiteral("\tA (in^2)\tW (lb/ft)\t")));
        const double t = window.drawing().section()->thickness;
        QCOMPARE(window.drawing().section()->corners->outer, 2 * t);

        units->setCurrentIndex(units->findData(QStringLiteral("metric")));
        const double metric = convert(20.5, Quantity::Weight, UnitSystem::US, UnitSystem::Metric);
        const QModelIndex converted = requirements->index(0, RequirementModel::NumberField);
        QCOMPARE(*readNumber(converted.data().toString().replace(',', '.').toStdString()), metric);
        QCOMPARE(number->text(), converted.data().toString()); // the open field follows
        QCOMPARE(requirements->index(0, RequirementModel::UnitField).data().toString(),
                 QStringLiteral("kg/m"));
        window.refresh();
        QCOMPARE(header("A", Qt::DisplayRole), QStringLiteral("A\ncm²"));
        request.conditions = {{"W", Comparison::AtLeast, metric}};
        request.units = UnitSystem::Metric;
        exported(request);
        window.table().selectRow(0);
        QCOMPARE(window.drawing().section()->unit, QStringLiteral("mm"));
        // No design resistances for AISC, nor in US units.
        QVERIFY(!window.findChild<QComboBox*>(QStringLiteral("cmbgrade"))->isEnabled());
    }

    // A European catalogue offers no choice of pi, names itself in the print title and is
    // drawn with the corners of its geometry.
    void showsAEuropeanCatalogueAsItsGeometry() {
        for (const Catalogue catalogue : {Catalogue::EN10210, Catalogue::EN10219}) {
            SectionsWindow window(settings(), QStringLiteral("."));
            PanelState state;
            state.catalogue = QString::fromLatin1(describe(catalogue).name.data());
            window.panel().setState(state);
            window.refresh();
            QVERIFY(!window.findChild<QRadioButton*>(QStringLiteral("optpi227"))->isEnabled());
            QVERIFY(window.printedTable().title.startsWith(
                QString::fromLatin1(describe(catalogue).title.data())));
            window.table().selectRow(0); // the first RHS
            const auto& row = window.model().rows().rows[0].texts;
            const auto corners = window.drawing().section()->corners;
            const auto engine =
                cornerRadiiOf(formulaSetOf(catalogue, SectionFamily::RHS), *readNumber(row[4]));
            QVERIFY(row[0] == "RHS" && corners && engine);
            QCOMPARE(corners->outer, engine->outer);
            QCOMPARE(corners->inner, engine->inner);
        }
    }

    // The columns are as wide as the view's own measure of every cell makes them.
    void columnsFitTheirContents() {
        SectionsWindow window(settings(), QStringLiteral(","));
        PanelState every;
        for (const std::string_view name : columnNames) {
            every.columns << QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
        }
        // Sizes of one's own whose widest text is not the longest: "1" is narrower than "8".
        every.ownSizes = {QStringLiteral("RHS:1000x500x12.5"),  QStringLiteral("CHS:21.3x2"),
                          QStringLiteral("RHS:111.1x11.1x1.1"), QStringLiteral("SHS:88.8x88.8x8.8"),
                          QStringLiteral("CHS:1111x11.1"),      QStringLiteral("CHS:888x8.8")};
        for (const PanelState& state : {PanelState{}, every}) {
            window.panel().setState(state);
            window.refresh();
            QHeaderView* header = window.table().horizontalHeader();
            QList<int> fitted;
            for (int c = 0; c < header->count(); ++c) {
                fitted << header->sectionSize(c);
            }
            window.table().resizeColumnsToContents();
            for (int c = 0; c < header->count(); ++c) {
                QCOMPARE(header->sectionSize(c), fitted[c]);
            }
        }
    }

    // A click on a header sorts ascending, the next descending, as --sort does; a click on the
    // designation returns to the catalogue's order.
    void headerClicksSortAsTheEngineDoes() {
        SectionsWindow window(settings(), QStringLiteral("."));
        QHeaderView* header = window.table().horizontalHeader();
        const auto click = [&](int column) { emit header->sectionClicked(column); };
        const auto engine = [](std::optional<SortKey> sort) {
            return QString::fromStdString(std::get<std::string>(sectionTable({.sort = sort})));
        };
        const QString file = scratch_.filePath(QStringLiteral("sorted.csv"));
        const int ixx = 7;
        for (const auto& [column, sort] : {std::pair{ixx, std::optional<SortKey>{{"Ixx", false}}},
                                           std::pair{ixx, std::optional<SortKey>{{"Ixx", true}}},
                                           std::pair{1, std::optional<SortKey>{}}}) {
            click(column);
            QCOMPARE(window.exportTo(file, TableFormat::Csv), std::nullopt);
            QCOMPARE(written(file), engine(sort));
            QCOMPARE(header->isSortIndicatorShown(), sort.has_value());
        }
    }

    void copiesTheSelectedRowsWithTheUsersSeparator() {
        for (const auto& [separator, expected] :
             {std::pair{QStringLiteral("."),
                        QStringLiteral("designation\tA\tS\n50x25x2.0\t2.74\t.140\n"
                                       "50x25x3.2\t4.13\t.134\n")},
              std::pair{QStringLiteral(","),
                        QStringLiteral("designation\tA\tS\n50x25x2.0\t2,74\t,140\n"
                                       "50x25x3.2\t4,13\t,134\n")}}) {
            SectionsWindow window(settings(), separator);
            PanelState state;
            state.columns = {QStringLiteral("designation"), QStringLiteral("A"),
                             QStringLiteral("S")};
            window.panel().setState(state);
            window.refresh();
            window.table().selectionModel()->select(window.model().index(2, 0),
                                                    QItemSelectionModel::Select |
                                                        QItemSelectionModel::Rows);
            window.table().selectionModel()->select(window.model().index(0, 0),
                                                    QItemSelectionModel::Select |
                                                        QItemSelectionModel::Rows);
            QCOMPARE(window.copiedRows(), expected);
        }
    }

    // A key that does not read falls back to its default alone, named in the note, and the
    // file as it was is kept aside; the other keys are kept.
    void aBadSettingsKeyLosesOnlyItself() {
        const QByteArray good = "[General]\ncatalogue=EN10219\nfamilies=RHS, CHS\n"
                                "requirements=Zxx\\t>=\\t50\npi=exact\ncolumns=A, W\n"
                                "sort=-W\nown_sizes=RHS:100x50x4\ncolumns_open=true\n"
                                "own_sizes_open=false\n";
        // The state the good file gives, checked against what it says.
        const auto load = [this](const QByteArray& content) {
            QFile file(settings());
            file.open(QIODevice::WriteOnly | QIODevice::Truncate);
            file.write(content);
            file.close();
            return SectionsWindow(settings(), QStringLiteral(".")).panel().state();
        };
        const PanelState expected = load(good);
        QCOMPARE(expected.catalogue, QStringLiteral("EN10219"));
        QCOMPARE(expected.families, QStringList({QStringLiteral("RHS"), QStringLiteral("CHS")}));
        QCOMPARE(expected.requirements.size(), std::size_t{1});
        QVERIFY(expected.truePi);
        QVERIFY(expected.columns.mid(0, 2) ==
                QStringList({QStringLiteral("A"), QStringLiteral("W")}));
        QCOMPARE(expected.sort, QStringLiteral("-W"));
        QCOMPARE(expected.ownSizes, QStringList{QStringLiteral("RHS:100x50x4")});
        QVERIFY(expected.columnsOpen);
        QVERIFY(!expected.ownSizesOpen);
        // A file from before the sizes of one's own could be closed shows them where it has some.
        QVERIFY(load(QByteArray(good).replace("own_sizes_open=false\n", "")).ownSizesOpen);
        QVERIFY(!load("[General]\nown_sizes=\n").ownSizesOpen);
        const PanelState defaults = SectionsWindow().panel().state();
        const struct {
            const char* name;
            const char* line; // replaces the key's line
            void (*reset)(PanelState&, const PanelState&);
        } cases[] = {
            {"catalogue", "catalogue=EN10299",
             [](PanelState& s, const PanelState& d) { s.catalogue = d.catalogue; }},
            {"families", "families=RHS, XHS",
             [](PanelState& s, const PanelState& d) { s.families = d.families; }},
            {"requirements", "requirements=Zxx\\t>>\\t5",
             [](PanelState& s, const PanelState& d) { s.requirements = d.requirements; }},
            {"pi", "pi=3", [](PanelState& s, const PanelState& d) { s.truePi = d.truePi; }},
            {"columns", "columns=A, W, Q",
             [](PanelState& s, const PanelState& d) { s.columns = d.columns; }},
            {"sort", "sort=-designation",
             [](PanelState& s, const PanelState& d) { s.sort = d.sort; }},
            {"own_sizes", "own_sizes=RHS:50x50x20",
             [](PanelState& s, const PanelState& d) { s.ownSizes = d.ownSizes; }},
            {"columns_open", "columns_open=maybe",
             [](PanelState& s, const PanelState& d) { s.columnsOpen = d.columnsOpen; }},
            // Without a reading, open where there are sizes, as without the key.
            {"own_sizes_open", "own_sizes_open=maybe",
             [](PanelState& s, const PanelState&) { s.ownSizesOpen = !s.ownSizes.isEmpty(); }},
        };
        for (const auto& bad : cases) {
            QDir(scratch_.path()).removeRecursively();
            QDir().mkpath(scratch_.path());
            QByteArray content;
            for (const QByteArray& line : good.split('\n')) {
                content +=
                    line.startsWith(QByteArray(bad.name) + '=') ? QByteArray(bad.line) : line;
                content += '\n';
            }
            QFile file(settings());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(content);
            file.close();
            SectionsWindow window(settings(), QStringLiteral("."));
            PanelState shown = expected;
            bad.reset(shown, defaults);
            QCOMPARE(window.panel().state(), shown);
            const QString note = window.findChild<QLabel*>(QStringLiteral("lblnote"))->text();
            QVERIFY2(note.contains(QStringLiteral("(%1 in ").arg(QString::fromLatin1(bad.name))),
                     qPrintable(note));
            const QString aside = settings() + QStringLiteral(".unreadable");
            QVERIFY2(note.contains(aside), qPrintable(note));
            QFile kept(aside);
            QVERIFY(kept.open(QIODevice::ReadOnly));
            QCOMPARE(kept.readAll(), content);
        }
    }

    // A file that cannot be read at all, is no regular file (a FIFO would block start-up in
    // open) or is too large is renamed aside before anything is written over it.
    void anUnreadableSettingsFileIsSetAside() {
        const QByteArray garbage("\xff\xfe[Gen\0eral\n=\n\n[[", 17);
        for (const char* kind : {"garbage", "fifo", "huge"}) {
            QDir(scratch_.path()).removeRecursively();
            QDir().mkpath(scratch_.path());
            const QByteArray path = QFile::encodeName(settings());
            if (std::string_view(kind) == "fifo") {
                QCOMPARE(::mkfifo(path.constData(), 0600), 0);
            } else {
                QFile file(settings());
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(garbage);
                if (std::string_view(kind) == "huge") {
                    QVERIFY(file.resize(maximumSettingsBytes + 1));
                }
            }
            {
                SectionsWindow window(settings(), QStringLiteral("."));
                QCOMPARE(window.panel().state(), SectionsWindow().panel().state());
                QCOMPARE(window.model().rows().rows.size(), std::size_t{191});
                const QString note = window.findChild<QLabel*>(QStringLiteral("lblnote"))->text();
                const QString aside = settings() + QStringLiteral(".unreadable");
                QVERIFY2(note.contains(aside), kind);
                QVERIFY2(QFileInfo(aside).exists() || QFileInfo(aside).isSymLink(), kind);
                QVERIFY(window.saveSettingsNow());
            }
            QVERIFY2(QFileInfo(settings()).isFile(), kind); // a new file, the old one aside
            QVERIFY(QFileInfo(settings() + QStringLiteral(".unreadable")).size() >= 0);
        }
    }

    // What a window saves, the next one shows, without a note.
    void whatIsSavedComesBack() {
        PanelState saved;
        {
            SectionsWindow window(settings(), QStringLiteral(","));
            PanelState state = sampleState(QStringLiteral(","));
            state.catalogue = QStringLiteral("EN10219");
            window.panel().setState(state);
            saved = window.panel().state();
            QVERIFY(window.saveSettingsNow());
        }
        SectionsWindow again(settings(), QStringLiteral(","));
        QCOMPARE(again.panel().state(), saved);
        QCOMPARE(saved.requirements, sampleState(QStringLiteral(",")).requirements);
        QCOMPARE(saved.catalogue, QStringLiteral("EN10219"));
        QVERIFY(again.findChild<QLabel*>(QStringLiteral("lblnote"))->text().isEmpty());
    }

    // Refused input is marked with the engine's reason beside it; the table keeps its rows.
    // An own size is checked with the chosen catalogue's geometry: 12 mm walls fit the IS
    // corners of a 50 mm square but not the cold-formed ones.
    void refusesBadInputAndKeepsTheTable() {
        SectionsWindow window(settings(), QStringLiteral(","));
        const auto field = [&](const char* name) {
            return window.findChild<QLineEdit*>(QString::fromLatin1(name));
        };
        for (const auto& [catalogue, thickness] :
             {std::pair{Catalogue::IS, "20"}, std::pair{Catalogue::EN10219, "12"}}) {
            PanelState state;
            state.catalogue = QString::fromLatin1(describe(catalogue).name.data());
            window.panel().setState(state);
            window.refresh();
            const auto rowsBefore = window.model().rows().rows.size();
            for (const auto& [name, text] :
                 {std::pair{"txtownd", "50"}, {"txtownb", "50"}, {"txtownt", thickness}}) {
                field(name)->clear();
                QTest::keyClicks(field(name), QString::fromLatin1(text));
            }
            QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdaddown")),
                              Qt::LeftButton);
            const auto engine = std::get<TableError>(sizeOf("RHS:50x50x" + std::string(thickness),
                                                            std::array{catalogue}))
                                    .message;
            QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblownreason"))->text(),
                     QString::fromStdString(engine));
            QVERIFY(field("txtownt")->property("refused").toBool());
            // Only the field at fault: the wall, not the depth or width.
            QVERIFY(!field("txtownd")->property("refused").toBool());
            QVERIFY(!field("txtownb")->property("refused").toBool());
            QCOMPARE(field("txtownt")->text(), QString::fromLatin1(thickness));
            QCOMPARE(window.findChild<QListWidget*>(QStringLiteral("lstown"))->count(), 0);
            QCOMPARE(window.model().rows().rows.size(), rowsBefore);
        }
        // A number in a form the fields do not take: that field alone, and the form said.
        for (const char* typed : {"1e308", "2.5"}) {
            field("txtownd")->setText(QStringLiteral("100"));
            field("txtownb")->setText(QString::fromLatin1(typed));
            field("txtownt")->setText(QStringLiteral("4"));
            QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdaddown")),
                              Qt::LeftButton);
            QVERIFY(field("txtownb")->property("refused").toBool());
            QVERIFY(!field("txtownd")->property("refused").toBool());
            QVERIFY(!field("txtownt")->property("refused").toBool());
            QVERIFY2(window.findChild<QLabel*>(QStringLiteral("lblownreason"))
                         ->text()
                         .contains(QStringLiteral("\",\" as the decimal separator")),
                     typed);
        }
        QVERIFY(
            std::holds_alternative<TableSize>(sizeOf("RHS:50x50x12", std::array{Catalogue::IS})));
        const auto rowsBefore = window.model().rows().rows.size();

        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdaddrequirement")),
                          Qt::LeftButton);
        field("txtreqnumber")->setText(QStringLiteral("5.5"));
        QVERIFY(field("txtreqnumber")->property("refused").toBool());
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("lblreqreason"))->text(),
                 QStringLiteral("Requirement 1: \"5.5\" is not a number"));
        QCOMPARE(window.model().rows().rows.size(), rowsBefore);
        QVERIFY(window.findChild<QLabel*>(QStringLiteral("lblcount"))->text().contains("5.5"));
    }

    // Export never leaves a part: a target that cannot be replaced stays as it was.
    void exportFailureLeavesTheTargetAlone() {
        SectionsWindow window(settings(), QStringLiteral("."));
        const QTemporaryDir folder;
        QDir(folder.path()).mkpath(QStringLiteral("target/inside"));
        const QString target = folder.filePath(QStringLiteral("target"));
        QVERIFY(window.exportTo(target, TableFormat::Csv).has_value());
        QVERIFY(QFileInfo(target).isDir());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
    }

    // A name typed without its suffix names the file with it: replacing an existing one is
    // asked first, and No leaves it as it was.
    void exportAsksBeforeReplacingTheFileWithTheSuffix() {
        SectionsWindow window(settings(), QStringLiteral("."));
        const QTemporaryDir folder;
        const QString target = folder.filePath(QStringLiteral("table.csv"));
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("an earlier table\n");
        old.close();
        bool asked = false;
        bool named = false;
        QTimer answer;
        answer.setInterval(20);
        connect(&answer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && !named) {
                named = true;
                // Typed as a user types it: the name alone, in the folder shown.
                dialog->selectNameFilter(QStringLiteral("CSV (*.csv)"));
                dialog->setDirectory(folder.path());
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                    ->setText(QStringLiteral("table"));
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            } else if (auto* again = qobject_cast<QFileDialog*>(modal)) {
                again->reject(); // the name was not taken: fail, do not hang
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                asked = box->objectName() == QStringLiteral("exportreplace") &&
                        box->text().contains(QStringLiteral("table.csv"));
                box->button(QMessageBox::No)->click();
            }
        });
        answer.start();
        window.findChild<QAction*>(QStringLiteral("actexport"))->trigger();
        answer.stop();
        QVERIFY(asked);
        QCOMPARE(written(target), QStringLiteral("an earlier table\n"));
    }

    // Printed to a PDF file and read back: every page has the title line and the column
    // headers, and every row is printed once, in order.
    void printsTheTitleAndHeadersOnEveryPage() {
        SectionsWindow window(settings(), QStringLiteral("."));
        const PrintedTable table = window.printedTable();
        const QString pdf = scratch_.filePath(QStringLiteral("table.pdf"));
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QVERIFY(printTable(printer, table));
        QStringList pages = pdfText(pdf).split('\f');
        pages.removeAll(QString());
        QVERIFY2(pages.size() >= 3, "no pages read: is pdftotext (poppler-utils) there?");
        QStringList printed;
        for (qsizetype p = 0; p < pages.size(); ++p) {
            const QString page = pages[p].simplified();
            QVERIFY(page.startsWith(
                table.title + QStringLiteral(" (page %1 of %2)").arg(p + 1).arg(pages.size())));
            for (const QString& header : table.headers) {
                QVERIFY2(page.contains(header.section(' ', 0, 0) + ' '), qPrintable(header));
            }
            for (const QString& line : pages[p].split('\n')) {
                if (const QString first = line.section(' ', 0, 0, QString::SectionSkipEmpty);
                    first == "RHS" || first == "SHS" || first == "CHS") {
                    printed << line.section(' ', 1, 1, QString::SectionSkipEmpty);
                }
            }
        }
        QStringList shown;
        for (const QStringList& row : table.rows) {
            shown << row[1];
        }
        QCOMPARE(printed, shown);
    }

    // Tab reaches every control and comes back to the first; access keys reach the table and
    // the fields their labels name.
    void everyControlIsReachedByKeyboard_data() {
        QTest::addColumn<bool>("open"); // the choice of columns and the sizes of one's own
        QTest::newRow("sections closed") << false;
        QTest::newRow("sections open") << true;
    }
    void everyControlIsReachedByKeyboard() {
        QFETCH(bool, open);
        SectionsWindow window(settings(), QStringLiteral("."));
        PanelState restored; // rows restored at once take their place in the order too
        restored.requirements = {{QStringLiteral("A"), QStringLiteral(">"), QStringLiteral("1")},
                                 {QStringLiteral("W"), QStringLiteral("<"), QStringLiteral("900")}};
        window.panel().setState(restored);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.table().selectRow(0); // Show working takes a selected size
        if (open) {
            openColumnChoice(window);
            openOwnSizes(window);
        }
        QSet<QWidget*> controls;
        for (QWidget* widget : window.findChildren<QWidget*>()) {
            // Of a group of radio buttons Tab reaches the chosen one, the arrows the others.
            const auto* radio = qobject_cast<QRadioButton*>(widget);
            if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(&window) &&
                widget->isEnabled() && !widget->objectName().startsWith(QStringLiteral("qt_")) &&
                (!radio || radio->isChecked())) {
                controls.insert(widget);
            }
        }
        QVERIFY(controls.size() > (open ? 40 : 15));
        QWidget* first = window.panel().firstControl();
        first->setFocus();
        QSet<QWidget*> reached;
        QList<QWidget*> visited;
        for (int presses = 0; presses < 2 * controls.size(); ++presses) {
            reached.insert(QApplication::focusWidget());
            visited << QApplication::focusWidget();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            if (QApplication::focusWidget() == first) {
                break;
            }
        }
        QCOMPARE(QApplication::focusWidget(), first);
        for (QWidget* control : controls) {
            QVERIFY2(reached.contains(control), qPrintable(control->objectName()));
        }
        // The requirements, one stop, between the pi choice and their buttons.
        const auto at = [&](const char* name) {
            return visited.indexOf(window.findChild<QWidget*>(QString::fromLatin1(name)));
        };
        QVERIFY(at("optpi227") >= 0);
        QVERIFY(at("optpi227") < at("tblrequirements"));
        QVERIFY(at("tblrequirements") < at("cmdaddrequirement"));
        QVERIFY(at("cmdaddrequirement") < at("cmdcolumns"));
        // The choice of columns after the sort order, the sizes of one's own after it, each
        // section's controls (when open) under its header.
        QVERIFY(at("chkdescending") < at("cmdcolumns"));
        QCOMPARE(at("chkcolfamily") > at("cmdcolumns"), open);
        QVERIFY(at("cmdcolumns") < at("cmdown"));
        QCOMPARE(at("chkcolfamily") >= 0 && at("chkcolfamily") < at("cmdown"), open);
        QCOMPARE(at("cmbownfamily") > at("cmdown"), open);
        QVERIFY(at("cmdown") < at("tblsections"));
        QCOMPARE(at("cmdremoveown") >= 0 && at("cmdremoveown") < at("tblsections"), open);
        for (const auto& [key, name] : {std::pair{Qt::Key_N, "tblsections"},
                                        {Qt::Key_C, "cmbcatalogue"},
                                        {Qt::Key_T, "optpiexact"},
                                        {Qt::Key_O, "cmbsort"}}) {
            QTest::keyClick(&window, key, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
        }
        // The sizes of one's own: their header's key opens them where they are closed.
        if (!open) {
            QTest::keyClick(&window, Qt::Key_Z, Qt::AltModifier);
            QTRY_VERIFY(window.panel().ownSizesOpen());
            QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmdown"));
        }
        QTest::keyClick(&window, Qt::Key_Y, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("cmbownfamily"));
    }

    // Show working opens the engine's sheet of the selected size, with the shown catalogue and
    // pi, a size of one's own too, and prints it; with nothing selected there is none.
    void showsTheWorkingOfTheSelectedSize() {
        for (const auto& [catalogue, truePi, own] :
             {std::tuple{Catalogue::EN10210, false, QString()},
              std::tuple{Catalogue::IS, true, QStringLiteral("RHS:100x50x4")}}) {
            SectionsWindow window(settings(), QStringLiteral("."));
            PanelState state;
            state.catalogue = QString::fromLatin1(describe(catalogue).name.data());
            state.truePi = truePi;
            if (!own.isEmpty()) {
                state.ownSizes = {own};
            }
            window.panel().setState(state);
            window.refresh();
            QCOMPARE(window.showWorking(), nullptr);
            const int row = own.isEmpty() ? 0 : window.model().rowCount() - 1;
            window.table().selectRow(row);
            const std::string size = window.model().rows().rows[std::size_t(row)].texts[1];
            WorkingWindow* working = window.showWorking();
            QVERIFY(working);
            const TableRequest request{.pi =
                                           truePi ? std::optional(std::numbers::pi) : std::nullopt,
                                       .catalogues = {catalogue}};
            QTextDocument expected;
            expected.setHtml(
                QString::fromStdString(sheetOf(request, size, SheetFormat::Html).bytes));
            QVERIFY(expected.toPlainText().contains(QString::fromStdString(size)));
            QCOMPARE(working->text(), expected.toPlainText());
            if (!own.isEmpty()) {
                const QString pdf = scratch_.filePath(QStringLiteral("working.pdf"));
                QPrinter printer;
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(pdf);
                // The form fills the head; every printed page names the size and the page.
                working->fields()[0]->setText(QStringLiteral("Hall 3"));
                emit working->fields()[0]->editingFinished();
                QVERIFY(working->text().contains(QStringLiteral("Hall 3")));
                QVERIFY(working->printTo(printer));
                const QString printed = pdfText(pdf);
                QVERIFY(printed.simplified().contains("Calculation sheet of " + own));
                const QStringList pages = printed.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
                QVERIFY(pages.size() >= 2);
                for (int p = 0; p < pages.size(); ++p) {
                    QVERIFY2(pages[p].contains(QStringLiteral("%1, page %2 of %3")
                                                   .arg(own)
                                                   .arg(p + 1)
                                                   .arg(pages.size())),
                             qPrintable(pages[p].left(200)));
                }
            }
        }
    }

    // Switching the catalogue under an own size its corners do not take: the table, the
    // drawing and Print follow the chooser, the own size is marked in its list and named under
    // the table, and kept; a restart shows the same.
    void theTableFollowsTheCatalogueChosen() {
        PanelState state;
        state.ownSizes = {QStringLiteral("RHS:50x50x12")}; // IS corners 2t, t: fits; EN 10219: not
        const QString refused = QString::fromStdString(
            std::get<TableError>(sizeOf("RHS:50x50x12", std::array{Catalogue::EN10219})).message);
        const auto expectEn10219 = [&refused](SectionsWindow& window) {
            const auto expected =
                std::get<TableRows>(tableRows({.catalogues = {Catalogue::EN10219}}));
            QCOMPARE(window.model().rows().rows.size(), expected.rows.size());
            QVERIFY(std::ranges::none_of(window.model().rows().rows, &ShownRow::own));
            auto* list = window.findChild<QListWidget*>(QStringLiteral("lstown"));
            QCOMPARE(list->count(), 1);
            QVERIFY2(list->item(0)->text().contains(refused), qPrintable(list->item(0)->text()));
            QVERIFY(
                window.findChild<QLabel*>(QStringLiteral("lblcount"))->text().contains(refused));
            QVERIFY(window.printedTable().title.startsWith(
                QString::fromLatin1(describe(Catalogue::EN10219).title.data())));
            window.table().selectRow(0);
            const auto corners = window.drawing().section()->corners;
            const auto engine = cornerRadiiOf(formulaSetOf(Catalogue::EN10219, SectionFamily::RHS),
                                              *readNumber(window.model().rows().rows[0].texts[4]));
            QVERIFY(corners && engine);
            QCOMPARE(corners->outer, engine->outer);
            QCOMPARE(window.panel().state().ownSizes, QStringList{QStringLiteral("RHS:50x50x12")});
            // Closed, their header still says that one is left out.
            QCOMPARE(window.findChild<QToolButton*>(QStringLiteral("cmdown"))->accessibleName(),
                     QStringLiteral("Sizes of your own: 1, 1 left out"));
        };
        {
            SectionsWindow window(settings(), QStringLiteral("."));
            window.panel().setState(state);
            window.refresh();
            QCOMPARE(window.model().rows().rows.back().texts[1], "RHS:50x50x12");
            auto* chooser = window.findChild<QComboBox*>(QStringLiteral("cmbcatalogue"));
            chooser->setCurrentIndex(chooser->findData(QStringLiteral("EN10219")));
            expectEn10219(window);
            QVERIFY(window.saveSettingsNow());
        }
        SectionsWindow again(settings(), QStringLiteral("."));
        expectEn10219(again);
        auto* chooser = again.findChild<QComboBox*>(QStringLiteral("cmbcatalogue"));
        chooser->setCurrentIndex(chooser->findData(QStringLiteral("IS")));
        QCOMPARE(again.model().rows().rows.back().texts[1], "RHS:50x50x12");
        QVERIFY(!again.findChild<QListWidget*>(QStringLiteral("lstown"))
                     ->item(0)
                     ->text()
                     .contains(refused));
        QCOMPARE(again.findChild<QToolButton*>(QStringLiteral("cmdown"))->accessibleName(),
                 QStringLiteral("Sizes of your own: 1"));
    }

    // Remove and Delete take the chosen requirements away, and the table follows.
    void removesTheChosenRequirements_data() {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("Remove requirement") << false;
        QTest::newRow("Delete") << true;
    }
    void removesTheChosenRequirements() {
        QFETCH(bool, byKey);
        SectionsWindow window(settings(), QStringLiteral("."));
        PanelState state;
        state.requirements = {{QStringLiteral("A"), QStringLiteral(">"), QStringLiteral("1")},
                              {QStringLiteral("W"), QStringLiteral("<"), QStringLiteral("x")},
                              {QStringLiteral("Zxx"), QStringLiteral(">="), QStringLiteral("50")}};
        window.panel().setState(state);
        window.refresh();
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* view = window.findChild<QTableView*>(QStringLiteral("tblrequirements"));
        auto* remove = window.findChild<QPushButton*>(QStringLiteral("cmdremoverequirement"));
        QVERIFY(!remove->isEnabled());
        QCOMPARE(window.shownRequest().conditions.size(), std::size_t{2});
        view->selectionModel()->select(
            QItemSelection(view->model()->index(0, 0), view->model()->index(1, 0)),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        QVERIFY(remove->isEnabled());
        if (byKey) {
            view->setFocus();
            QTest::keyClick(view, Qt::Key_Delete);
        } else {
            QTest::mouseClick(remove, Qt::LeftButton);
        }
        QCOMPARE(window.panel().state().requirements,
                 std::vector<RequirementText>{state.requirements[2]});
        QCOMPARE(window.shownRequest().conditions.size(), std::size_t{1});
        QVERIFY(
            !window.findChild<QLabel*>(QStringLiteral("lblcount"))->text().contains("not applied"));
        QVERIFY(!window.findChild<QLabel*>(QStringLiteral("lblreqreason"))->isVisibleTo(&window));
        // The last one removed, the line saying there are none is back in the list's place.
        auto* none = window.findChild<QLabel*>(QStringLiteral("lblnorequirements"));
        QVERIFY(!none->isVisibleTo(&window));
        view->selectRow(0);
        QTest::mouseClick(remove, Qt::LeftButton);
        QVERIFY(window.panel().state().requirements.empty());
        QVERIFY(none->isVisibleTo(&window) && !view->isVisibleTo(&window));
        QVERIFY(!remove->isEnabled());
        QCOMPARE(QApplication::focusWidget(),
                 window.findChild<QPushButton*>(QStringLiteral("cmdaddrequirement")));
    }

    // Without requirements a line says so; the list is made with the first one, where the line
    // was, and the panel keeps its width.
    void theListOfRequirementsComesWithTheFirst() {
        SectionsWindow window(settings(), QStringLiteral("."));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* none = window.findChild<QLabel*>(QStringLiteral("lblnorequirements"));
        QVERIFY(none->isVisible());
        QCOMPARE(none->text(), QStringLiteral("None: every size is shown."));
        QVERIFY(!window.findChild<QTableView*>(QStringLiteral("tblrequirements")));
        const int panelWidth = window.panel().sizeHint().width();
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdaddrequirement")),
                          Qt::LeftButton);
        auto* view = window.findChild<QTableView*>(QStringLiteral("tblrequirements"));
        QVERIFY(view && view->isVisible() && !none->isVisible());
        QCOMPARE(window.panel().sizeHint().width(), panelWidth);
        QCOMPARE(window.panel().state().requirements.size(), std::size_t{1});
    }

    // A requirement without a number yet is marked and ignored; the others apply, and it
    // applies once it reads.
    void anUnfinishedRequirementIsIgnoredUntilItReads() {
        SectionsWindow window(settings(), QStringLiteral(","));
        PanelState state;
        state.requirements = {{QStringLiteral("A"), QStringLiteral(">"), QStringLiteral("10")},
                              {QStringLiteral("W"), QStringLiteral(">="), QString()}};
        window.panel().setState(state);
        window.refresh();
        const auto rowsOf = [](const TableRequest& request) {
            return std::get<TableRows>(tableRows(request)).rows.size();
        };
        QCOMPARE(window.model().rows().rows.size(),
                 rowsOf({.conditions = {{"A", Comparison::Above, 10}}}));
        auto* view = window.findChild<QTableView*>(QStringLiteral("tblrequirements"));
        const QModelIndex unfinished = view->model()->index(1, RequirementModel::NumberField);
        QCOMPARE(view->model()->rowCount(), 2);
        QVERIFY(unfinished.data(RequirementModel::RefusedRole).toBool());
        QVERIFY(!view->model()
                     ->index(0, RequirementModel::NumberField)
                     .data(RequirementModel::RefusedRole)
                     .toBool());
        QVERIFY(unfinished.data(Qt::ToolTipRole).toString().contains("not a number"));
        QVERIFY(
            window.findChild<QLabel*>(QStringLiteral("lblcount"))->text().contains("not applied"));
        view->setCurrentIndex(unfinished);
        view->edit(unfinished);
        auto* number = window.findChild<QLineEdit*>(QStringLiteral("txtreqnumber"));
        QVERIFY(number);
        QVERIFY(number->property("refused").toBool());
        QTest::keyClicks(number, QStringLiteral("20,5"));
        QCOMPARE(window.model().rows().rows.size(),
                 rowsOf({.conditions = {{"A", Comparison::Above, 10},
                                        {"W", Comparison::AtLeast, 20.5}}}));
        QVERIFY(!unfinished.data(RequirementModel::RefusedRole).toBool());
        QVERIFY(!number->property("refused").toBool());
        QCOMPARE(window.panel().state().requirements[1].number, QStringLiteral("20,5"));
    }

    // Greyed for a European catalogue, the pi choice shows the true pi in use; the IS choice
    // comes back with IS.
    void thePiShownIsThePiUsed() {
        SectionsWindow window(settings(), QStringLiteral("."));
        auto* chooser = window.findChild<QComboBox*>(QStringLiteral("cmbcatalogue"));
        auto* fraction = window.findChild<QRadioButton*>(QStringLiteral("optpi227"));
        auto* exact = window.findChild<QRadioButton*>(QStringLiteral("optpiexact"));
        QVERIFY(fraction->isChecked());
        chooser->setCurrentIndex(chooser->findData(QStringLiteral("EN10210")));
        QVERIFY(exact->isChecked() && !exact->isEnabled());
        QVERIFY(!window.panel().state().truePi);
        chooser->setCurrentIndex(chooser->findData(QStringLiteral("IS")));
        QVERIFY(fraction->isChecked() && fraction->isEnabled());
        QCOMPARE(window.shownRequest().pi, std::optional(fractionPi));
    }

    // Show working is greyed until a size is selected; a change of request keeps every
    // selected size that is still shown.
    void selectionDrivesShowWorkingAndSurvivesARequest() {
        SectionsWindow window(settings(), QStringLiteral("."));
        auto* button = window.findChild<QPushButton*>(QStringLiteral("cmdworking"));
        QVERIFY(!button->isEnabled());
        QVERIFY(!window.findChild<QAction*>(QStringLiteral("actworking"))->isEnabled());
        const auto select = QItemSelectionModel::Select | QItemSelectionModel::Rows;
        QSet<std::string> chosen;
        for (const int row : {2, 5, 40}) {
            window.table().selectionModel()->select(window.model().index(row, 0), select);
            chosen.insert(window.model().rows().rows[std::size_t(row)].texts[1]);
        }
        window.table().selectionModel()->setCurrentIndex(window.model().index(40, 0),
                                                         QItemSelectionModel::NoUpdate);
        QVERIFY(button->isEnabled());
        window.panel().sortBy(QStringLiteral("W"));
        QSet<std::string> kept;
        for (const QModelIndex& index : window.table().selectionModel()->selectedRows()) {
            kept.insert(window.model().rows().rows[std::size_t(index.row())].texts[1]);
        }
        QCOMPARE(kept, chosen);
        QVERIFY(button->isEnabled());
    }

    // The format comes from a typed ending, else from the filter; through the dialog too.
    void exportTakesTheFormatOfTheTypedEnding() {
        const struct {
            const char* typed;
            const char* filter;
            TableFormat format;
            const char* written;
        } cases[] = {
            {"t.json", "CSV (*.csv)", TableFormat::Json, "t.json"},
            {"t.TXT", "JSON (*.json)", TableFormat::Text, "t.TXT"},
            {"t", "JSON (*.json)", TableFormat::Json, "t.json"},
            {"t.data", "Text (*.txt)", TableFormat::Text, "t.data"},
            {"t.csv", "Text (*.txt)", TableFormat::Csv, "t.csv"},
        };
        for (const auto& c : cases) {
            const ExportFormat& format =
                exportFormatOf(QString::fromLatin1(c.typed), QString::fromLatin1(c.filter));
            QVERIFY2(format.format == c.format, c.typed);
            QCOMPARE(exportFileName(QString::fromLatin1(c.typed), format),
                     QString::fromLatin1(c.written));
        }
        SectionsWindow window(settings(), QStringLiteral("."));
        const QString file = scratch_.filePath(QStringLiteral("table.json"));
        QTimer::singleShot(0, [&file] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->selectNameFilter(QStringLiteral("CSV (*.csv)"));
            dialog->selectFile(file);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        window.findChild<QAction*>(QStringLiteral("actexport"))->trigger();
        QCOMPARE(written(file), QString::fromStdString(std::get<std::string>(
                                    sectionTable({.format = TableFormat::Json}))));
    }

    // With a sort, the columns are as wide as without one, but for the sorted column's
    // indicator; the indicator points up for an ascending sort.
    void aSortWidensOnlyItsColumn() {
        SectionsWindow window(settings(), QStringLiteral("."));
        window.show();
        QHeaderView* header = window.table().horizontalHeader();
        QList<int> plain;
        for (int c = 0; c < header->count(); ++c) {
            plain << header->sectionSize(c);
        }
        PanelState sorted;
        sorted.sort = QStringLiteral("W");
        sorted.columns = {QStringLiteral("A"), QStringLiteral("W"), QStringLiteral("Ixx")};
        window.panel().setState(sorted);
        window.refresh();
        sorted.columns.clear();
        window.panel().setState(sorted); // the default columns again, fitted under the sort
        window.refresh();
        const int w = 6; // family, designation, depth, width, thickness, A, W
        QCOMPARE(header->sortIndicatorSection(), w);
        for (int c = 0; c < header->count(); ++c) {
            if (c != w) {
                QCOMPARE(header->sectionSize(c), plain[c]);
            }
        }
        QVERIFY(header->sectionSize(w) >= plain[w]);
        QVERIFY(header->sectionSize(w) < plain[w] + 40);
        auto* sortHeader = qobject_cast<SortHeader*>(header);
        QVERIFY(sortHeader);
        QCOMPARE(sortHeader->shownIndicator(w), QStyleOptionHeader::SortUp);
    }

    // Scrolled sideways, the designation stays in view over the table's left edge, its rows
    // the table's rows.
    void theDesignationStaysInView() {
        SectionsWindow window(settings(), QStringLiteral("."));
        PanelState every;
        every.columns = {QStringLiteral("family"), QStringLiteral("designation")};
        for (std::size_t i = 2; i < columnCount; ++i) {
            every.columns << columnName(i);
        }
        window.panel().setState(every);
        window.refresh();
        window.resize(800, 600);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTableView& table = window.table();
        table.horizontalScrollBar()->setValue(table.horizontalScrollBar()->maximum());
        QVERIFY(table.horizontalScrollBar()->maximum() > 0);
        auto* frozen = window.findChild<QTableView*>(QStringLiteral("tblfrozen"));
        QVERIFY(frozen && frozen->isVisible());
        QVERIFY(!frozen->isColumnHidden(1) && frozen->isColumnHidden(2));
        QCOMPARE(frozen->columnWidth(1), table.columnWidth(1));
        QCOMPARE(frozen->width(), table.columnWidth(0) + table.columnWidth(1));
        table.verticalScrollBar()->setValue(20);
        QCOMPARE(frozen->rowAt(frozen->viewport()->height() / 2),
                 table.rowAt(table.viewport()->height() / 2));
        QCOMPARE(frozen->focusPolicy(), Qt::NoFocus);
    }

    // A long note under the table and a long own-size error wrap where they are, in the
    // window on the offscreen 800x600 screen: neither widens the panel or the window.
    void longTextsWrapWhereTheyAre_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("typed"); // into the own-size depth; empty: a bad settings key
        QTest::addColumn<QString>("within");
        const QString words = QStringLiteral("settings of a project with a rather long name");
        const QString path =
            QString(120, QLatin1Char('p')) + QLatin1Char('/') + QString(120, QLatin1Char('q'));
        QTest::newRow("the note under the table")
            << QStringLiteral("lblnote") << QString() << words;
        QTest::newRow("the note naming a long path")
            << QStringLiteral("lblnote") << QString() << path;
        QTest::newRow("a long own-size error")
            << QStringLiteral("lblownreason")
            << QStringLiteral("one hundred and twenty five point four millimetres, as measured")
            << words;
        QTest::newRow("an own-size error with a long word")
            << QStringLiteral("lblownreason") << QString(300, QLatin1Char('9')) + QLatin1Char('.')
            << words;
    }
    void longTextsWrapWhereTheyAre() {
        QFETCH(QString, label);
        QFETCH(QString, typed);
        QFETCH(QString, within);
        // A settings file in a folder of a long name, with a key that does not read: the note
        // names the key and the file twice.
        const QString folder = scratch_.filePath(within);
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + QStringLiteral("/kavrel-sections.ini");
        {
            QFile settings(file);
            QVERIFY(settings.open(QIODevice::WriteOnly));
            settings.write(typed.isEmpty() ? "[General]\npi=3\n"
                                           : "[General]\nown_sizes_open=true\n");
        }
        SectionsWindow window(file, QStringLiteral("."));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect screen = window.screen()->availableGeometry();
        const int windowWidth = window.width();
        auto* scroll = qobject_cast<QScrollArea*>(window.panel().parentWidget()->parentWidget());
        QVERIFY(scroll);
        const int panelWidth = scroll->width();
        const int panelInside = window.panel().width();
        if (!typed.isEmpty()) {
            window.findChild<QLineEdit*>(QStringLiteral("txtownd"))->setText(typed);
            window.findChild<QLineEdit*>(QStringLiteral("txtownb"))->setText(QStringLiteral("50"));
            window.findChild<QLineEdit*>(QStringLiteral("txtownt"))->setText(QStringLiteral("5"));
            QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdaddown")),
                              Qt::LeftButton);
        }
        QApplication::processEvents();
        auto* shown = window.findChild<QLabel*>(label);
        QVERIFY(shown->isVisible());
        const bool words = !typed.contains(QLatin1Char('9')) && within.contains(QLatin1Char(' '));
        if (!typed.isEmpty() && words) {
            QVERIFY2(shown->text().startsWith(QLatin1Char('"') + typed + QLatin1Char('"')),
                     qPrintable(shown->text()));
            QVERIFY2(shown->text().endsWith(QStringLiteral("such as 12.5")),
                     qPrintable(shown->text()));
        }
        const int oneLine = shown->fontMetrics().horizontalAdvance(shown->text());
        QVERIFY2(oneLine > windowWidth, qPrintable(shown->text())); // it has to wrap
        QCOMPARE(window.width(), windowWidth);
        QCOMPARE(scroll->width(), panelWidth);
        QVERIFY(window.minimumSizeHint().width() <= screen.width());
        QCOMPARE(window.panel().width(), panelInside);
        QVERIFY(shown->width() <= (typed.isEmpty() ? window.width() : panelInside));
        if (words) {
            // Words wrap onto lines of their own; one word longer than the line is cut instead.
            QVERIFY(shown->height() >= 2 * shown->fontMetrics().lineSpacing());
        }
    }

    // The first size fits the screen's room (the offscreen screen is 800x600), at most 1240x720.
    void opensAtASizeThatFitsTheScreen() {
        const QSize room = QGuiApplication::primaryScreen()->availableGeometry().size();
        SectionsWindow window(settings(), QStringLiteral("."));
        QVERIFY(window.width() <= std::min(room.width(), 1240));
        QVERIFY(window.height() <= std::min(room.height(), 720));
        QCOMPARE(initialSize(QSize(800, 600)).boundedTo(QSize(800, 600)),
                 initialSize(QSize(800, 600)));
        QCOMPARE(initialSize(QSize(2560, 1440)), QSize(1240, 720));
    }

    // Escape closes the working window; the name Print offers keeps every decimal.
    void theWorkingWindowClosesOnEscape() {
        SectionsWindow window(settings(), QStringLiteral("."));
        window.table().selectRow(0);
        QPointer<WorkingWindow> working = window.showWorking();
        QVERIFY(working);
        QVERIFY(QTest::qWaitForWindowExposed(working));
        QTest::keyClick(working, Qt::Key_Escape);
        QTRY_VERIFY(!working);
        QCOMPARE(printedDocumentName(QStringLiteral("Working of 500x300x12.5")),
                 QStringLiteral("Working of 500x300x12.5.pdf"));
        QCOMPARE(printedDocumentName(QStringLiteral("Kavrel Sections")),
                 QStringLiteral("Kavrel Sections"));
    }

    // Qt's rich text drops the root's bar: every root of more than one symbol in the working
    // window's document has its brackets, and no number runs past ten figures.
    void theWorkingWindowBracketsEveryCompoundRoot() {
        for (const Catalogue catalogue : {Catalogue::IS, Catalogue::EN10210}) {
            SectionsWindow window(settings(), QStringLiteral("."));
            PanelState state;
            state.catalogue = QString::fromLatin1(describe(catalogue).name.data());
            window.panel().setState(state);
            window.refresh();
            window.table().selectRow(0);
            WorkingWindow* working = window.showWorking();
            QVERIFY(working);
            const QString text = working->text();
            int roots = 0;
            for (qsizetype at = text.indexOf(QChar(0x221A)); at >= 0;
                 at = text.indexOf(QChar(0x221A), at + 1), ++roots) {
                // After the sign: a bracket, or one symbol or number up to a blank or the end.
                const QString after = text.mid(at + 1, 40);
                const qsizetype blank = after.indexOf(QRegularExpression(QStringLiteral("[ \\n]")));
                const QString radicand = after.left(blank < 0 ? after.size() : blank);
                const QString next = blank < 0 ? QString() : after.mid(blank).trimmed();
                const bool operatorFollows =
                    !next.isEmpty() && QStringLiteral("/*+-\u00b7\u2212").contains(next.front());
                QVERIFY2(after.startsWith(QLatin1Char('(')) ||
                             (!operatorFollows &&
                              QRegularExpression(QStringLiteral("^[A-Za-z0-9.\u2032]+$"))
                                  .match(radicand)
                                  .hasMatch()),
                         qPrintable(after));
            }
            QVERIFY(roots >= 2);
            QVERIFY(text.contains(QStringLiteral("\u221A(I")));
            const QRegularExpression number(QStringLiteral("[0-9]+(\\.[0-9]+)?"));
            for (auto it = number.globalMatch(text); it.hasNext();) {
                QString digits = it.next().captured().remove(QLatin1Char('.'));
                while (digits.startsWith(QLatin1Char('0'))) {
                    digits.remove(0, 1);
                }
                while (digits.endsWith(QLatin1Char('0'))) {
                    digits.chop(1);
                }
                QVERIFY2(digits.size() <= 10, qPrintable(digits));
            }
        }
    }

    // A grade and a buckling length: the design columns and a requirement on one, the engine's
    // rows, Export as kavrel-table writes the same request, the resistance steps in Show
    // working; IS offers only its own grades.
    void showsTheDesignResistancesOfAGrade() {
        SectionsWindow window(settings(), QStringLiteral(","));
        PanelState state;
        state.catalogue = QStringLiteral("EN10219");
        state.families = {QStringLiteral("SHS")};
        state.requirements = {
            {QStringLiteral("NbRd"), QStringLiteral(">="), QStringLiteral("800")}};
        state.sort = QStringLiteral("W");
        state.grade = QStringLiteral("S355");
        state.length = QStringLiteral("3,5");
        window.panel().setState(state);
        window.refresh();
        QCOMPARE(window.panel().state().grade, state.grade);
        QCOMPARE(window.panel().state().length, state.length);
        TableRequest request{.families = {SectionFamily::SHS},
                             .conditions = {{"NbRd", Comparison::AtLeast, 800}},
                             .sort = SortKey{"W"},
                             .catalogues = {Catalogue::EN10219},
                             .design = {.grade = SteelGrade::S355, .lengths = {{"3.5", 3.5}}}};
        for (std::size_t i = 0; i < windowColumnCount; ++i) {
            if (i < defaultColumnCount ||
                (isDesignColumn(i) &&
                 (isBucklingColumn(i) || designColumns[i - columnCount].byDefault) &&
                 givenByCode(columnName(i).toStdString(), en1993))) {
                request.columns.push_back(columnName(i).toStdString());
            }
        }
        const auto expected = std::get<TableRows>(tableRows(request));
        const TableRows& shown = window.model().rows();
        QCOMPARE(shown.columns, expected.columns);
        QCOMPARE(shown.rows.size(), expected.rows.size());
        QVERIFY(!shown.rows.empty());
        QCOMPARE(shown.rows[0].texts[1], std::string("150x150x6.0")); // the README's answer
        QCOMPARE(shown.rows[0].design, expected.rows[0].design);
        const int nbRd = static_cast<int>(shown.columns.size()) - 1;
        QCOMPARE(window.model().headerData(nbRd, Qt::Horizontal, Qt::AccessibleTextRole).toString(),
                 QStringLiteral("NbRd"));
        QCOMPARE(window.model().data(window.model().index(0, nbRd), Qt::DisplayRole).toString(),
                 QStringLiteral("802,0"));
        for (const TableFormat format : {TableFormat::Csv, TableFormat::Json, TableFormat::Text}) {
            const QString file = scratch_.filePath(QStringLiteral("table"));
            QCOMPARE(window.exportTo(file, format), std::nullopt);
            request.format = format;
            QCOMPARE(written(file),
                     QString::fromStdString(std::get<std::string>(sectionTable(request))));
        }
        window.table().selectRow(0);
        WorkingWindow* working = window.showWorking();
        QVERIFY(working);
        QVERIFY(working->text().contains(QStringLiteral("Flexural buckling at L = 3.5 m")));
        QVERIFY(working->text().contains(QStringLiteral("EN 1993-1-1, 6.2.4")));

        // A length that does not read is refused beside its field, the table kept.
        auto* length = window.findChild<QLineEdit*>(QStringLiteral("txtlength"));
        length->setText(QStringLiteral("-1"));
        QVERIFY(window.findChild<QLabel*>(QStringLiteral("lbllengthreason"))->isVisible() ||
                !window.findChild<QLabel*>(QStringLiteral("lbllengthreason"))->text().isEmpty());
        QCOMPARE(window.model().rows().rows.size(), expected.rows.size());

        // IS offers its own grades, not S355: a requirement on a design column is not applied
        // without one, and says why.
        state.catalogue = QStringLiteral("IS");
        window.panel().setState(state);
        window.refresh();
        auto* grade = window.findChild<QComboBox*>(QStringLiteral("cmbgrade"));
        QCOMPARE(grade->currentData().toString(), QString());
        QCOMPARE(grade->itemData(grade->count() - 1).toString(), QStringLiteral("YSt355"));
        QVERIFY(window.findChild<QLabel*>(QStringLiteral("lblcount"))
                    ->text()
                    .endsWith(QStringLiteral("column \"NbRd\" needs --grade")));
        state.requirements.clear();
        window.panel().setState(state);
        window.refresh();
        QVERIFY(window.model().rows().designNames.empty());
        QVERIFY(!window.model().rows().rows.empty());
    }

    // IS: its own grades and the forming route; the rows, the IS columns and the working are
    // those of kavrel-table for the same request.
    void showsIs800ResistancesOfAnIsGrade() {
        SectionsWindow window(settings(), QStringLiteral("."));
        PanelState state;
        state.families = {QStringLiteral("SHS")};
        state.grade = QStringLiteral("YSt310");
        state.length = QStringLiteral("3");
        state.forming = QStringLiteral("hot");
        state.requirements = {
            {QStringLiteral("classMx"), QStringLiteral("<="), QStringLiteral("compact")}};
        window.panel().setState(state);
        window.refresh();
        QCOMPARE(window.panel().state().forming, state.forming);
        auto* forming = window.findChild<QComboBox*>(QStringLiteral("cmbforming"));
        QVERIFY(forming && forming->isEnabled());
        openColumnChoice(window);
        QVERIFY(window.findChild<QCheckBox*>(QStringLiteral("chkcolTdRd"))->isEnabled());
        QVERIFY(!window.findChild<QCheckBox*>(QStringLiteral("chkcolAeff"))->isEnabled());
        TableRequest request{.families = {SectionFamily::SHS},
                             .conditions = {{"classMx", Comparison::AtMost, 2}},
                             .catalogues = {Catalogue::IS},
                             .design = {.grade = SteelGrade::YSt310,
                                        .lengths = {{"3", 3.0}},
                                        .forming = FormingRoute::HotFinished}};
        for (std::size_t i = 0; i < windowColumnCount; ++i) {
            if (i < defaultColumnCount ||
                (isDesignColumn(i) &&
                 (isBucklingColumn(i) || designColumns[i - columnCount].byDefault) &&
                 givenByCode(columnName(i).toStdString(), is800))) {
                request.columns.push_back(columnName(i).toStdString());
            }
        }
        const auto expected = std::get<TableRows>(tableRows(request));
        const TableRows& shown = window.model().rows();
        QCOMPARE(shown.columns, expected.columns);
        QCOMPARE(shown.rows.size(), expected.rows.size());
        QVERIFY(!shown.rows.empty());
        QCOMPARE(shown.rows[0].design, expected.rows[0].design);
        window.table().selectRow(0);
        WorkingWindow* working = window.showWorking();
        QVERIFY(working);
        QVERIFY(working->text().contains(QStringLiteral("IS 800:2007, Table 10")));
        QVERIFY(working->text().contains(QStringLiteral("hot rolled (--forming hot)")));

        // The route is kept between runs; a route that does not read gives the defaults.
        const QString file = scratch_.filePath(QStringLiteral("is800.ini"));
        QVERIFY(saveSettings(file, window.panel().state(), {}));
        QCOMPARE(loadSettings(file).state.forming, QStringLiteral("hot"));
        {
            QSettings damaged(file, QSettings::IniFormat);
            damaged.setValue(QStringLiteral("forming"), QStringLiteral("warm"));
        }
        QVERIFY(!loadSettings(file).note.isEmpty());
        QCOMPARE(loadSettings(file).state.forming, QString());

        // An EN catalogue offers no route and its own grades; YSt310 is not kept there.
        state.catalogue = QStringLiteral("EN10210");
        window.panel().setState(state);
        QVERIFY(!forming->isEnabled());
        QCOMPARE(window.panel().state().grade, QString());
    }

    void everyControlHasAnAccessibleName() {
        SectionsWindow window(settings(), QStringLiteral("."));
        openColumnChoice(window);
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdaddrequirement")),
                          Qt::LeftButton);
        int checked = 0;
        for (QWidget* widget : window.findChildren<QWidget*>()) {
            if (widget->focusPolicy() == Qt::NoFocus || !widget->isVisibleTo(&window) ||
                qobject_cast<QLabel*>(widget) ||
                widget->objectName().startsWith(QStringLiteral("qt_"))) {
                continue;
            }
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            QVERIFY(accessible);
            QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(),
                     qPrintable(widget->metaObject()->className() + QStringLiteral(" ") +
                                widget->objectName()));
            ++checked;
        }
        QVERIFY(checked > 30);
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&window.table());
        QCOMPARE(table->role(), QAccessible::Table);
        QCOMPARE(table->text(QAccessible::Name), QStringLiteral("Sections"));
        QAccessibleInterface* header =
            QAccessible::queryAccessibleInterface(window.table().horizontalHeader());
        QCOMPARE(header->text(QAccessible::Name), QStringLiteral("Columns of the sections"));
        QAccessibleInterface* firstHeader = table->child(1);
        QVERIFY(firstHeader);
        QCOMPARE(firstHeader->role(), QAccessible::ColumnHeader);
        QCOMPARE(firstHeader->text(QAccessible::Name), QStringLiteral("family"));
    }

    // Each access key reaches one control: two on one key would take turns, and Alt+F would
    // not always open the File menu.
    void everyAccessKeyIsItsOwn() {
        SectionsWindow window(settings(), QStringLiteral("."));
        window.show();
        openColumnChoice(window);
        openOwnSizes(window);
        QMap<QKeySequence, QStringList> keys;
        const auto take = [&keys](const QString& text) {
            if (const QKeySequence key = QKeySequence::mnemonic(text); !key.isEmpty()) {
                keys[key] << QString(text).remove(QLatin1Char('&'));
            }
        };
        for (const QLabel* label : window.findChildren<QLabel*>()) {
            if (label->buddy() != nullptr) {
                take(label->text());
            }
        }
        for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
            take(button->text());
        }
        for (const QAction* menu : window.menuBar()->actions()) {
            take(menu->text());
        }
        QVERIFY2(keys.size() >= 20, qPrintable(QString::number(keys.size())));
        for (auto key = keys.cbegin(); key != keys.cend(); ++key) {
            QVERIFY2(key->size() == 1, qPrintable(key.key().toString() + QStringLiteral(": ") +
                                                  key->join(QStringLiteral(", "))));
        }
    }
};

} // namespace kavrel

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    kavrel::SectionsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "sections_test.moc"
