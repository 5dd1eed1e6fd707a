// Starts a program on the X display and reports how long it took until its
// first top-level window was mapped, and the program's peak resident memory
// up to then. Usage: quillmere-bench-startwatch PROGRAM [ARGS...]
// Prints "<milliseconds> <peak kilobytes>".
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    bool mapped = false;
    pollfd watch { xcb_get_file_descriptor(connection), POLLIN, 0 };
    while (!mapped) {
        const auto waited = std::chrono::steady_clock::now() - start;
        if (waited > std::chrono::seconds(30))
            break;
        if (poll(&watch, 1, 100) < 0)
            break;
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
                mapped = mapped || (map->event == root && !map->override_redirect);
            }
            std::free(event);
        }
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "the program ended before showing a window\n");
            return 1;
        }
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    kill(child, SIGKILL);
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    xcb_disconnect(connection);
    if (!mapped) {
        std::fprintf(stderr, "no window within 30 s\n");
        return 1;
    }
    std::printf(
        "%.1f %ld\n", std::chrono::duration<double, std::milli>(elapsed).count(), usage.ru_maxrss);
    return 0;
}
