#!/bin/sh
# The catalog check on a small tree with one fault of each kind it must
# find: a text without translation, a translation with other placeholders,
# a window text past the catalog, and a marking file missing from
# po/POTFILES. Passes when the check fails naming each, and accepts the
# same tree mended.
# usage: catalog-check-refuses.sh CHECK_SCRIPT WORK_FOLDER
set -eu
check=$1
work=$2
rm -rf "$work"
mkdir -p "$work/tree/po" "$work/tree/app" "$work/tree/gui" "$work/tree/convert/dialogs"
cd "$work/tree"
printf 'app/Dialog.cpp\n' >po/POTFILES
cat >app/Dialog.cpp <<'SOURCE'
void Build()
{
    Add(Tr("Schließen"));
    Add(Tr("%d Texte"));
    Add(Tr("Neu"));
    Add(wxString::FromUTF8("Öffnen"));
    Add(wxString::FromUTF8("\n"));
    Add(wxString::FromUTF8("seq")); // untranslated: an extension
}
SOURCE
printf 'void Other() { Add(Tr("Später")); }\n' >app/Other.cpp
cat >po/en.po <<'CATALOG'
msgid ""
msgstr "Content-Type: text/plain; charset=UTF-8\n"

msgid "Schließen"
msgstr "Close"

#, c-format
msgid "%d Texte"
msgstr "%s texts"
CATALOG

status=0
if sh "$check" . "$work/run" >"$work/out" 2>&1; then
    echo "the check accepted a tree with faults"
    status=1
fi
for expected in '"Neu"' 'format specifications' 'app/Dialog.cpp:6:' 'app/Other.cpp marks texts but is not in po/POTFILES'; do
    grep -q -- "$expected" "$work/out" || { echo "not found: $expected"; status=1; }
done
grep -q 'Dialog.cpp:7:\|Dialog.cpp:8:' "$work/out" && { echo "a text without letters or a marked one was refused"; status=1; }

# Mended, the same tree passes.
printf 'app/Dialog.cpp\napp/Other.cpp\n' >po/POTFILES
sed -i 's/FromUTF8("Öffnen")/FromUTF8("Öffnen")); \/\/ untranslated: a test/' app/Dialog.cpp
cat >>po/en.po <<'CATALOG'

msgid "Neu"
msgstr "New"

msgid "Später"
msgstr "Later"
CATALOG
sed -i 's/msgstr "%s texts"/msgstr "%d texts"/' po/en.po
if ! sh "$check" . "$work/run" >"$work/out" 2>&1; then
    echo "the check refused the mended tree:"
    cat "$work/out"
    status=1
fi
[ "$status" -ne 0 ] && cat "$work/out"
exit "$status"
