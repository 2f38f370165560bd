#!/bin/sh
# SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
# SPDX-License-Identifier: BSD-3-Clause
# Fails when TOOL's help (--help, --help-all, help COMMAND) names an option,
# command or command word that the man page PAGE does not mention, or when
# the page's header names another version than TOOL --version.
# usage: check_manpage.sh TOOL PAGE
set -eu
tool=$1
page=$2
help=$("$tool" --help) || { echo "$tool --help failed" >&2; exit 1; }
commands=$(printf '%s\n' "$help" | awk '
    /^[A-Za-z ]*[Cc]ommands:$/ { on = 1; next }
    on && /^$/ { on = 0 }
    on && /^  [a-z]/ { sub(/^  /, ""); sub(/   .*/, ""); print }' | tr ' |[]' '\n\n\n\n' | grep . || true)
for command in $(printf '%s\n' "$commands" | grep '^[a-z]' || true); do
    help="$help
$("$tool" help "$command" 2>/dev/null || true)"
done
help="$help
$("$tool" --help-all 2>/dev/null || true)"
# Ours are -x and --word; Qt's own (-platform, -style, ...) are left to Qt.
options=$(printf '%s\n' "$help" |
    grep -oE '(^|[][[:space:],|])(--[A-Za-z][A-Za-z-]*|-[A-Za-z])([^A-Za-z-]|$)' |
    grep -oE -e '--?[A-Za-z][A-Za-z-]*')
# Roff escapes and font changes are not part of the words.
text=$(sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' "$page")
missing=
for word in $options $commands; do
    printf '%s\n' "$text" | grep -qwF -e "$word" || missing="$missing $word"
done
version=$("$tool" --version | awk '{ print $NF; exit }')
grep '^\.TH ' "$page" | grep -qF -e "${version:-no version}" || missing="$missing version $version"
if [ -n "$missing" ]; then
    echo "$page does not mention:$missing" >&2
    exit 1
fi
