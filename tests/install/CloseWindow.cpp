// Closes a program's windows the way a window manager's close button does: waits up to 20 s for
// the mapped top-level windows that process PID owns on the display named by DISPLAY, then
// sends each the WM_DELETE_WINDOW message.
//
//   radiosift_close_window PID     exit status 0 once a window was asked to close, 1 otherwise
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace {

template <typename Reply>
std::unique_ptr<Reply, decltype(&std::free)> owned(Reply* reply) {
    return {reply, &std::free};
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const auto reply = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::vector<xcb_window_t> shownWindows(xcb_connection_t* connection, xcb_window_t root,
                                       std::uint32_t pid) {
    const xcb_atom_t pidAtom = atom(connection, "_NET_WM_PID");
    std::vector<xcb_window_t> found;
    const auto tree =
        owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr));
    for (int i = 0; tree && i < xcb_query_tree_children_length(tree.get()); ++i) {
        const xcb_window_t window = xcb_query_tree_children(tree.get())[i];
        const auto attributes = owned(xcb_get_window_attributes_reply(
            connection, xcb_get_window_attributes(connection, window), nullptr));
        const auto owner = owned(xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1),
            nullptr));
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE && owner &&
            xcb_get_property_value_length(owner.get()) == 4 &&
            *static_cast<const std::uint32_t*>(xcb_get_property_value(owner.get())) == pid)
            found.push_back(window);
    }
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: radiosift_close_window PID\n");
        return 2;
    }
    const auto pid = static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10));
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const xcb_setup_t* setup = xcb_get_setup(connection);
    if (xcb_connection_has_error(connection) || setup == nullptr) {
        std::fprintf(stderr, "radiosift_close_window: cannot open the display\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;

    std::vector<xcb_window_t> windows;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while ((windows = shownWindows(connection, root, pid)).empty() &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));

    int refused = 0;
    for (const xcb_window_t window : windows) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = atom(connection, "WM_PROTOCOLS");
        message.data.data32[0] = atom(connection, "WM_DELETE_WINDOW");
        message.data.data32[1] = XCB_CURRENT_TIME;
        // Checked, so that the server has handled the message before the connection closes:
        // a message merely flushed can be dropped with it.
        refused += owned(xcb_request_check(
                       connection,
                       xcb_send_event_checked(connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                                              reinterpret_cast<const char*>(&message)))) != nullptr;
    }
    xcb_disconnect(connection);
    if (windows.empty() || refused > 0)
        std::fprintf(stderr, "radiosift_close_window: no window of process %u was asked to close\n",
                     pid);
    return windows.empty() || refused > 0 ? 1 : 0;
}
