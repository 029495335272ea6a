#!/usr/bin/env bash
# Runs lupdate over the sources into a copy of the French catalogue and expects the copy to
# come out unchanged: every text the sources mark has its finished French, and the catalogue
# holds nothing the sources no longer have.
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
[ "$failed" -eq 0 ] && echo "PASS: the French catalogue is complete and current"
exit "$failed"
