#!/bin/sh
# The translations against the sources. Fails when a German source text
# that the files of po/POTFILES mark (N_ in the string table, Tr in the
# dialogs) has no translation in a po/<language>.po, when a translation's
# placeholders differ from its source's, or when a text of the programs'
# windows is written as a literal past the catalog.
# usage: catalog-check.sh SOURCE_TOP WORK_FOLDER
set -eu
top=$1
work=$2
mkdir -p "$work"
cd "$top"
status=0

LC_ALL=C.UTF-8 xgettext --from-code=UTF-8 --language=C++ --keyword=N_ --keyword=Tr \
    --flag=N_:1:c-format --flag=Tr:1:c-format -f po/POTFILES -o "$work/morawin.pot" 2>"$work/xgettext.log" || {
    cat "$work/xgettext.log"
    exit 1
}
for po in po/*.po; do
    # The sources' texts with the catalog's translations and the sources'
    # format flags, so that msgfmt compares the placeholders.
    msgmerge --quiet --no-fuzzy-matching "$po" "$work/morawin.pot" -o "$work/merged.po"
    # Untranslated and fuzzy texts count as missing; each is named.
    for kind in --untranslated --only-fuzzy; do
        msgattrib --no-obsolete --no-wrap "$kind" "$work/merged.po" | grep '^msgid ' | grep -v '^msgid ""$' |
            sed "s|^msgid |$po: no translation of |" >"$work/missing" || true
        if [ -s "$work/missing" ]; then
            cat "$work/missing"
            status=1
        fi
    done
    msgfmt --check-format -o /dev/null "$work/merged.po" || status=1
done

# Every window source that marks texts is one xgettext reads.
for file in $(grep -rl --include='*.cpp' 'Tr("' app gui convert/dialogs); do
    grep -qx "$file" po/POTFILES || { echo "$file marks texts but is not in po/POTFILES"; status=1; }
done
# In the windows' sources, a text with a letter in it made into a wxString
# as a literal bypasses the catalog; a line that must do so says why with
# "// untranslated:".
if grep -rnHE --include='*.cpp' --include='*.h' \
    '(FromUTF8|FromUtf8|wxS|wxASCII_STR)\("(\\.|[^"\\A-Za-z])*[A-Za-z]|L"(\\.|[^"\\A-Za-z])*[A-Za-z]' \
    app gui convert/dialogs | grep -v '// untranslated:' >"$work/literals"; then
    echo "texts written past the catalog:"
    cat "$work/literals"
    status=1
fi
exit "$status"
