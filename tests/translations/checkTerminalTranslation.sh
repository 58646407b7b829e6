#!/usr/bin/env bash
# Every line the program writes on the terminal (the sources' English texts
# of the context "terminal") has its Japanese in translations/tollbrook2_ja.ts,
# and the file keeps no line the sources no longer write: lupdate run over
# the sources into a copy of the file leaves nothing new and nothing gone.
#   checkTerminalTranslation.sh <lupdate> <source folder> <scratch folder>
set -euo pipefail
lupdate=$1 source=$2 scratch=$3
rm -rf "$scratch"
mkdir -p "$scratch"
trap 'rm -rf "$scratch"' EXIT

cp "$source/translations/tollbrook2_ja.ts" "$scratch/ja.ts"
"$lupdate" -silent -locations none "$source/src" -ts "$scratch/ja.ts"
python3 - "$scratch/ja.ts" <<'PYTHON'
import sys
import xml.etree.ElementTree as tree

faults = []
for context in tree.parse(sys.argv[1]).getroot().iter("context"):
    if context.findtext("name") != "terminal":
        continue
    for message in context.iter("message"):
        translation = message.find("translation")
        state = translation.get("type")
        if state == "unfinished" or not (translation.text or "").strip():
            faults.append("no Japanese for: " + message.findtext("source"))
        elif state in ("vanished", "obsolete"):
            faults.append("no longer in the sources: " + message.findtext("source"))
print("\n".join(faults))
sys.exit(1 if faults else 0)
PYTHON
