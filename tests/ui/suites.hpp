#pragma once

// Each suite of the window tests; ui_test_main runs one by name, or all of them.
namespace kavrel::test {

int runFocusOrderTest(int argc, char** argv);
int runLayoutTest(int argc, char** argv);
int runSelectionTest(int argc, char** argv);
int runFindTest(int argc, char** argv);
int runPrintTest(int argc, char** argv);
int runTypedTextTest(int argc, char** argv);

} // namespace kavrel::test
