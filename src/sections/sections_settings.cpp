#include "sections/sections_settings.hpp"

#include "design/design_columns.hpp"
#include "design/steel_grades.hpp"
#include "durable/folders.hpp"
#include "durable/whole_file.hpp"
#include "properties/formula_sets.hpp"
#include "table/table_columns.hpp"
#include "table/table_rows.hpp"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>

namespace kavrel {
namespace {

const QString catalogueKey = QStringLiteral("catalogue");
const QString familiesKey = QStringLiteral("families");
const QString requirementsKey = QStringLiteral("requirements");
const QString piKey = QStringLiteral("pi");
const QString columnsKey = QStringLiteral("columns");
const QString sortKey = QStringLiteral("sort");
const QString ownSizesKey = QStringLiteral("own_sizes");
const QString gradeKey = QStringLiteral("grade");
const QString lengthKey = QStringLiteral("buckling_length");
const QString designColumnsKey = QStringLiteral("design_columns");
const QString formingKey = QStringLiteral("forming");
const QString geometryKey = QStringLiteral("geometry");
const QString unitsKey = QStringLiteral("units");
const QString columnsOpenKey = QStringLiteral("columns_open");
const QString ownSizesOpenKey = QStringLiteral("own_sizes_open");

// A requirement is kept as "column<TAB>comparison<TAB>number as typed".
QString requirementLine(const RequirementText& requirement) {
    return requirement.column + QLatin1Char('\t') + requirement.comparison + QLatin1Char('\t') +
           requirement.number;
}

bool isNumericColumnName(const QString& name) {
    const auto index = columnIndex(name.toStdString());
    return (index && isNumericColumn(*index)) || isDesignColumnName(name.toStdString());
}

// Each value read back through the engine's own readers, each key on its own: a key that does
// not read keeps its default and is named; the others are kept.
QStringList readState(const QSettings& settings, PanelState& state) {
    QStringList bad;
    const PanelState defaults;
    const auto keep = [&bad, &settings](const QString& key, bool read) {
        if (!read && settings.contains(key)) {
            bad << key;
        }
        return read;
    };
    if (const QString catalogue = settings.value(catalogueKey, defaults.catalogue).toString();
        keep(catalogueKey, catalogueNamed(catalogue.toStdString()).has_value())) {
        state.catalogue = catalogue;
    }
    if (const QStringList families = settings.value(familiesKey, defaults.families).toStringList();
        keep(familiesKey,
             !families.isEmpty() && std::ranges::none_of(families, [](const QString& f) {
                 return std::holds_alternative<TableError>(parseFamily(f.toStdString()));
             }))) {
        state.families = families;
    }
    std::vector<RequirementText> requirements;
    bool requirementsRead = true;
    for (const QString& line : settings.value(requirementsKey).toStringList()) {
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (parts.size() != 3 || !isNumericColumnName(parts[0]) ||
            std::holds_alternative<TableError>(
                parseCondition("A " + parts[1].toStdString() + " 0"))) {
            requirementsRead = false;
            break;
        }
        requirements.push_back({parts[0], parts[1], parts[2]});
    }
    if (keep(requirementsKey, requirementsRead)) {
        state.requirements = std::move(requirements);
    }
    const auto pi = parsePi(settings.value(piKey, QStringLiteral("22/7")).toString().toStdString());
    if (keep(piKey, std::holds_alternative<double>(pi))) {
        state.truePi = std::get<double>(pi) != fractionPi;
    }
    if (const QStringList columns = settings.value(columnsKey).toStringList();
        keep(columnsKey, std::ranges::none_of(columns, [](const QString& name) {
                 return !columnIndex(name.toStdString());
             }))) {
        state.columns = columns;
    }
    if (const QStringList design =
            settings.value(designColumnsKey, state.designColumns).toStringList();
        keep(designColumnsKey, std::ranges::none_of(design, [](const QString& name) {
                 return !isDesignColumnName(name.toStdString());
             }))) {
        state.designColumns = design;
    }
    // A file from before the choice of columns could be closed has no key: closed.
    if (const QString open = settings.value(columnsOpenKey, QStringLiteral("false")).toString();
        keep(columnsOpenKey, open == QStringLiteral("true") || open == QStringLiteral("false"))) {
        state.columnsOpen = open == QStringLiteral("true");
    }
    if (const QString sort = settings.value(sortKey).toString();
        keep(sortKey,
             sort.isEmpty() ||
                 isNumericColumnName(sort.startsWith(QLatin1Char('-')) ? sort.mid(1) : sort))) {
        state.sort = sort;
    }
    const QString grade = settings.value(gradeKey).toString();
    if (keep(gradeKey, grade.isEmpty() || gradeNamed(grade.toStdString()).has_value())) {
        state.grade = grade;
    }
    // Kept as typed: a length that does not read is refused beside its field, not lost.
    state.length = settings.value(lengthKey).toString();
    const QString forming = settings.value(formingKey).toString();
    if (keep(formingKey, forming.isEmpty() || !std::holds_alternative<TableError>(
                                                  parseForming(forming.toStdString())))) {
        state.forming = forming;
    }
    // Without a saved choice, the units of the saved catalogue.
    const Catalogue saved = catalogueNamed(state.catalogue.toStdString()).value_or(Catalogue::IS);
    const QString units =
        settings.value(unitsKey, QString::fromUtf8(unitSystemName(describe(saved).home).data()))
            .toString();
    if (keep(unitsKey, std::holds_alternative<UnitSystem>(parseUnits(units.toStdString())))) {
        state.units = units;
    }
    // A size that some catalogue's geometry computes, in the units kept, is kept: one added
    // under another catalogue than the saved one is left out of the table, with its reason,
    // not lost here.
    const UnitSystem inUnits = std::get<UnitSystem>(parseUnits(state.units.toStdString()));
    const QStringList ownSizes = settings.value(ownSizesKey).toStringList();
    if (keep(ownSizesKey, std::ranges::all_of(ownSizes, [inUnits](const QString& size) {
                 const std::string own = size.toStdString();
                 return std::ranges::any_of(allCatalogues(), [&own, inUnits](const auto& in) {
                     return !ownSizeRefusal({.catalogues = {in.catalogue}, .units = inUnits}, own);
                 });
             }))) {
        state.ownSizes = ownSizes;
    }
    // A file from before the sizes of one's own could be closed has no key: open where it
    // holds some, so that they are in sight where they were.
    const QString ownOpen =
        settings
            .value(ownSizesOpenKey,
                   state.ownSizes.isEmpty() ? QStringLiteral("false") : QStringLiteral("true"))
            .toString();
    if (keep(ownSizesOpenKey,
             ownOpen == QStringLiteral("true") || ownOpen == QStringLiteral("false"))) {
        state.ownSizesOpen = ownOpen == QStringLiteral("true");
    } else {
        state.ownSizesOpen = !state.ownSizes.isEmpty();
    }
    return bad;
}

// A name beside the file that no file has yet: "settings.ini.unreadable", then "-2", "-3"...
QString asideName(const QString& file) {
    const QString base = file + QStringLiteral(".unreadable");
    QString name = base;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo(name).isSymLink(); ++n) {
        name = base + QLatin1Char('-') + QString::number(n);
    }
    return name;
}

} // namespace

QString defaultSettingsFile() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("kavrel"),
                     QStringLiteral("kavrel-sections"))
        .fileName();
}

SavedSettings loadSettings(const QString& file) {
    SavedSettings saved;
    const QFileInfo info(file);
    if (!info.exists() && !info.isSymLink()) {
        return saved;
    }
    // Only a regular file of a reasonable size is read: opening a FIFO would wait for a writer
    // for ever, and a huge file is no settings file of ours. Either is set aside like an
    // unreadable one, so that closing the window does not write over it.
    const bool readable = info.isFile() && info.size() <= maximumSettingsBytes;
    std::optional<QSettings> settings;
    if (readable) {
        settings.emplace(file, QSettings::IniFormat);
    }
    if (!readable || settings->status() != QSettings::NoError) {
        settings.reset();
        const QString aside = asideName(file);
        const bool setAside = kavrel::setAside(QFile::encodeName(file).toStdString(),
                                               QFile::encodeName(aside).toStdString()) == 0;
        saved.note = setAside
                         ? QObject::tr("The saved settings in %1 could not be read; the file is "
                                       "kept as %2 and the defaults are shown.")
                               .arg(file, aside)
                         : QObject::tr("The saved settings in %1 could not be read, nor set aside; "
                                       "the defaults are shown and will not be saved over it.")
                               .arg(file);
        saved.keepFile = !setAside;
        return saved;
    }
    const QStringList bad = readState(*settings, saved.state);
    saved.geometry = settings->value(geometryKey).toByteArray();
    if (!bad.isEmpty()) {
        // The whole file is kept as it was, for the values that did not read.
        // The copy aside is a file written like any other: whole, through the one layer.
        const QString aside = asideName(file);
        QFile original(file);
        bool copied = false;
        if (original.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = original.readAll();
            copied = writeWholeFile(QFile::encodeName(aside).toStdString(),
                                    std::string_view(bytes.constData(),
                                                     static_cast<std::size_t>(bytes.size())))
                         .kind != WholeFileOutcome::NotWritten;
        }
        saved.note = QObject::tr("Some saved settings could not be read (%1 in %2) and have their "
                                 "defaults; the others are kept.%3")
                         .arg(bad.join(QStringLiteral(", ")), file,
                              copied ? QObject::tr(" The file as it was is kept as %1.").arg(aside)
                                     : QString());
    }
    return saved;
}

bool saveSettings(const QString& file, const PanelState& state, const QByteArray& geometry,
                  FileSystem* fileSystem) {
    // QSettings writes the text into a private draft; only its bytes go to the file, through the
    // one layer every written file goes through: the file is the earlier one or the whole new one.
    const QTemporaryDir scratch;
    if (!scratch.isValid()) {
        return false;
    }
    const QString draft = scratch.filePath(QStringLiteral("settings.ini"));
    // The draft starts as the earlier file, so that keys this version does not write (a newer
    // version's) stay as they were. Only a regular file of reasonable size is read, as at start.
    const QFileInfo earlier(file);
    if (earlier.isFile() && earlier.size() <= maximumSettingsBytes && !QFile::copy(file, draft)) {
        return false;
    }
    {
        QSettings settings(draft, QSettings::IniFormat);
        settings.setValue(catalogueKey, state.catalogue);
        settings.setValue(familiesKey, state.families);
        QStringList requirements;
        for (const RequirementText& requirement : state.requirements) {
            requirements << requirementLine(requirement);
        }
        settings.setValue(requirementsKey, requirements);
        settings.setValue(piKey, state.truePi ? QStringLiteral("exact") : QStringLiteral("22/7"));
        settings.setValue(columnsKey, state.columns);
        settings.setValue(sortKey, state.sort);
        settings.setValue(ownSizesKey, state.ownSizes);
        settings.setValue(gradeKey, state.grade);
        settings.setValue(lengthKey, state.length);
        settings.setValue(unitsKey, state.units);
        settings.setValue(designColumnsKey, state.designColumns);
        settings.setValue(formingKey, state.forming);
        settings.setValue(columnsOpenKey, state.columnsOpen);
        settings.setValue(ownSizesOpenKey, state.ownSizesOpen);
        settings.setValue(geometryKey, geometry);
        settings.sync();
        if (settings.status() != QSettings::NoError) {
            return false;
        }
    }
    QFile written(draft);
    if (!written.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray bytes = written.readAll();
    // The first save makes the folder, as QSettings did, private to the user. One that cannot
    // be made leaves the write below to fail with its reason.
    makeOwnFolder(QFile::encodeName(earlier.absolutePath()).toStdString(), fileSystem);
    const WholeFileOutcome outcome = writeWholeFile(
        QFile::encodeName(file).toStdString(),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), fileSystem);
    // Not synced is still saved: the new settings are in place.
    return outcome.kind != WholeFileOutcome::NotWritten;
}

} // namespace kavrel
