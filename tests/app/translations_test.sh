#!/usr/bin/env bash
# Runs lupdate over the sources into a copy of the French catalogue and expects the copy to
# come out unchanged: every text the sources mark has its finished French, and the catalogue
# holds nothing the sources no longer have. Then reads the program's French, in the catalogue
# and in the packaging, for the conventions it keeps throughout.
# Usage: translations_test.sh LUPDATE SOURCE_DIR
set -euo pipefail
lupdate=$1
root=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
catalogue=$root/translations/brightwell_fr.ts
cp "$catalogue" "$work/brightwell_fr.ts"
"$lupdate" -silent -locations none -target-language fr_CA "$root/src" -ts "$work/brightwell_fr.ts"
failed=0
if grep -n 'type="unfinished"\|type="vanished"\|type="obsolete"' "$work/brightwell_fr.ts"; then
    echo "FAIL: texts without a finished French translation, or no longer in the sources (above)"
    failed=1
fi
if ! diff -u "$catalogue" "$work/brightwell_fr.ts"; then
    echo "FAIL: the catalogue is not what lupdate makes of the sources; run the update_translations target"
    failed=1
fi
# Every translation keeps the placeholders of its source.
python3 - "$catalogue" <<'PY' || failed=1
import re, sys, xml.etree.ElementTree as tree
bad = 0
for message in tree.parse(sys.argv[1]).iter('message'):
    source = ''.join(message.find('source').itertext())
    french = ''.join(message.find('translation').itertext())
    if sorted(re.findall(r'%\d', source)) != sorted(re.findall(r'%\d', french)):
        print(f"FAIL: placeholders differ: {source!r} -> {french!r}")
        bad = 1
sys.exit(bad)
PY
# The program speaks French with one voice wherever it does, in its windows and in what
# installs and describes it: the typographic apostrophe ’ of the guide's French edition, never
# the straight one; a no-break space inside « » and before a colon, none before ? ! ;;
# « questions manquées » for the questions answered wrongly; « l’examen » for the real test,
# « test » only for the practice tests.
python3 - "$root" <<'PY' || failed=1
import re, sys, xml.etree.ElementTree as tree
root = sys.argv[1]
french = []  # (where, text)
for message in tree.parse(f"{root}/translations/brightwell_fr.ts").iter('message'):
    french.append(("catalogue", ''.join(message.find('translation').itertext())))
for line in open(f"{root}/packaging/example.brightwell.Brightwell.desktop", encoding='utf-8'):
    if re.match(r'^\w+\[fr\]=', line):
        french.append(("desktop entry", line.strip()))
for element in tree.parse(f"{root}/packaging/example.brightwell.Brightwell.metainfo.xml").iter():
    if element.get('{http://www.w3.org/XML/1998/namespace}lang') == 'fr':
        french.append(("AppStream metadata", ''.join(element.itertext())))
for line in open(f"{root}/packaging/windows/NSIS.template.in", encoding='utf-8'):
    if line.startswith('LangString') and '${LANG_FRENCH}' in line:
        french.append(("installer", line.split('}', 1)[1].strip()))
readme = open(f"{root}/README.md", encoding='utf-8').read()
section = readme.split('\n## En français\n', 1)[1].split('\n## ', 1)[0]
french.append(("README", re.sub(r'`[^`]*`', 'code', section)))
faults = [
    (r"'", "a straight apostrophe"),
    (r"« | »| :", "an ordinary space inside « » or before a colon (a no-break one goes there)"),
    (r"[ \u00a0\u202f][?!;]", "a space before ? ! or ;"),
    (r"\brat[ée]", "« ratée » for a question answered wrongly (the program says « manquée »)"),
    (r"(?i)\bvrai test", "« test » for the real test (the program says « l’examen »)"),
]
bad = 0
for where, text in french:
    for pattern, fault in faults:
        if re.search(pattern, text):
            print(f"FAIL: {fault} in the {where}: {text!r}")
            bad = 1
if len({where for where, _ in french}) != 5:
    print("FAIL: not every French text was found")
    bad = 1
sys.exit(bad)
PY
[ "$failed" -eq 0 ] && echo "PASS: the French catalogue is complete and current"
exit "$failed"
