"""Walks Larkspire's accessibility tree through AT-SPI, as a screen reader sees it.

Usage: atspi_walk.py WINDOW [CAPTION]  where WINDOW is input, results, tabs, report or about;
       atspi_walk.py text      asks every showing text for its text at, before and after every
                               offset from -1 to its length + 1, with every boundary;
       atspi_walk.py tab-events  presses Ctrl+Tab in the results window and lists the tabs whose
                               selection changed.
Prints one line per problem and exits 1 when there is one. In every window: each focusable,
showing control has a role and a name that is not just its current value (a list is named by the
label it is labelled by), every link label is a link a reader can press, and the window carries
the description that tells it from the others (they share one title). In the input window the six
birth lists are labelled. In the results window the focused description box speaks its result
and value (CAPTION, e.g. "Lucky Number is  2"), exactly one page tab is selected, and no tab
claims the focus while the box has it; with the focus in the tab strip (tabs), the selected tab
alone is focused.
"""
import os
import signal
import subprocess
import sys
import threading
import time

import pyatspi
from gi.repository import GLib

EXPECTED_LIST_LABELS = {"Day of birth", "Month of birth", "Year of birth",
                        "Hour of birth", "Minute of birth", "Second of birth"}
WINDOW_DESCRIPTIONS = {
    "input": "Names and the date and time of birth, for a reading",
    "results": "The reading, one result on each tab",
    "tabs": "The reading, one result on each tab",
    "report": "The report of the reading, to save or print",
    "about": "About Larkspire",
}


def find_app():
    for _ in range(100):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name == "larkspire":
                return app
        time.sleep(0.1)
    return None


def labels_of(accessible):
    names = []
    for relation in accessible.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for i in range(relation.getNTargets()):
                names.append(relation.getTarget(i).name)
    return names


def walk(accessible, found):
    states = accessible.getState()
    role = accessible.getRoleName()
    if accessible.getRole() == pyatspi.ROLE_LINK:
        actions = accessible.queryAction()
        found["links"].append((accessible.name, [actions.getName(i) for i in range(actions.nActions)]))
    if accessible.getRole() == pyatspi.ROLE_PAGE_TAB_LIST:
        found["tab lists"].append(accessible.name)
    if accessible.getRole() == pyatspi.ROLE_PAGE_TAB:
        found["tabs"].append((accessible.name, states.contains(pyatspi.STATE_SELECTED),
                              states.contains(pyatspi.STATE_FOCUSED)))
    # A text box's viewport reports the box's focus as its own (Qt's way); it is a filler that
    # screen readers pass over.
    if states.contains(pyatspi.STATE_FOCUSED) and accessible.getRole() != pyatspi.ROLE_FILLER:
        found["focused"].append(accessible)
    if states.contains(pyatspi.STATE_FOCUSABLE) and states.contains(pyatspi.STATE_SHOWING):
        name = accessible.name or ""
        labels = [label for label in labels_of(accessible) if label]
        if accessible.getRole() == pyatspi.ROLE_COMBO_BOX:
            found["lists"].update(labels)
            spoken = labels[0] if labels else ""
        else:
            spoken = name or (labels[0] if labels else "")
        if not role or role == "unknown":
            found["problems"].append("a control without a role, named %r" % name)
        elif not spoken.strip():
            found["problems"].append("a %s without a name (its value: %r)" % (role, name))
    for child in accessible:
        if child is not None:
            walk(child, found)


def problems_of(app, kind, caption):
    found = {"problems": [], "lists": set(), "links": [], "tabs": [], "tab lists": [], "focused": [],
             "descriptions": []}
    for window in app:
        if window is not None and window.getState().contains(pyatspi.STATE_SHOWING):
            found["descriptions"].append(window.description)
            walk(window, found)
    problems = found["problems"]
    if WINDOW_DESCRIPTIONS[kind] not in found["descriptions"]:
        problems.append("no window is described as %r (descriptions %r)"
                        % (WINDOW_DESCRIPTIONS[kind], found["descriptions"]))
    if kind == "input":
        missing = EXPECTED_LIST_LABELS - found["lists"]
        if missing:
            problems.append("lists not labelled: %s" % ", ".join(sorted(missing)))
    if kind != "about" and not found["links"]:
        problems.append("no link label is a link")
    for name, actions in found["links"]:
        if not name or "Press" not in actions:
            problems.append("the link %r cannot be pressed (actions %r)" % (name, actions))
    if kind in ("results", "tabs"):
        problems += tab_problems(found, kind, caption)
    return problems


def tab_problems(found, kind, caption):
    problems = []
    if found["tab lists"] != ["Results"]:
        problems.append("the tab list is named %r, not 'Results'" % found["tab lists"])
    selected = [name for name, is_selected, _ in found["tabs"] if is_selected]
    focused_tabs = [name for name, _, is_focused in found["tabs"] if is_focused]
    if len(found["tabs"]) != 6 or len(selected) != 1:
        problems.append("of %d tabs, %r are selected" % (len(found["tabs"]), selected))
    if len(found["focused"]) != 1:
        problems.append("%d objects claim the focus: %r"
                        % (len(found["focused"]), [(f.getRoleName(), f.name) for f in found["focused"]]))
    if kind == "tabs":
        if focused_tabs != selected:
            problems.append("the focused tabs %r are not the selected %r" % (focused_tabs, selected))
    elif focused_tabs:
        problems.append("tabs %r claim the focus while the description box has it" % focused_tabs)
    elif found["focused"]:
        box = found["focused"][0]
        if caption not in (box.name + " " + box.description):
            problems.append("the focused %s speaks %r / %r, not %r"
                            % (box.getRoleName(), box.name, box.description, caption))
    return problems


BOUNDARIES = {
    "char": pyatspi.TEXT_BOUNDARY_CHAR,
    "word start": pyatspi.TEXT_BOUNDARY_WORD_START, "word end": pyatspi.TEXT_BOUNDARY_WORD_END,
    "sentence start": pyatspi.TEXT_BOUNDARY_SENTENCE_START,
    "sentence end": pyatspi.TEXT_BOUNDARY_SENTENCE_END,
    "line start": pyatspi.TEXT_BOUNDARY_LINE_START, "line end": pyatspi.TEXT_BOUNDARY_LINE_END,
}
# A screen reader moving by word or sentence asks these questions, and each must be answered at
# once. What an answer costs is measured in the program's own processor time, which a busy machine
# does not stretch as it stretches the clock: no answer may cost more than LONGEST_ANSWER seconds
# of it, and all the answers of a walk no more than AVERAGE_ANSWER seconds each on average (some
# twenty times what they normally cost). A question the program never answers (Qt's line edit,
# left to itself, searches for ever for some word and sentence boundaries) is caught when it has
# cost STUCK seconds: the program is ended then, rather than left to grow without end.
LONGEST_ANSWER = 0.1
AVERAGE_ANSWER = 0.002
STUCK = 2.0


def processor_seconds(pid):
    """The processor time, user and system, that the process has spent."""
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


class Watchdog(threading.Thread):
    """Ends the program once it has spent STUCK seconds of processor time on one question."""

    def __init__(self, pid):
        super().__init__(daemon=True)
        self.pid = pid
        self.asked = 0
        self.done = False
        self.killed = False

    def run(self):
        seen, since = -1, 0.0
        while not self.done:
            time.sleep(0.05)
            try:
                spent = processor_seconds(self.pid)
            except OSError:
                return
            if self.asked != seen:
                seen, since = self.asked, spent
            elif spent - since > STUCK:
                self.killed = self.done = True
                os.kill(self.pid, signal.SIGKILL)


def texts_of(accessible, found):
    if accessible.getState().contains(pyatspi.STATE_SHOWING):
        try:
            found.append((accessible, accessible.queryText()))
        except NotImplementedError:
            pass
    for child in accessible:
        if child is not None:
            texts_of(child, found)


def text_problems(app):
    """Every question about every showing text, until the first answer that costs too much."""
    texts = []
    for window in app:
        if window is not None and window.getState().contains(pyatspi.STATE_SHOWING):
            texts_of(window, texts)
    if not texts:
        return ["no text to ask"]
    pid = app.get_process_id()
    watchdog = Watchdog(pid)
    watchdog.start()
    first = spent = processor_seconds(pid)
    for accessible, text in texts:
        length = text.characterCount
        described = "the %s %r (text of %d characters)" % (accessible.getRoleName(), accessible.name, length)
        for offset in range(-1, length + 2):
            for name, boundary in BOUNDARIES.items():
                for question in (text.getTextAtOffset, text.getTextBeforeOffset, text.getTextAfterOffset):
                    try:
                        question(offset, boundary)
                    except GLib.Error as error:
                        asked = "%s(%d, %s) of %s" % (question.__name__, offset, name, described)
                        if watchdog.killed:
                            return ["%s cost over %.1f s of processor time without an answer" % (asked, STUCK)]
                        return ["%s gave no answer: %s" % (asked, error.message)]
                    watchdog.asked += 1
                    before, spent = spent, processor_seconds(pid)
                    if spent - before > LONGEST_ANSWER:
                        return ["%s(%d, %s) of %s cost %.2f s of processor time"
                                % (question.__name__, offset, name, described, spent - before)]
    watchdog.done = True
    average = (spent - first) / watchdog.asked
    print("%d texts answered %d questions with %.2f s of processor time"
          % (len(texts), watchdog.asked, spent - first))
    if average > AVERAGE_ANSWER:
        return ["the answers cost %.1f ms of processor time each on average" % (average * 1000)]
    return []


def round_trip(app):
    """Asks the program a question: it answers after all it was told before, and the events it
    sent before answering come before the answer."""
    for window in app:
        if window is not None:
            window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            return


def tab_event_problems(app):
    """Ctrl+Tab, pressed in the results window, changes the selected tab: both the tab that takes
    the selection and the one that loses it say so, once."""
    changes = []

    def on_change(event):
        if event.source is not None and event.source.getRole() == pyatspi.ROLE_PAGE_TAB:
            changes.append((event.source.name, event.detail1))

    def told(selected):
        return [name for name, value in changes if value == selected]

    # The registry tells the program of a new listener before it answers the registration; the
    # program sends only the events someone listens for, and has heard of this listener once it
    # answers a question asked after it.
    pyatspi.Registry.registerEventListener(on_change, "object:state-changed:selected")
    round_trip(app)
    subprocess.run(["xdotool", "key", "ctrl+Tab"], check=True)
    deadline = time.monotonic() + 30

    def look():
        if told(1) and told(0):
            # Any more events of the key press come before the answer to a question asked now,
            # and are handled before the idle stop.
            round_trip(app)
            GLib.idle_add(pyatspi.Registry.stop)
            return False
        if time.monotonic() > deadline:
            pyatspi.Registry.stop()
            return False
        return True

    GLib.timeout_add(50, look)
    pyatspi.Registry.start()
    gained, lost = told(1), told(0)
    if len(gained) != 1 or len(lost) != 1 or gained == lost:
        return ["Ctrl+Tab told of tabs selected %r and unselected %r" % (gained, lost)]
    return []


def main():
    kind = sys.argv[1]
    caption = sys.argv[2] if len(sys.argv) > 2 else ""
    # Every question waits for its answer as long as the program works on it: a slow machine must
    # not turn a late answer into no answer (the text walk ends a program that works on for ever).
    pyatspi.setTimeout(120000, 120000)
    app = find_app()
    if app is None:
        print("Larkspire is not on the accessibility bus")
        return 1
    if kind in ("text", "tab-events"):
        problems = text_problems(app) if kind == "text" else tab_event_problems(app)
        for problem in problems:
            print(problem)
        return 1 if problems else 0
    # A window that has just appeared, or just changed, may not have all of it on the bus yet:
    # look again until it is complete, for up to ten seconds.
    deadline = time.monotonic() + 10
    while True:
        problems = problems_of(app, kind, caption)
        if not problems or time.monotonic() > deadline:
            break
        time.sleep(0.2)
    if not problems:
        return 0
    for problem in problems:
        print(problem)
    return 1


if __name__ == "__main__":
    sys.exit(main())
