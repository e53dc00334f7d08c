#include <cstdio>

int main() {
    std::puts("Kavrel: the window is not built yet.");
    return 0;
}
