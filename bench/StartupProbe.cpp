// Times programs from process start to their tray icon's dock request, acting as the display's
// system tray itself so nothing polls and the moment is exact:
//   bench_startup_probe ROUNDS PROGRAM...
// Programs are started in turn, ROUNDS times each, interleaved; each one is ended (SIGTERM)
// once its icon asked to be docked. Prints one line per program: median, minimum and maximum
// in milliseconds, and every sample.
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

constexpr uint32_t kRequestDock = 0;

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t result = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return result;
}

double nowMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// Waits for a dock request and returns its arrival time, or a negative value on timeout.
double waitForDockRequest(xcb_connection_t* connection, xcb_atom_t opcode, int timeoutMs) {
    const double deadline = nowMs() + timeoutMs;
    pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (true) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const bool isDock =
                (event->response_type & 0x7f) == XCB_CLIENT_MESSAGE &&
                reinterpret_cast<xcb_client_message_event_t*>(event)->type == opcode &&
                reinterpret_cast<xcb_client_message_event_t*>(event)->data.data32[1] ==
                    kRequestDock;
            std::free(event);
            if (isDock) {
                return nowMs();
            }
        }
        const double left = deadline - nowMs();
        if (left <= 0 || xcb_connection_has_error(connection) != 0) {
            return -1;
        }
        poll(&fd, 1, static_cast<int>(left) + 1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s ROUNDS PROGRAM...\n", argv[0]);
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection) != 0) {
        std::fprintf(stderr, "bench_startup_probe: no X display\n");
        return 1;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const std::string selectionName = "_NET_SYSTEM_TRAY_S" + std::to_string(screenNumber);
    const xcb_atom_t selection = atom(connection, selectionName.c_str());
    const xcb_atom_t opcode = atom(connection, "_NET_SYSTEM_TRAY_OPCODE");
    const xcb_atom_t manager = atom(connection, "MANAGER");

    const xcb_window_t owner = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, owner, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_set_selection_owner(connection, owner, selection, XCB_CURRENT_TIME);
    xcb_get_selection_owner_reply_t* ownerReply = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool owned = ownerReply != nullptr && ownerReply->owner == owner;
    std::free(ownerReply);
    if (!owned) {
        std::fprintf(stderr, "bench_startup_probe: another system tray runs on this display\n");
        return 1;
    }
    xcb_client_message_event_t announce{};
    announce.response_type = XCB_CLIENT_MESSAGE;
    announce.format = 32;
    announce.window = screen->root;
    announce.type = manager;
    announce.data.data32[0] = XCB_CURRENT_TIME;
    announce.data.data32[1] = selection;
    announce.data.data32[2] = owner;
    xcb_send_event(connection, 0, screen->root, XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&announce));
    xcb_flush(connection);

    const int programs = argc - 2;
    std::vector<std::vector<double>> samples(programs);
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < programs; ++i) {
            char* childArgv[] = {argv[2 + i], nullptr};
            pid_t pid = 0;
            const double start = nowMs();
            if (posix_spawn(&pid, argv[2 + i], nullptr, nullptr, childArgv, environ) != 0) {
                std::fprintf(stderr, "bench_startup_probe: couldn't start %s: %s\n", argv[2 + i],
                             std::strerror(errno));
                return 1;
            }
            const double docked = waitForDockRequest(connection, opcode, 20000);
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
            if (docked < 0) {
                std::fprintf(stderr, "bench_startup_probe: %s never asked for a tray icon\n",
                             argv[2 + i]);
                return 1;
            }
            samples[i].push_back(docked - start);
            // Let the display settle before the next start.
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
                std::free(event);
            }
        }
    }
    for (int i = 0; i < programs; ++i) {
        std::vector<double> sorted = samples[i];
        std::sort(sorted.begin(), sorted.end());
        std::printf("%s median %.2f min %.2f max %.2f samples", argv[2 + i],
                    sorted[sorted.size() / 2], sorted.front(), sorted.back());
        for (const double sample : samples[i]) {
            std::printf(" %.2f", sample);
        }
        std::printf("\n");
    }
    xcb_disconnect(connection);
    return 0;
}
