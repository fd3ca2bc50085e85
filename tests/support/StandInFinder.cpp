// Stands in for Finder in tests: a process with that name that lives until it is signalled.
#include <csignal>
#include <unistd.h>

int main() {
    for (;;) {
        ::pause();
    }
}
