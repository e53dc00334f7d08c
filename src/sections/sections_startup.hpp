#pragma once

namespace kavrel {

// What Kavrel Sections sets up once its QApplication is made, before its window: the names a
// desktop knows it by, and the style. Called by the program and by its start-up benchmark,
// so that what is timed is what runs.
void setUpSectionsApplication();

} // namespace kavrel
