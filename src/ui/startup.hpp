#pragma once

#include "ui/main_window.hpp"

#include <functional>
#include <memory>

class QWidget;

namespace kavrel {

// What the program does between making its QApplication and running the event loop: names
// the application, gives it its window icon and shows the main window. `firstFrameShown`, when
// given, runs once the window's first frame has gone to the display, before anything else.
std::unique_ptr<MainWindow> startUp(std::function<void()> firstFrameShown = {});

// Runs `shown` once, after the window's first paint has been flushed to the display.
void afterFirstFrame(QWidget& window, std::function<void()> shown);

} // namespace kavrel
