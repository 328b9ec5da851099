// Acts on a program's windows as a user does, through the X server: waits up to 20 s for the
// mapped top-level windows that process PID owns on the display named by DISPLAY, then
//
//   radiosift_window_input PID                  sends each the WM_DELETE_WINDOW message, as a
//                                               window manager's close button does;
//   radiosift_window_input PID click X Y COUNT  clicks COUNT times with the left button at X, Y
//                                               of the topmost (a dialog over its window), all
//                                               in one go, through the XTEST extension: the
//                                               clicks come as a mouse's would;
//   radiosift_window_input PID key KEYSYM...    focuses the first, as a window manager does, and
//                                               holds the keys together (0xffe9 0x72: Alt+R).
//
// Exit status 0 once the windows were asked to close, clicked or typed into, 1 otherwise.
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace {

xcb_connection_t* connection = nullptr;

// A reply or error of the server, freed with it.
template <typename Reply>
std::unique_ptr<Reply, decltype(&std::free)> Owned(Reply* reply) {
    return {reply, &std::free};
}

xcb_atom_t Atom(const char* name) {
    const auto reply = Owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

bool ShownBy(xcb_window_t window, std::uint32_t pid) {
    const auto attributes = Owned(xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, window), nullptr));
    const auto owner = Owned(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, window, Atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 0, 1),
        nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE && owner &&
           xcb_get_property_value_length(owner.get()) == 4 &&
           *static_cast<const std::uint32_t*>(xcb_get_property_value(owner.get())) == pid;
}

// Asks the window to close, as a window manager does.
bool Close(xcb_window_t window) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = Atom("WM_PROTOCOLS");
    message.data.data32[0] = Atom("WM_DELETE_WINDOW");
    // Checked, so that the server has handled the message before the connection closes: a
    // message merely flushed can be dropped with it.
    return !Owned(xcb_request_check(
        connection, xcb_send_event_checked(connection, 0, window, XCB_EVENT_MASK_NO_EVENT,
                                           reinterpret_cast<const char*>(&message))));
}

// True once the server has carried out every request sent.
bool AllDone(const std::vector<xcb_void_cookie_t>& sent) {
    bool done = true;
    for (const xcb_void_cookie_t cookie : sent)
        done &= !Owned(xcb_request_check(connection, cookie));
    return done;
}

// Moves the pointer to x, y of the window and clicks there count times.
bool Click(xcb_window_t window, xcb_window_t root, int x, int y, int count) {
    const auto at = Owned(xcb_translate_coordinates_reply(
        connection,
        xcb_translate_coordinates(connection, window, root, static_cast<std::int16_t>(x),
                                  static_cast<std::int16_t>(y)),
        nullptr));
    if (!at) return false;
    std::vector<xcb_void_cookie_t> sent{xcb_test_fake_input_checked(
        connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root, at->dst_x, at->dst_y, 0)};
    for (int i = 0; i < count; ++i)
        for (const std::uint8_t type : {XCB_BUTTON_PRESS, XCB_BUTTON_RELEASE})
            sent.push_back(xcb_test_fake_input_checked(connection, type, XCB_BUTTON_INDEX_1,
                                                       XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0));
    return AllDone(sent);
}

// The key code that types keysym on the server's keyboard, 0 for none.
xcb_keycode_t KeyCode(xcb_keysym_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    const auto map = Owned(xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr));
    for (int i = 0; map && i < count * map->keysyms_per_keycode; ++i)
        if (xcb_get_keyboard_mapping_keysyms(map.get())[i] == keysym)
            return setup->min_keycode + i / map->keysyms_per_keycode;
    return 0;
}

// Focuses the window, presses the keys one after the other and lets them go in reverse.
bool Keys(xcb_window_t window, char** keysyms, int count) {
    std::vector<xcb_void_cookie_t> sent{xcb_set_input_focus_checked(
        connection, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME)};
    for (int i = 0; i < 2 * count; ++i) {
        const xcb_keycode_t code =
            KeyCode(std::strtoul(keysyms[i < count ? i : 2 * count - 1 - i], nullptr, 0));
        if (code == 0) return false;
        sent.push_back(xcb_test_fake_input_checked(connection,
                                                   i < count ? XCB_KEY_PRESS : XCB_KEY_RELEASE,
                                                   code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0));
    }
    return AllDone(sent);
}

}  // namespace

int main(int argc, char** argv) {
    const bool click = argc == 6 && std::strcmp(argv[2], "click") == 0;
    const bool key = argc >= 4 && std::strcmp(argv[2], "key") == 0;
    const auto pid = static_cast<std::uint32_t>(
        argc == 2 || click || key ? std::strtoul(argv[1], nullptr, 10) : 0);
    connection = xcb_connect(nullptr, nullptr);
    if (pid == 0 || xcb_connection_has_error(connection)) {
        std::fprintf(stderr,
                     "usage: radiosift_window_input PID [click X Y COUNT | key KEYSYM...], on a "
                     "display that "
                     "opens\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    std::vector<xcb_window_t> windows;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (windows.empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const auto tree =
            Owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr));
        // Bottom to top, as they are stacked.
        for (int i = 0; tree && i < xcb_query_tree_children_length(tree.get()); ++i)
            if (ShownBy(xcb_query_tree_children(tree.get())[i], pid))
                windows.push_back(xcb_query_tree_children(tree.get())[i]);
    }
    bool done = !windows.empty();
    if (click && done)
        done =
            Click(windows.back(), root, std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    if (key && done) done = Keys(windows.front(), argv + 3, argc - 3);
    for (const xcb_window_t window : windows)
        if (!click && !key) done &= Close(window);
    xcb_disconnect(connection);
    if (!done) std::fprintf(stderr, "radiosift_window_input: no window of %u was reached\n", pid);
    return done ? 0 : 1;
}
