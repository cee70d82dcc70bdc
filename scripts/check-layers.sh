#!/usr/bin/env bash
# Fails when a source folder includes from a folder above it. The folders, lowest first: each may
# include from itself and the folders before it, never from those after it.
set -u
root=${1:-$(dirname "$0")/..}
layers=(document render ui interaction app)
status=0
for ((i = 0; i < ${#layers[@]}; ++i)); do
  for ((j = i + 1; j < ${#layers[@]}; ++j)); do
    if hits=$(grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]${layers[j]}/" \
                -r --include='*.h' --include='*.cpp' "$root/${layers[i]}"); then
      echo "${layers[i]}/ must not include from ${layers[j]}/:"
      echo "$hits"
      status=1
    fi
  done
done
[ $status -eq 0 ] && echo "layers: ${layers[*]} (each includes only from itself and the ones before it)"
exit $status
