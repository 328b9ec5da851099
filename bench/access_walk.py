#!/usr/bin/python3
# Accessibility benchmark: how long a screen reader takes to walk the main window's accessible
# objects through AT-SPI (each object's name, role and children, one call each, as a reader asks
# them), while the window is idle and while a run waits for a request that does not come. The
# window answers such calls between its events, so a wait that looks at them only now and then
# makes every call wait that long.
#
#   access_walk.py RADIOSIFT RADIOSIFT_DIRECTORY [--walks N]
#
# Run inside a session bus (dbus-run-session) with the at-spi2 bus launcher installed; it starts
# its own X server (Xvfb), the local directory and the program, and ends them.
import argparse
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time

import dbus

ACCESSIBLE = "org.a11y.atspi.Accessible"
ROLE_PUSH_BUTTON = 43
TARGET_RATIO = 3.0


def start_x_server():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp", "-screen", "0", "1024x768x24"],
        pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as display:
        return server, ":" + display.readline().strip()


def start_directory(program, delay_ms):
    directory = subprocess.Popen([program, "--port", "0", "--delay-ms", str(delay_ms), "--log"],
                                 stdout=subprocess.PIPE, text=True)
    match = re.search(r"listening on (\S+)", directory.stdout.readline())
    if not match:
        sys.exit("access_walk: the local directory did not start")
    return directory, match.group(1)


def accessibility_bus():
    address = dbus.SessionBus().get_object("org.a11y.Bus", "/org/a11y/bus").GetAddress(
        dbus_interface="org.a11y.Bus")
    return dbus.bus.BusConnection(str(address))


def find_application(bus, name, within_s=30):
    deadline = time.monotonic() + within_s
    while time.monotonic() < deadline:
        root = bus.get_object("org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root")
        for bus_name, path in root.GetChildren(dbus_interface=ACCESSIBLE):
            application = bus.get_object(bus_name, path)
            if str(application.Get(ACCESSIBLE, "Name",
                                   dbus_interface=dbus.PROPERTIES_IFACE)).lower() == name:
                return application
        time.sleep(0.2)
    sys.exit("access_walk: the program never showed up on the accessibility bus")


def walk(bus, node, found):
    """Asks the node's name, role and children, then walks each child; returns the objects."""
    name = str(node.Get(ACCESSIBLE, "Name", dbus_interface=dbus.PROPERTIES_IFACE))
    role = int(node.GetRole(dbus_interface=ACCESSIBLE))
    if role == ROLE_PUSH_BUTTON:
        found[name] = node
    count = 1
    for bus_name, path in node.GetChildren(dbus_interface=ACCESSIBLE):
        count += walk(bus, bus.get_object(bus_name, path), found)
    return count


def timed_walks(bus, application, walks):
    seconds = []
    for _ in range(walks):
        found = {}
        start = time.perf_counter()
        count = walk(bus, application, found)
        seconds.append(time.perf_counter() - start)
    return statistics.median(seconds), count, found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("directory")
    parser.add_argument("--walks", type=int, default=9)
    options = parser.parse_args()

    x_server, display = start_x_server()
    # Every request waits a minute for its answer: the run's first page never comes here.
    directory, host_port = start_directory(options.directory, 60000)
    downloads = tempfile.TemporaryDirectory()
    environment = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb",
                       QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", RADIOSIFT_DIRECTORY="classic",
                       RADIOSIFT_CLASSIC_HOST=host_port, RADIOSIFT_MAIN_HOST=host_port,
                       TEMP=downloads.name)
    program = subprocess.Popen([options.program], env=environment)
    try:
        bus = accessibility_bus()
        application = find_application(bus, "radiosift")
        timed_walks(bus, application, 1)  # the bridge builds its objects on the first walk
        idle, count, buttons = timed_walks(bus, application, options.walks)
        if "Run" not in buttons:
            sys.exit("access_walk: no Run button among the window's objects")
        # Pressed through AT-SPI: the reply comes only when the run is over, so none is awaited.
        buttons["Run"].DoAction(0, dbus_interface="org.a11y.atspi.Action", ignore_reply=True)
        if "/directory/" not in directory.stdout.readline():
            sys.exit("access_walk: the run asked the directory for no page")
        time.sleep(0.2)  # the request is under way and its wait has begun
        waiting, _, during = timed_walks(bus, application, options.walks)
        if "Stop" not in during:
            sys.exit("access_walk: the run was not under way during the walks")
    finally:
        program.kill()
        directory.terminate()
        x_server.kill()
    ratio = waiting / idle
    print(f"AT-SPI walk of the main window ({count} objects, name, role and children of each), "
          f"median of {options.walks}")
    print(f"{'during a stalled request':34} {waiting * 1000:10.1f} ms   "
          f"idle {idle * 1000:10.1f} ms   ratio {ratio:6.2f}   target <= {TARGET_RATIO:.2f}   "
          f"{'met' if ratio <= TARGET_RATIO else 'MISSED'}")


if __name__ == "__main__":
    main()
