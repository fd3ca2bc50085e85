// Stands in for Finder in tests: a process with that name that lives until it is signalled.
#include <unistd.h>
#include <csignal>

int main() {
    for (;;) {
        ::pause();
    }
}
