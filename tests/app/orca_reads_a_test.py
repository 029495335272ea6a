# Sits a 5-question test with keys only while the Orca screen reader runs, and reads from Orca's
# debug log what it spoke at each step: the first question as the test starts, the next
# question after Page Down and Next, the score as the result window opens, the verdict and the
# answer chosen in the review, a choice made on the answer the keyboard is on, and the language
# switch in the new language. Keys are typed into the X server as a person types them.
# Run by orca_test.sh, which starts the bus, the speech server, Orca and the window manager.
import os
import re
import subprocess
import sys
import termios
import threading
import time
import xml.etree.ElementTree as ElementTree

PROGRAM = sys.argv[1]
LANGUAGE = os.environ["BRIGHTWELL_TEST_LANGUAGE"]
OTHER = "en" if LANGUAGE == "fr" else "fr"
WORK = os.environ["BRIGHTWELL_WORK"]
SOURCE = os.environ["BRIGHTWELL_SOURCE_DIR"]
# A loaded machine is slow, and Orca slower: every step waits on what Orca says, for long.
DEADLINE = float(os.environ.get("BRIGHTWELL_ORCA_DEADLINE", "90"))

failures = []


def check(what, ok, detail=""):
    print(("ok   " if ok else "FAIL ") + what + ("" if ok or not detail else f"\n     {detail}"))
    if not ok:
        failures.append(what)


# The program's texts in each language, as its French catalogue gives them.
def catalogue():
    texts = {}
    root = ElementTree.parse(os.path.join(SOURCE, "translations", "brightwell_fr.ts")).getroot()
    for context in root.iter("context"):
        for message in context.iter("message"):
            source = message.findtext("source")
            texts[source] = message.findtext("translation") or ""
    return texts


FRENCH = catalogue()


def tr(source, language=LANGUAGE):
    return FRENCH[source] if language == "fr" else source


def key_of(caption):
    # The letter after the mnemonic marker, as Alt and that letter.
    return "alt+" + caption[caption.index("&") + 1].lower()


def bank_questions():
    # The question of each row of the compiled-in table, as the program shows it.
    name = "bank_data_fr.cpp" if LANGUAGE == "fr" else "bank_data.cpp"
    text = open(os.path.join(SOURCE, "src", "bank", name), encoding="utf-8").read()
    rows = re.findall(r'/\* *\d+ \*/ \{(?:Topic::\w+, )?"((?:[^"\\]|\\.)*)"', text)
    return {re.sub(r'\\(.)', r'\1', row) for row in rows}


QUESTIONS = bank_questions()


# Orca's debug log. Orca writes it through a buffer that it empties only when full, so that what
# it just said can stay unwritten for as long as it says little more; written to a terminal,
# each line goes out as it ends. Orca is given one, whose lines are gathered here (and kept in
# orca.log for a failure's report).
log_lock = threading.Lock()
log_text = []


def start_orca():
    controller, terminal = os.openpty()
    settings = termios.tcgetattr(terminal)
    settings[1] &= ~termios.OPOST  # lines as Orca writes them
    termios.tcsetattr(terminal, termios.TCSANOW, settings)
    orca = subprocess.Popen(
        ["orca", "--disable", "braille", "--disable", "braille-monitor", "--debug-file", os.ttyname(terminal)],
        stdout=open(os.path.join(WORK, "orca.out"), "w"), stderr=subprocess.STDOUT)
    copy = open(os.path.join(WORK, "orca.log"), "wb")

    def gather():
        while True:
            try:
                data = os.read(controller, 65536)
            except OSError:  # Orca has closed it
                data = b""
            if not data:
                return
            copy.write(data)
            copy.flush()
            with log_lock:
                log_text.append(data.decode("utf-8", errors="replace"))

    threading.Thread(target=gather, daemon=True).start()
    return orca, terminal


# What Orca spoke, utterance by utterance, from the start of its log.
def spoken():
    with log_lock:
        text = "".join(log_text)
    return re.findall(r"SPEECH OUTPUT: '(.*?)'(?= ?\{| voice=|$)", text, re.S | re.M)


def wait_for(what, condition, since=0):
    # Waits until Orca has said what condition looks for in what it said after utterance since.
    end = time.time() + DEADLINE
    while time.time() < end:
        said = spoken()[since:]
        found = condition(said)
        if found:
            return found
        time.sleep(0.1)
    print("     Orca said, from that step on:")
    for line in spoken()[since:]:
        print("       " + repr(line))
    raise SystemExit(f"timed out waiting for Orca to say {what}")


def saying(pattern):
    # The first utterance that matches the regular expression, as a match.
    regex = re.compile(pattern)
    return lambda said: next((m for m in map(regex.search, said) if m), None)


def type_key(key):
    # Marks where Orca's speech stood, then types the key into the X server.
    mark = len(spoken())
    subprocess.run(["xdotool", "key", "--clearmodifiers", key], check=True)
    return mark


def step(title):
    print(f"--- {title}")


def question_pattern(position):
    return re.escape(tr("Question %1 of %2")).replace("%1", str(position)).replace("%2", "5")


def answer_pattern(letter):
    # letter is a pattern itself: "A", or "[A-D]".
    return re.escape(tr("Answer %1: ")).replace("%1", letter)


orca, terminal = start_orca()
program = None
try:
    # Orca is up when it has said so.
    wait_for("that it is on", lambda said: len(said) > 0)
    program = subprocess.Popen([PROGRAM], stderr=open(os.path.join(WORK, "program.log"), "w"))
    step("the window opens on the size list, whose entry is read")
    mark = 0
    wait_for("the size list's entry", saying(re.escape(tr("5 Questions"))), mark)

    step("the test starts: the position, the first question and the answer the keyboard is on")
    start_key = key_of(tr("&Start Test"))
    mark = type_key(start_key)
    first = wait_for("the first question", saying(r"^1\. (.+)$"), mark)
    wait_for("the first answer", saying("^" + answer_pattern("A")), mark)
    said = spoken()[mark:]
    check("the position is said once, as the frame's name",
          sum(1 for line in said if re.search(question_pattern(1), line)) == 1, said)
    check("the first question is one of the bank's", first.group(1) in QUESTIONS, first.group(1))
    questions = [first.group(1)]
    answers = {}

    step("A chosen on the answer the keyboard is already on is confirmed")
    mark = type_key("a")
    wait_for("the choice", saying(re.escape(tr("Answer %1 chosen").replace("%1", "A"))), mark)
    answers[1] = "A"

    next_key = key_of(tr("&Next"))
    for position, key in ((2, "Next"), (3, next_key)):
        step(f"{key}: question {position}, said with the answer the keyboard is on")
        mark = type_key(key)
        told = wait_for(f"question {position}",
                        saying(question_pattern(position) + r"\. " + str(position) + r"\. (.+?) "
                               + answer_pattern("[A-D]")), mark)
        check(f"question {position} is one of the bank's and not an earlier one",
              told.group(1) in QUESTIONS and told.group(1) not in questions, told.group(0))
        questions.append(told.group(1))
        if position == 2:
            step("C on another answer: the keyboard moves there and the answer is read as chosen")
            mark = type_key("c")
            wait_for("answer C", saying("^" + answer_pattern("C")), mark)
            answers[2] = "C"
    step("3 on C, where the keyboard is: chosen, as with C")
    mark = type_key("3")
    wait_for("the choice", saying(re.escape(tr("Answer %1 chosen").replace("%1", "C"))), mark)
    answers[3] = "C"
    # Orca passes over a notification when another comes before it has read it: each step
    # waits for what it was told before the next key.

    step("the language switched, said in the new language, and back")
    for language in (OTHER, LANGUAGE):
        mark = type_key("alt+l")
        wait_for(f"the switch to {language}", saying(re.escape(tr("Brightwell is now in English.", language))), mark)

    step("Page Up goes back a question")
    mark = type_key("Prior")
    wait_for("question 2 again", saying(question_pattern(2) + r"\. 2\. " + re.escape(questions[1])), mark)
    mark = type_key("Next")
    wait_for("question 3", saying(question_pattern(3)), mark)
    for position in (4, 5):
        mark = type_key("Next")
        told = wait_for(f"question {position}", saying(question_pattern(position) + r"\. \d\. (.+?) " + answer_pattern("[A-D]")), mark)
        questions.append(told.group(1))
        if position == 4:
            mark = type_key("a")
            wait_for("answer A", saying("^" + answer_pattern("A")), mark)
            answers[4] = "A"
    # Question 5 is left unanswered, so the review has at least one item.

    step("Finish: the result window says the score as it opens")
    mark = type_key(key_of(tr("&Finish")))
    total, right, percentage = (re.escape(tr(caption)) for caption in ("Question Total:", "Correct Questions:", "Percentage:"))
    score = wait_for("the score", saying(total + r" 5, " + right + r" (\d), " + percentage + r" (.+?)$"), mark)
    correct = int(score.group(1))
    percent = f"{correct * 20:.1f}%" if LANGUAGE == "en" else f"{correct * 20:.1f}".replace(".", ",") + "\u00a0%"
    check("the score is whole and consistent", correct <= 4 and score.group(2) == percent, score.group(0))

    step("OK: the review reads the first wrong question, its verdict and the answer chosen")
    mark = type_key("Return")
    wrong = re.escape(tr("Your answer is WRONG, the correct answer is %1")).replace("%1", "([A-D])")
    review = wait_for("the first wrong question and its verdict", saying(r"^(\d)\. (.+?) " + wrong), mark)
    position = int(review.group(1))
    check("the review's question is the one asked at that position", review.group(2) == questions[position - 1],
          review.group(0))
    chosen = answers.get(position)
    if chosen:
        cross = tr("%1 is the wrong choice selected").replace("%1", chosen)
        wait_for("which answer was chosen", saying(re.escape(cross)), mark)
        check("the answer said to be chosen is not the right one", chosen != review.group(3), review.group(0))

    step("no lone Alt left the keyboard in the menu; F10 opens it")
    menu = re.escape(tr("&About").replace("&", ""))
    check("the menu was never read before F10", not any(re.match(menu, line) for line in spoken()), "")
    mark = type_key("F10")
    wait_for("the menu", saying("^" + menu), mark)
    type_key("Escape")
finally:
    # Orca ends on a signal only from its main loop: one that does not end is killed.
    for process in (program, orca):
        if process:
            process.terminate()
            try:
                process.wait(timeout=30)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
    os.close(terminal)

print(f"{len(failures)} failed")
sys.exit(1 if failures else 0)
