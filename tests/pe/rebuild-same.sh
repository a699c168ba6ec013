#!/bin/bash
# Builds the i686 release a second time, from a copy of the source in
# another folder and at a later time, and checks that both programs come
# out byte for byte the same as in the first build tree: anyone who
# rebuilds a release can then compare it with what was shipped.
#   rebuild-same.sh SOURCE_DIR FIRST_BUILD_DIR WORK_DIR
set -euo pipefail

source_dir=$1
first=$2
work=$3
programs="game/win32/Zendaro.exe setup/setup.exe"

for program in $programs; do
  [ -f "$first/$program" ] || { echo "rebuild-same: $first/$program is not built (make i686)" >&2; exit 1; }
done

# A longer, different path than the first build's, for both the source and
# the build tree.
copy=$work/another-folder/zendaro-source
rm -rf "$work"
mkdir -p "$copy"
if git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  # What the first build saw: tracked and new files, not the ignored build
  # trees; a file deleted but not yet committed is skipped.
  git -C "$source_dir" ls-files -z --cached --others --exclude-standard |
    tar -C "$source_dir" --null -T - --ignore-failed-read -cf - 2>/dev/null |
    tar -C "$copy" -xf -
else
  tar -C "$source_dir" --exclude=./build --exclude=./dist -cf - . | tar -C "$copy" -xf -
fi

# The link time of the second build is at least a second after the first's.
first_time=$(stat -c %Y "$first/setup/setup.exe")
while [ "$(date +%s)" -le "$first_time" ]; do sleep 1; done

# The same recipe as the first build; the outer make's job server is not ours.
env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL \
  make -C "$copy" --no-print-directory i686 JOBS=2 >"$work/build.log" 2>&1 ||
  { cat "$work/build.log" >&2; echo "rebuild-same: the second build failed" >&2; exit 1; }

status=0
for program in $programs; do
  if cmp -s "$first/$program" "$copy/build/i686/$program"; then
    echo "same bytes: $program"
  else
    status=1
    echo "rebuild-same: $program differs from the first build's" \
      "(rebuild with make i686 if the source changed since):" >&2
    echo "  offset (from 1), first build's byte, second build's byte (octal):" >&2
    { cmp -l "$first/$program" "$copy/build/i686/$program" 2>&1 || true; } | head -8 | sed 's/^/  /' >&2
  fi
done
[ "$status" -eq 0 ] && rm -rf "$work"
exit "$status"
