#!/usr/bin/env bash
# Checks the program's layers from its includes: a file includes only headers
# of its own layer or a lower one (never by a "../" path), the data layers and
# the rules include no Qt Widgets header, and no folder includes a folder that
# includes it back. Prints every fault and fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(media records words game windows app) # lowest first
widgetless=(media records words game)
widgets_dir=$(ls -d /usr/include/*/qt6/QtWidgets /usr/include/qt6/QtWidgets 2>/dev/null | head -n 1 || true)

rank() { local i; for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }; done; echo -1; }
faults=0
fault() { echo "layers: $*" >&2; faults=$((faults + 1)); }
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT

while IFS= read -r file; do
    layer=${file%%/*}
    own=$(rank "$layer")
    folder=$(dirname "$file")
    nowidgets=false
    for l in "${widgetless[@]}"; do [ "$l" = "$layer" ] && nowidgets=true; done
    while IFS= read -r line; do
        if [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
            name=${BASH_REMATCH[1]}
            case "$name" in *..*) fault "$file includes \"$name\" by a relative path"; continue ;; esac
            [ -f "$folder/$name" ] && [[ $name != */* ]] && continue # beside it
            found=
            for l in "${layers[@]}"; do
                if [ -f "$l/$name" ]; then found=$l; break; fi
            done
            [ -n "$found" ] || continue # generated (moc) or a system header
            [ "$(rank "$found")" -le "$own" ] || fault "$file ($layer) includes $found/$name from a higher layer"
            target=$(dirname "$found/$name")
            [ "$target" = "$folder" ] || echo "$folder $target" >>"$edges"
        elif $nowidgets && [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<(QtWidgets/)?([A-Za-z]+)\> ]]; then
            if [ -n "${BASH_REMATCH[1]}" ] || { [ -n "$widgets_dir" ] && [ -f "$widgets_dir/${BASH_REMATCH[2]}" ]; }; then
                fault "$file ($layer) includes the widget header <${BASH_REMATCH[1]}${BASH_REMATCH[2]}>"
            fi
        fi
    done <"$file"
done < <(git ls-files -- "${layers[@]/%//*.h}" "${layers[@]/%//*.cpp}" 2>/dev/null || find "${layers[@]}" -name '*.h' -o -name '*.cpp')

# A loop between folders: tsort names the folders on it.
if ! loops=$(sort -u "$edges" | tsort 2>&1 >/dev/null) || [ -n "$loops" ]; then
    fault "folders that include each other: $(echo "$loops" | grep -v 'input contains a loop' | sed 's/^tsort: //' | tr '\n' ' ')"
fi

[ "$faults" -eq 0 ] || { echo "layers: $faults fault(s)" >&2; exit 1; }
echo "layers: every include looks down"
