// kavrel-table: every catalogue section through Find, as CSV on standard output.
#include "commands/section_table.hpp"

#include <cstdio>

int main(int argc, char**) {
    if (argc > 1) {
        std::fputs("usage: kavrel-table (takes no arguments)\n", stderr);
        return 2;
    }
    const kavrel::SectionTable table = kavrel::sectionTable();
    if (std::fwrite(table.csv.data(), 1, table.csv.size(), stdout) != table.csv.size() ||
        std::fflush(stdout) != 0) {
        std::perror("kavrel-table");
        return 1;
    }
    for (const std::string& designation : table.failed) {
        std::fprintf(stderr, "kavrel-table: %s: no properties computed\n", designation.c_str());
    }
    return table.failed.empty() ? 0 : 1;
}
