#!/usr/bin/env bash
# Before the suite: notes what the real user's home holds where this program or Qt could write.
# After it: fails when any of that changed, so a test that escaped its temporary home is caught.
# usage: home-guard.sh snapshot|compare FILE
set -euo pipefail
mode=$1 file=$2
home=${HOME:?}
list() {
  # The names at the top of the home, and every file under the folders the program writes to.
  find "$home" -mindepth 1 -maxdepth 1 -printf '%f\n' | LC_ALL=C sort
  for d in .config .local/share .local/state Documents Tobrin; do
    if [ -e "$home/$d" ]; then
      find "$home/$d" -xdev -printf '%P %y %s %T@\n' | sed "s|^|$d/|"
    fi
  done | LC_ALL=C sort
}
case $mode in
  snapshot) list >"$file" ;;
  compare)
    if ! diff <(cat "$file") <(list) >"$file.diff"; then
      echo "the test run changed the real home ($home):"
      cat "$file.diff"
      exit 1
    fi
    echo "real home unchanged ($home)"
    ;;
  *) exit 2 ;;
esac
