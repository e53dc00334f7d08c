# The Qt headers that nearly every window source includes, parsed once per target instead of
# once per source: parsing them is most of the time a window source takes to compile.
set(KAVREL_QT_WIDGET_HEADERS
    <QApplication> <QWidget> <QString> <QStringList> <QLabel> <QPushButton> <QLineEdit>
    <QComboBox> <QCheckBox> <QRadioButton> <QGroupBox> <QBoxLayout> <QGridLayout> <QPainter>
    <QMessageBox> <QLocale> <QFile> <QDir> <QAccessible> <QHeaderView> <QAbstractItemView>
    <string> <string_view> <vector> <variant> <optional> <algorithm>)

# kavrel_precompile_qt(TARGET): the Qt headers above, built for TARGET.
function(kavrel_precompile_qt target)
    target_precompile_headers(${target} PRIVATE ${KAVREL_QT_WIDGET_HEADERS})
endfunction()

# kavrel_reuse_precompiled(TARGET FROM): the header FROM built, used by TARGET as well, which must
# compile with the same flags. Each Qt header set is then parsed once per build, not once per
# window and test program.
function(kavrel_reuse_precompiled target from)
    target_precompile_headers(${target} REUSE_FROM ${from})
endfunction()

# The same for the core's GoogleTest programs, whose sources all parse gtest.h.
function(kavrel_precompile_gtest target)
    target_precompile_headers(${target} PRIVATE <gtest/gtest.h> <string> <string_view> <vector>
        <variant> <optional> <algorithm>)
endfunction()
