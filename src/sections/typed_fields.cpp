#include "sections/typed_fields.hpp"

namespace kavrel {

QLabel* buddyLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

std::optional<std::string> engineNumber(const QString& typed, const QString& separator) {
    QString text = typed.trimmed();
    if (separator != QLatin1String(".")) {
        if (text.contains(QLatin1Char('.'))) {
            return std::nullopt;
        }
        text.replace(separator, QStringLiteral("."));
    }
    return text.toStdString();
}

void markField(QWidget& field, const QString& reason) {
    const bool refused = !reason.isEmpty();
    if (field.property("refused").toBool() != refused) {
        field.setProperty("refused", refused);
        // A red frame reads on light and dark palettes alike.
        field.setStyleSheet(refused ? QStringLiteral("border: 2px solid #d0342c;") : QString());
    }
    field.setAccessibleDescription(reason);
}

void markRefused(QWidget& field, QLabel& reasonLabel, const QString& reason) {
    markField(field, reason);
    reasonLabel.setText(reason);
    reasonLabel.setVisible(!reason.isEmpty());
}

} // namespace kavrel
