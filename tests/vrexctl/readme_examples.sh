#!/bin/sh
# SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
# SPDX-License-Identifier: BSD-3-Clause
# The README's diff and graph examples, run as written (vrexctl from the
# build tree, a scratch directory for /tmp/planted): the diff must print
# what the README shows, and each graph command must succeed.
# usage: readme_examples.sh README VREXCTL_DIR
set -eu
readme=$1
PATH="$2:$PATH"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$(dirname "$readme")"
sed -n '/^\$ rm -rf \/tmp\/planted/,/^\$ vrexctl diff/p' "$readme" |
    sed -e 's/^\$ //' -e "s|/tmp/planted|$work/planted|g" >"$work/commands"
sed -n '/^\$ vrexctl diff examples/,/^```/p' "$readme" | sed '1d;$d' >"$work/expected"
[ -s "$work/commands" ] && [ -s "$work/expected" ] || { echo "no diff example in $readme" >&2; exit 1; }
status=0
sh "$work/commands" >"$work/actual" 2>&1 || status=$?
[ "$status" -eq 1 ] || { echo "the diff example exited $status" >&2; exit 1; }
diff "$work/expected" "$work/actual"
grep '^\$ vrexctl .* graph' "$readme" | sed -e 's/^\$ //' -e "s|> site.png|> $work/site.png|" >"$work/graphs"
[ -s "$work/graphs" ] || { echo "no graph example in $readme" >&2; exit 1; }
command -v dot >/dev/null || sed -i '/--format=png/d' "$work/graphs"
sh -e "$work/graphs" >/dev/null
