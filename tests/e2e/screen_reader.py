"""Reads the running program over AT-SPI as a screen reader does, and uses it through AT-SPI
alone: the status line, the function menu as a tree, the readings of "Live data" and a question
from the unit. Run by screen_reader_e2e.sh on a private session bus; exits non-zero on the first
thing a listener could not read or do."""
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

warnings.simplefilter("ignore", DeprecationWarning)

APP = sys.argv[1] if len(sys.argv) > 1 else "corvane"
heard = []  # (event type, source name, detail) as a listener gets them


def on_event(event):
    try:
        name = event.source.get_name()
        role = event.source.get_role_name()
    except GLib.Error:
        return
    heard.append((event.type, role, name, event.any_data if isinstance(event.any_data, str) else None))


listener = Atspi.EventListener.new(on_event)
for kind in ("object:property-change:accessible-name", "object:property-change:accessible-value",
             "object:text-changed", "object:state-changed"):
    listener.register(kind)


def pump(seconds=0.05):
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        if not context.iteration(False):
            time.sleep(0.01)


def fail(what):
    print("FAIL: " + what, file=sys.stderr)
    sys.exit(1)


def wait_for(what, probe, seconds=30):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            found = probe()
        except GLib.Error:
            found = None
        if found:
            return found
        pump(0.1)
    fail(what)


def children(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield child


def find_all(node, test, depth=0):
    found = []
    if test(node):
        found.append(node)
    if depth < 16:
        for child in children(node):
            found.extend(find_all(child, test, depth + 1))
    return found


def find(node, role, name=None):
    hits = find_all(node, lambda n: n.get_role_name() == role and (name is None or n.get_name() == name))
    return hits[0] if hits else None


def text_of(node):
    text = node.get_text_iface() if hasattr(node, "get_text_iface") else None
    return Atspi.Text.get_text(node, 0, -1) if text is not None else None


def has_state(node, state):
    return node.get_state_set().contains(state)


def press(node):
    action = node.get_action_iface() if hasattr(node, "get_action_iface") else None
    if action is None:
        fail("%s %r has no actions" % (node.get_role_name(), node.get_name()))
    names = [Atspi.Action.get_action_name(node, i) for i in range(Atspi.Action.get_n_actions(node))]
    if "Press" not in names:
        fail("%s %r cannot be pressed (actions %r)" % (node.get_role_name(), node.get_name(), names))
    Atspi.Action.do_action(node, names.index("Press"))


def application():
    desktop = Atspi.get_desktop(0)
    for app in children(desktop):
        if app.get_name() == APP:
            return app
    return None


app = wait_for("the program on the accessibility bus", application)
window = wait_for("the main window", lambda: find(app, "frame", "CORVANE"))
status = wait_for("a status bar", lambda: find(window, "status bar"))
talking = ("Corvane connected...", "Corvane ready...")
wait_for("the status line says the unit talks",
         lambda: status.get_name() in talking and text_of(status) == status.get_name())

# The demo unit starts by showing its About page; choices made before that would be overtaken.
page = wait_for("the page pane", lambda: find(window, "panel", "Page"))
wait_for("the unit's first page", lambda: find(page, "label", "Corvane unit simulator"))

# The function menu is a tree: its entries carry their level and open and close.
tree = wait_for("the function menu tree", lambda: find(window, "tree", "Function menu"))


def entry(parent, name):
    return next((c for c in children(parent) if c.get_name() == name), None)


def open_branch(parent, name, level):
    branch = wait_for("menu entry %r" % name, lambda: entry(parent, name))
    if branch.get_description() != "level %d" % level:
        fail("%r says %r, not level %d" % (name, branch.get_description(), level))
    if not has_state(branch, Atspi.StateType.EXPANDABLE) or has_state(branch, Atspi.StateType.EXPANDED):
        fail("%r is not a closed branch" % name)
    if branch.get_child_count() != 0:
        fail("closed branch %r shows entries" % name)
    press(branch)
    wait_for("%r opened" % name, lambda: has_state(branch, Atspi.StateType.EXPANDED) and branch.get_child_count() > 0)
    return branch


vehicle = open_branch(tree, "Vehicle", 1)
engine = open_branch(vehicle, "Engine", 2)
live = wait_for("leaf 'Live data'", lambda: entry(engine, "Live data"))
if has_state(live, Atspi.StateType.EXPANDABLE) or live.get_description() != "level 3":
    fail("'Live data' is not a leaf at level 3")
heard.clear()
press(live)

# The page: its title, four named readings with values, and the progress bar.
wait_for("the page title", lambda: find(page, "label", "Engine running - live values"))
readings = {}
for caption in ("Engine speed", "Coolant temp.", "Vehicle speed", "Battery"):
    box = wait_for("reading %r" % caption, lambda c=caption: find(page, "text", c))
    value = wait_for("a value in %r" % caption, lambda b=box: (text_of(b) or "").strip())
    readings[caption] = value
bar = wait_for("the load bar", lambda: find(page, "progress bar", "Progress"))
wait_for("the load bar's value", lambda: Atspi.Value.get_current_value(bar) > 0)
print("readings: %s; load %s" % (readings, Atspi.Value.get_current_value(bar)))



def choice_announced():
    # The status line tells that the unit works on the choice, and then that it is done. The text
    # comes with the event: by the time a listener asks for the line's name it may have moved on.
    said = [e[3] for e in heard if e[1] == "status bar" and e[0] == "object:text-changed:insert"]
    busy = "Function in progress, please wait..."
    return busy in said and "Corvane ready..." in said[said.index(busy):]


wait_for("the choice and its end announced in the status line", choice_announced)
wait_for("a reading's change heard", lambda: any(e[1] == "text" and e[2] == "Engine speed" for e in heard))

# A page button pressed through AT-SPI reaches the unit, whose question is readable and answered.
workshop = open_branch(tree, "Workshop", 1)
heard.clear()
press(wait_for("leaf 'Pop-ups'", lambda: entry(workshop, "Pop-ups")))
wait_for("the unit's answer to the choice of 'Pop-ups'", choice_announced)
question = wait_for("the page button 'Question'", lambda: find(page, "push button", "Question"))
press(question)


def question_box():
    for node in children(app):
        alert = find(node, "alert")
        if alert is not None and "Do you see this question?" in (alert.get_description() or ""):
            return alert
    return None


alert = wait_for("the unit's question as an alert", question_box)
if alert.get_description() != "Do you see this question? Answer YES or NO.":
    fail("the question reads %r" % alert.get_description())
if not find(alert, "label", "Answer YES or NO."):
    fail("the question's second line is no label")
press(wait_for("the YES button", lambda: find(alert, "push button", "YES")))
received = wait_for("the unit's record of the answer",
                    lambda: next((m for m in find_all(page, lambda n: n.get_role_name() == "text")
                                  if "box result 3 (YES)" in (text_of(m) or "")), None))
print("answered YES through AT-SPI; the unit received: %r" % text_of(received).split("\n")[-1])
print("screen reader: every reading named and valued, the question read and answered")
