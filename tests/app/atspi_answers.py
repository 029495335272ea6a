# Chooses answers and unticks the review box through the desktop's accessibility bus, as a
# screen reader, a voice-control tool or a switch device does, and checks that the program
# kept what was chosen. Run by atspi_answers_test.sh inside its own X server and session bus.
import os
import sys
import time

import pyatspi

failures = []
passes = []


# A loaded machine answers slowly, and the bus gives up on a call after a moment by default:
# every step gets its time, and a step that still fails says why.
DEADLINE = 30


def wait(what, condition, seconds=DEADLINE):
    end = time.time() + seconds
    last = None
    while time.time() < end:
        try:
            value = condition()
            if value:
                return value
        except Exception as error:  # the tree changes under us while the window builds
            last = error
        time.sleep(0.05)
    raise SystemExit(f"timed out waiting for {what}" + (f" ({last})" if last else ""))


def check(what, condition, seconds=DEADLINE):
    # The bus brings changes a moment after the program makes them: give each one time.
    end = time.time() + seconds
    ok = False
    last = None
    while not ok and time.time() < end:
        try:
            ok = bool(condition())
        except Exception as error:
            ok = False
            last = error
        if not ok:
            time.sleep(0.05)
    print(("ok   " if ok else "FAIL ") + what + ("" if ok or last is None else f" ({last})"))
    (passes if ok else failures).append(what)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Brightwell":
            return app
    return None


def find(root, role, name=None, prefix=None):
    for node in walk(root):
        if node.getRoleName() != role:
            continue
        if name is not None and node.name != name:
            continue
        if prefix is not None and not (node.name or "").startswith(prefix):
            continue
        return node
    return None


def act(node, action):
    actions = node.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) == action:
            actions.doAction(i)
            return
    raise SystemExit(f"{node.name!r} has no action {action}")


def checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)


def frame_caption(app):
    return find(app, "panel", prefix="Question ")


pyatspi.setTimeout(20000, 60000)
app = wait("the program on the bus", application)
app.set_cache_mask(0)  # ask the program each time, never a copy
main = wait("the main window", lambda: find(app, "frame", "Brightwell V4.38"))
act(find(main, "push button", "Start Test"), "Press")
wait("the first question", lambda: frame_caption(main) and frame_caption(main).name == "Question 1 of 5")
answers = lambda: [find(main, "radio button", prefix=f"Answer {letter}: ") for letter in "ABCD"]
wait("the answers", lambda: all(answers()))


def move_away_and_back():
    act(find(main, "push button", "Next"), "Press")
    wait("question 2", lambda: frame_caption(main).name == "Question 2 of 5")
    act(find(main, "push button", "Previous"), "Press")
    wait("question 1", lambda: frame_caption(main).name == "Question 1 of 5")


act(answers()[1], "Toggle")
wait("B selected", lambda: checked(answers()[1]))
move_away_and_back()
check("B, chosen through the bus, is still chosen after moving away and back", lambda: checked(answers()[1]))
act(answers()[2], "Toggle")
wait("C selected", lambda: checked(answers()[2]))
move_away_and_back()
check("C replaced B", lambda: checked(answers()[2]) and not checked(answers()[1]))

# Finish: the question, then the result window, both answered through the bus.
act(find(main, "push button", "Finish"), "Press")
question = wait("the Finish question", lambda: find(app, "dialog", "Brightwell") or find(app, "alert", "Brightwell"))
act(find(question, "push button", "Yes"), "Press")
result = wait("the result window", lambda: find(app, "dialog", "Test Result"))
act(find(result, "push button", "OK"), "Press")
wait("the result window to close", lambda: find(app, "dialog", "Test Result") is None)
stored = os.path.join(os.environ["XDG_CONFIG_HOME"], "Lumbra.conf")
wait("the saved history", lambda: os.path.exists(stored))

# Items 2 to 5 were left unanswered, so the review is on; move within it, then untick the box.
box = find(main, "check box", "View wrong answers only.")
check("the review box is ticked", lambda: checked(box))
# A pressed button is released, and clicked, a moment after the bus has answered: wait for the
# item to change from the one shown, which is item 2 when C was right on item 1.
shown = frame_caption(main).name
act(find(main, "push button", "Next"), "Press")
wait("the next wrong item", lambda: frame_caption(main).name != shown)
act(box, "Toggle")
wait("the box unticked", lambda: not checked(box))
check("unticking the box through the bus shows item 1", lambda: frame_caption(main).name == "Question 1 of 5")
check("C is still chosen on item 1", lambda: checked(answers()[2]))

print(f"{len(passes)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
