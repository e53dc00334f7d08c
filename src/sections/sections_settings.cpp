#include "sections/sections_settings.hpp"

#include "design/design_columns.hpp"
#include "design/steel_grades.hpp"
#include "properties/formula_sets.hpp"
#include "table/table_columns.hpp"
#include "table/table_rows.hpp"

#include <QSettings>

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

// A requirement is kept as "column<TAB>comparison<TAB>number as typed".
QString requirementLine(const RequirementText& requirement) {
    return requirement.column + QLatin1Char('\t') + requirement.comparison + QLatin1Char('\t') +
           requirement.number;
}

bool isNumericColumnName(const QString& name) {
    const auto index = columnIndex(name.toStdString());
    return (index && isNumericColumn(*index)) || isDesignColumnName(name.toStdString());
}

// Each value read back through the engine's own readers; the first that fails names itself.
std::optional<QString> readState(const QSettings& settings, PanelState& state) {
    state.catalogue = settings.value(catalogueKey, state.catalogue).toString();
    if (!catalogueNamed(state.catalogue.toStdString())) {
        return catalogueKey;
    }
    state.families = settings.value(familiesKey, state.families).toStringList();
    if (state.families.isEmpty() || std::ranges::any_of(state.families, [](const QString& f) {
            return std::holds_alternative<TableError>(parseFamily(f.toStdString()));
        })) {
        return familiesKey;
    }
    for (const QString& line : settings.value(requirementsKey).toStringList()) {
        const QStringList parts = line.split(QLatin1Char('\t'));
        if (parts.size() != 3 || !isNumericColumnName(parts[0]) ||
            std::holds_alternative<TableError>(
                parseCondition("A " + parts[1].toStdString() + " 0"))) {
            return requirementsKey;
        }
        state.requirements.push_back({parts[0], parts[1], parts[2]});
    }
    const auto pi = parsePi(settings.value(piKey, QStringLiteral("22/7")).toString().toStdString());
    if (std::holds_alternative<TableError>(pi)) {
        return piKey;
    }
    state.truePi = std::get<double>(pi) != fractionPi;
    state.columns = settings.value(columnsKey).toStringList();
    if (std::ranges::any_of(state.columns,
                            [](const QString& name) { return !columnIndex(name.toStdString()); })) {
        return columnsKey;
    }
    state.designColumns = settings.value(designColumnsKey, state.designColumns).toStringList();
    if (std::ranges::any_of(state.designColumns, [](const QString& name) {
            return !isDesignColumnName(name.toStdString());
        })) {
        return designColumnsKey;
    }
    state.sort = settings.value(sortKey).toString();
    if (!state.sort.isEmpty() &&
        !isNumericColumnName(state.sort.startsWith(QLatin1Char('-')) ? state.sort.mid(1)
                                                                     : state.sort)) {
        return sortKey;
    }
    state.grade = settings.value(gradeKey).toString();
    if (!state.grade.isEmpty() && !gradeNamed(state.grade.toStdString())) {
        return gradeKey;
    }
    // Kept as typed: a length that does not read is refused beside its field, not lost.
    state.length = settings.value(lengthKey).toString();
    state.forming = settings.value(formingKey).toString();
    if (!state.forming.isEmpty() &&
        std::holds_alternative<TableError>(parseForming(state.forming.toStdString()))) {
        return formingKey;
    }
    // Without a saved choice, the units of the saved catalogue.
    const QString home = QString::fromUtf8(
        unitSystemName(describe(*catalogueNamed(state.catalogue.toStdString())).home).data());
    state.units = settings.value(unitsKey, home).toString();
    const auto units = parseUnits(state.units.toStdString());
    if (std::holds_alternative<TableError>(units)) {
        return unitsKey;
    }
    state.ownSizes = settings.value(ownSizesKey).toStringList();
    // A size that some catalogue's geometry computes is kept: one added under another
    // catalogue than the saved one is refused in the table, with its reason, not lost here.
    for (const QString& size : state.ownSizes) {
        const std::string own = size.toStdString();
        const bool shaped =
            own.starts_with("RHS:") || own.starts_with("SHS:") || own.starts_with("CHS:");
        if (!shaped || std::ranges::none_of(allCatalogues(), [&own, &units](const auto& in) {
                return std::holds_alternative<TableRows>(
                    tableRows({.sizes = {own},
                               .catalogues = {in.catalogue},
                               .units = std::get<UnitSystem>(units)}));
            })) {
            return ownSizesKey;
        }
    }
    return std::nullopt;
}

} // namespace

QString defaultSettingsFile() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("kavrel"),
                     QStringLiteral("kavrel-sections"))
        .fileName();
}

SavedSettings loadSettings(const QString& file) {
    SavedSettings saved;
    const QSettings settings(file, QSettings::IniFormat);
    std::optional<QString> damaged;
    if (settings.status() != QSettings::NoError) {
        damaged = QStringLiteral("the file");
    } else {
        damaged = readState(settings, saved.state);
    }
    if (damaged) {
        saved.state = PanelState{};
        saved.note = QObject::tr("The saved settings could not be read (%1 in %2); the defaults "
                                 "are shown.")
                         .arg(*damaged, file);
        return saved;
    }
    saved.geometry = settings.value(geometryKey).toByteArray();
    return saved;
}

bool saveSettings(const QString& file, const PanelState& state, const QByteArray& geometry) {
    QSettings settings(file, QSettings::IniFormat);
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
    settings.setValue(geometryKey, geometry);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace kavrel
