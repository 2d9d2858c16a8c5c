#!/bin/bash
# Runs the bash completion of morawin-cli on typed command lines and checks
# the words it offers. The bash-completion package need not be installed:
# its two helpers are stood in for, _filedir records what it was asked for.
set -u
completion=$1

_init_completion()
{
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}
    words=("${COMP_WORDS[@]}")
    cword=$COMP_CWORD
}
_filedir()
{
    COMPREPLY=("<files${1:+ $1}>")
}
# shellcheck source=/dev/null
source "$completion"

failures=0
# expect "typed line" "words offered, space separated"; the cursor is at
# the end of the line, a trailing space starts a new word.
expect()
{
    read -r -a COMP_WORDS <<<"$1"
    [[ $1 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _morawin_cli
    local got="${COMPREPLY[*]}"
    if [[ $got != "$2" ]]; then
        echo "FAIL: '$1' offered '$got', expected '$2'"
        failures=$((failures + 1))
    fi
}

expect "morawin-cli " "operands project show convert diff history undo redo --help --language --version"
expect "morawin-cli --language " "de en"
expect "morawin-cli operands a.seq --language " "de en"
expect "morawin-cli co" "convert"
expect "morawin-cli --" "--help --language --version"
expect "morawin-cli operands " "<files seq|csv|tsv|txt|xlsx>"
expect "morawin-cli operands --" "--help --language --kinds --json --sheet --separator --encoding --columns --header-row"
expect "morawin-cli operands a.seq --kinds " "E A M T Z EAM TZ"
expect "morawin-cli operands a.seq " "--help --language --kinds --json --sheet --separator --encoding --columns --header-row"
expect "morawin-cli operands a.csv --encoding " "utf-8 utf-16 windows-1252"
expect "morawin-cli operands a.csv --separator " "\\; , tab"
expect "morawin-cli operands --columns address=2 " "<files seq|csv|tsv|txt|xlsx>"
expect "morawin-cli project " "<files -d>"
expect "morawin-cli project p " "--help --language"
expect "morawin-cli show " "<files -d>"
expect "morawin-cli show --" "--help --language --json"
expect "morawin-cli show p " ""
expect "morawin-cli show p S01 " "--help --language --json"
expect "morawin-cli convert --all " "<files seq|csv|tsv|txt|xlsx>"
expect "morawin-cli convert a.seq " "<files -d>"
expect "morawin-cli convert --group S01 a.seq " "<files -d>"
# After the sequence file and the project folder only options are left.
all="--help --language --all --kinds --group --list --group-name --list-name --answer --settings --dry-run --json --sheet --separator --encoding --columns --header-row"
expect "morawin-cli convert a.seq p " "$all"
expect "morawin-cli convert a.seq p --all " "$all"
expect "morawin-cli convert --kinds E a.seq p --group S01 " "$all"
expect "morawin-cli convert a.seq p --a" "--all --answer"
expect "morawin-cli convert a.seq p --answer y" "yes yes-all"
expect "morawin-cli convert a.seq p --settings " "<files ini>"
expect "morawin-cli convert a.seq p --group " ""
expect "morawin-cli convert a.seq p --d" "--dry-run"
expect "morawin-cli di" "diff"
expect "morawin-cli diff " "<files seq|csv|tsv|txt|xlsx>"
expect "morawin-cli diff a.seq " "<files -d>"
expect "morawin-cli diff --kinds E a.seq " "<files -d>"
expect "morawin-cli diff a.seq p --" "--help --language --kinds --settings --json --apply --sheet --separator --encoding --columns --header-row"
expect "morawin-cli diff a.seq p --settings " "<files ini>"
expect "morawin-cli undo " "<files -d>"
expect "morawin-cli undo p " ""
expect "morawin-cli undo p 3 " "--help --language --only-unchanged --settings"
expect "morawin-cli redo p " "--help --language --only-unchanged --settings"
expect "morawin-cli history p " "--help --language --json --settings"

# Every command the tool knows is offered, and every option of each
# command's --help for that command.
cli=${2:-}
if [[ -n $cli ]]; then
    commands=$("$cli" --help | sed -n '/^Subcommands:/,/^$/p' | awk 'NR > 1 && NF { print $1 }')
    [[ -n $commands ]] || { echo "FAIL: no commands in '$cli --help'"; failures=$((failures + 1)); }
    for command in $commands; do
        COMP_WORDS=(morawin-cli "")
        COMP_CWORD=1
        COMPREPLY=()
        _morawin_cli
        if [[ " ${COMPREPLY[*]} " != *" $command "* ]]; then
            echo "FAIL: command '$command' is not offered"
            failures=$((failures + 1))
        fi
    done
    for command in $commands; do
        COMP_WORDS=(morawin-cli "$command" --)
        COMP_CWORD=2
        COMPREPLY=()
        _morawin_cli
        for option in $("$cli" "$command" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
            if [[ " ${COMPREPLY[*]} " != *" $option "* ]]; then
                echo "FAIL: '$command $option' is not offered"
                failures=$((failures + 1))
            fi
        done
    done
fi

[[ $failures -eq 0 ]] && echo "completion: all cases offered what they should"
exit $((failures > 0))
