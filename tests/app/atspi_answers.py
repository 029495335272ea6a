# Chooses answers and unticks the review box through the desktop's accessibility bus, as a
# screen reader, a voice-control tool or a switch device does, and checks that the program
# kept what was chosen. Run by atspi_answers_test.sh inside its own X server and session bus.
import os
import sys
import time

import pyatspi

failures = []
passes = []

# The names the program gives its controls, in the language the test sits in: "fr" when the
# program is started on a French desktop (atspi_answers_test.sh fr).
NAMES = {
    "en": {"of": "of", "start": "Start Test", "next": "Next", "previous": "Previous", "finish": "Finish",
           "yes": "Yes", "result": "Test Result", "review": "View wrong answers only.", "answer": "Answer",
           "switch": "Fran\u00e7ais", "redo": "Redo Incorrect Questions"},
    "fr": {"of": "de", "start": "D\u00e9marrer le test", "next": "Suivante", "previous": "Pr\u00e9c\u00e9dente",
           "finish": "Terminer", "yes": "Oui", "result": "R\u00e9sultat du test",
           "review": "Seulement les manqu\u00e9es.", "answer": "R\u00e9ponse", "switch": "English",
           "redo": "Refaire les manqu\u00e9es"},
}
LANGUAGE = os.environ.get("BRIGHTWELL_TEST_LANGUAGE", "en")
N = NAMES[LANGUAGE]
OTHER = NAMES["en" if LANGUAGE == "fr" else "fr"]


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


def position(p, of=None):
    return f"Question {p} {of or N['of']} 5"


def names(root):
    return {node.name for node in walk(root) if node.name}


PART = os.environ.get("BRIGHTWELL_ATSPI_PART", "answers")
pyatspi.setTimeout(20000, 60000)
app = wait("the program on the bus", application)
app.set_cache_mask(0)  # ask the program each time, never a copy
main = wait("the main window", lambda: find(app, "frame", "Brightwell V4.38"))
# The whole bank, read through the bus as a screen reader reads it: with every question in the
# history, Redo gives a test of all 165, and each question is read once, every one in the
# language of the desktop.
def bank_questions(file):
    # The question of each row of the compiled-in table, as the program shows it.
    import re
    text = open(os.path.join(os.environ["BRIGHTWELL_SOURCE_DIR"], "src", "bank", file), encoding="utf-8").read()
    rows = re.findall(r'/\* *\d+ \*/ \{(?:Topic::\w+, )?"((?:[^"\\]|\\.)*)"', text)
    return {re.sub(r'\\(.)', r'\1', row) for row in rows}


if PART == "bank":
    expected = bank_questions("bank_data_fr.cpp" if LANGUAGE == "fr" else "bank_data.cpp")
    check("the bank has 165 questions in the test's language", lambda: len(expected) == 165)
    act(find(main, "push button", N["redo"]), "Press")
    label = None
    read = []
    following = find(main, "push button", N["next"])
    for p in range(1, 166):
        wait(f"question {p} of 165", lambda: frame_caption(main).name == f"Question {p} {N['of']} 165")
        label = label or find(main, "label", prefix="1. ")
        line = wait(f"the text of question {p}", lambda: label.name if label.name.startswith(f"{p}. ") else None)
        read.append(line.split(". ", 1)[1])
        if p < 165:
            act(following, "Press")
    check("all 165 questions read through the bus, each once", lambda: len(set(read)) == 165)
    check("every question read is one of the bank's in the desktop's language", lambda: set(read) == expected)
    for line in sorted(set(read) ^ expected)[:6]:
        print("     read" if line in read else "     not read", repr(line))
    print(f"{len(passes)} passed, {len(failures)} failed")
    sys.exit(1 if failures else 0)


if LANGUAGE == "fr":
    # Started on a French desktop, it shows no caption of the English program.
    english = {value for key, value in NAMES["en"].items() if key not in ("of", "switch")}
    english |= {"About", "Redo Incorrect Questions", "Clear Incorrect History", "Info Center", "Purchase CD",
                "Practice Question Number:", "5 Questions"}
    check("no English caption on a French desktop", lambda: not (names(main) & english))
act(find(main, "push button", N["start"]), "Press")
wait("the first question", lambda: frame_caption(main) and frame_caption(main).name == position(1))
answers = lambda: [find(main, "radio button", prefix=f"{N['answer']} {letter}") for letter in "ABCD"]
wait("the answers", lambda: all(answers()))


def move_away_and_back():
    act(find(main, "push button", N["next"]), "Press")
    wait("question 2", lambda: frame_caption(main).name == position(2))
    act(find(main, "push button", N["previous"]), "Press")
    wait("question 1", lambda: frame_caption(main).name == position(1))


act(answers()[1], "Toggle")
wait("B selected", lambda: checked(answers()[1]))
move_away_and_back()
check("B, chosen through the bus, is still chosen after moving away and back", lambda: checked(answers()[1]))
act(answers()[2], "Toggle")
wait("C selected", lambda: checked(answers()[2]))
move_away_and_back()
check("C replaced B", lambda: checked(answers()[2]) and not checked(answers()[1]))

# The language item, through the bus, in the middle of the test: every caption changes, the
# answer stays; and back.
for now_in, item in ((OTHER, N["switch"]), (N, OTHER["switch"])):
    act(find(main, "menu item", item), "Press")
    wait(f"the switch to {now_in['start']!r}", lambda: frame_caption(main).name == position(1, now_in["of"]))
    check(f"after the switch to {now_in['start']!r} C is still chosen",
          lambda: checked(find(main, "radio button", prefix=f"{now_in['answer']} C")))

# Finish: the question, then the result window, both answered through the bus.
act(find(main, "push button", N["finish"]), "Press")
question = wait("the Finish question", lambda: find(app, "dialog", "Brightwell") or find(app, "alert", "Brightwell"))
act(find(question, "push button", N["yes"]), "Press")
result = wait("the result window", lambda: find(app, "dialog", N["result"]))
act(find(result, "push button", "OK"), "Press")
wait("the result window to close", lambda: find(app, "dialog", N["result"]) is None)
stored = os.path.join(os.environ["XDG_CONFIG_HOME"], "Lumbra.conf")
wait("the saved history", lambda: os.path.exists(stored))

# Items 2 to 5 were left unanswered, so the review is on; move within it, then untick the box.
box = find(main, "check box", N["review"])
check("the review box is ticked", lambda: checked(box))
# A pressed button is released, and clicked, a moment after the bus has answered: wait for the
# item to change from the one shown, which is item 2 when C was right on item 1.
shown = frame_caption(main).name
act(find(main, "push button", N["next"]), "Press")
wait("the next wrong item", lambda: frame_caption(main).name != shown)
act(box, "Toggle")
wait("the box unticked", lambda: not checked(box))
check("unticking the box through the bus shows item 1", lambda: frame_caption(main).name == position(1))
check("C is still chosen on item 1", lambda: checked(answers()[2]))


print(f"{len(passes)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
