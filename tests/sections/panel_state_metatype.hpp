#pragma once

// Declared once for every test file that passes a panel state as test data.
#include "sections/sections_panel.hpp"

#include <QMetaType>

Q_DECLARE_METATYPE(kavrel::PanelState)
