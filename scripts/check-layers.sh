#!/usr/bin/env bash
# Fails when a source folder includes from a folder above it, when one of app/'s sub-floors
# includes from a sub-floor above it, or when sources include each other in a circle. The folders,
# lowest first: each may include from itself and the folders before it, never from those after it.
# `--figures` prints the size and the levels of use of app/ as well.
set -u
figures=0
[ "${1:-}" = --figures ] && { figures=1; shift; }
root=${1:-$(dirname "$0")/..}
here=$(cd "$(dirname "$0")" && pwd)
status=0

# Includes of files under folder $1 that name a folder of the list after it.
check_floors() {
  local parent=$1; shift
  local floors=("$@")
  for ((i = 0; i < ${#floors[@]}; ++i)); do
    for ((j = i + 1; j < ${#floors[@]}; ++j)); do
      if hits=$(grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]${parent}${floors[j]}/" \
                  -r --include='*.h' --include='*.cpp' "$root/${parent}${floors[i]}"); then
        echo "${parent}${floors[i]}/ must not include from ${parent}${floors[j]}/:"
        echo "$hits"
        status=1
      fi
    done
  done
  [ $status -eq 0 ] && echo "floors: ${floors[*]} (each includes only from itself and the ones before it)"
}
layers=(document render ui interaction app)
check_floors "" "${layers[@]}"
# app/ holds its three sub-floors and nothing beside them.
app_floors=(state commands shell)
check_floors app/ "${app_floors[@]}"
if stray=$(find "$root/app" -maxdepth 1 -type f \( -name '*.h' -o -name '*.cpp' \)) && [ -n "$stray" ]; then
  echo "app/ keeps its sources in ${app_floors[*]}:"
  echo "$stray"
  status=1
fi

# The include graph: each file with the files it includes ("<file> <file>"), or each unit (a header
# and its source as one) with the units it uses.
edges() {
  (cd "$root" && find "${layers[@]}" \( -name '*.h' -o -name '*.cpp' \) | sort | while read -r f; do
    local from=$f
    [ "$1" = units ] && from=${f%.*}
    echo "$from"
    sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"((document|render|ui|interaction|app)\/[^"]*)".*/\1/p' "$f" |
      while read -r to; do
        [ "$1" = units ] && to=${to%.*}
        echo "$from $to"
      done
  done)
}
# No file includes itself through others, anywhere.
if ! edges files | awk -f "$here/include-graph.awk"; then
  echo "files include each other in a circle"
  status=1
fi
# Within app/, no unit uses itself through others: a command never reaches back into the shell.
app_units=$(edges units | awk '$1 ~ /^app\// && ($2 == "" || $2 ~ /^app\//)')
if ! echo "$app_units" | awk -f "$here/include-graph.awk"; then
  echo "units of app/ use each other in a circle"
  status=1
fi
if [ $figures -eq 1 ]; then
  echo "app/: $(cd "$root" && find app \( -name '*.h' -o -name '*.cpp' \) | wc -l) files," \
       "$(cd "$root" && cat $(find app \( -name '*.h' -o -name '*.cpp' \)) | wc -l) lines"
  echo "$app_units" | awk -v figures=app/ -f "$here/include-graph.awk"
fi
[ $status -eq 0 ] && echo "no include circles; no circles of use within app/"
exit $status
