"""Walks Larkspire's accessibility tree through AT-SPI, as a screen reader sees it.

Usage: atspi_walk.py WINDOW_WIDTH...  Prints one line per problem and exits 1 when there is one:
every focusable, showing control needs a role and a name that is not just its current value (a
list is named by the label it is labelled by), the six birth lists are labelled by their labels,
and every link label is a link a reader can press.
"""
import sys
import time

import pyatspi

EXPECTED_LIST_LABELS = {"Day of birth", "Month of birth", "Year of birth",
                        "Hour of birth", "Minute of birth", "Second of birth"}


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


def problems_of(app, kind):
    found = {"problems": [], "lists": set(), "links": []}
    for window in app:
        if window is not None and window.getState().contains(pyatspi.STATE_SHOWING):
            walk(window, found)
    problems = found["problems"]
    if kind == ["input"]:
        missing = EXPECTED_LIST_LABELS - found["lists"]
        if missing:
            problems.append("lists not labelled: %s" % ", ".join(sorted(missing)))
    if not found["links"]:
        problems.append("no link label is a link")
    for name, actions in found["links"]:
        if not name or "Press" not in actions:
            problems.append("the link %r cannot be pressed (actions %r)" % (name, actions))
    return problems


def main():
    app = find_app()
    if app is None:
        print("Larkspire is not on the accessibility bus")
        return 1
    # A window that has just appeared may not have all of its tree on the bus yet: look again
    # until it is complete, for up to ten seconds.
    for _ in range(50):
        problems = problems_of(app, sys.argv[1:])
        if not problems:
            return 0
        time.sleep(0.2)
    for problem in problems:
        print(problem)
    return 1


if __name__ == "__main__":
    sys.exit(main())
