#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

#include <optional>
#include <string>

namespace kavrel {

// The label of a field, whose mnemonic gives the field the focus.
QLabel* buddyLabel(const QString& text, QWidget* buddy);

// A typed number in the engine's writing ("." as the decimal point), or nothing when it holds a
// "." that is not the user's separator.
std::optional<std::string> engineNumber(const QString& typed, const QString& separator);

// Marks a field as refused, with the reason as its accessible description, or clears the mark.
void markField(QWidget& field, const QString& reason);

// The same, with the reason shown in the label beside the field.
void markRefused(QWidget& field, QLabel& reasonLabel, const QString& reason);

} // namespace kavrel
