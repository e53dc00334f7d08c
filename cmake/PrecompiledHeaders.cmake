# The Qt headers that nearly every window source includes, parsed once per target instead of
# once per source: parsing them is most of the time a window source takes to compile.
set(KAVREL_QT_WIDGET_HEADERS
    <QApplication> <QWidget> <QString> <QStringList> <QLabel> <QPushButton> <QLineEdit>
    <QComboBox> <QCheckBox> <QRadioButton> <QGroupBox> <QBoxLayout> <QGridLayout> <QPainter>
    <QMessageBox> <QLocale> <QFile> <QDir> <QAccessible> <QHeaderView> <QAbstractItemView>
    <string> <string_view> <vector> <variant> <optional> <algorithm>)

# kavrel_precompile_qt(TARGET [TEST]): TEST adds the Qt Test headers for test programs.
function(kavrel_precompile_qt target)
    set(headers ${KAVREL_QT_WIDGET_HEADERS})
    if(ARGN STREQUAL "TEST")
        list(APPEND headers <QTest> <QSignalSpy>)
    endif()
    target_precompile_headers(${target} PRIVATE ${headers})
endfunction()

# The same for the core's GoogleTest programs, whose sources all parse gtest.h.
function(kavrel_precompile_gtest target)
    target_precompile_headers(${target} PRIVATE <gtest/gtest.h> <string> <string_view> <vector>
        <variant> <optional> <algorithm>)
endfunction()
