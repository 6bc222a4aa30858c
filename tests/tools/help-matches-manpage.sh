#!/usr/bin/env bash
# Usage: help-matches-manpage.sh PROGRAM MANPAGE
# Every option that `PROGRAM --help` prints must appear in the manual page, and every option
# the manual page names must be one that --help prints, so neither can drift from the other.
set -euo pipefail
program=$1
manpage=$2

# Options are words that begin with one dash and a letter, or two dashes and a letter, and
# stand at the start of a line or after a blank, a bracket, a bar or a comma.
options() {
    grep -oE '(^|[][ |,(])--?[A-Za-z][A-Za-z0-9-]*' | sed -E 's/^[][ |,(]//' | sort -u
}

help_options=$("$program" --help | options)
# The page's source: drop comment lines, turn \- into -, drop font changes and quote marks.
man_options=$(grep -v '^\.\\"' "$manpage" | sed -E 's/\\-/-/g; s/\\f[BIRP]//g; s/"//g' | options)
# Qt's own options that the viewer's page mentions as an example of what it leaves to Qt.
man_options=$(grep -vxE -- '-platform' <<<"$man_options" || true)

status=0
only_help=$(comm -23 <(echo "$help_options") <(echo "$man_options"))
only_man=$(comm -13 <(echo "$help_options") <(echo "$man_options"))
if [ -n "$only_help" ]; then
    echo "In --help of $(basename "$program") but not in $(basename "$manpage"):" $only_help
    status=1
fi
if [ -n "$only_man" ]; then
    echo "In $(basename "$manpage") but not in --help of $(basename "$program"):" $only_man
    status=1
fi
[ -n "$help_options" ] || { echo "--help printed no option"; status=1; }
[ $status -eq 0 ] && echo "$(basename "$program"): $(echo $help_options | wc -w) options in both"
exit $status
