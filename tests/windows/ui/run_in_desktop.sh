#!/bin/sh
# Runs one Windows-tier test program under wine inside a virtual desktop of its own. Without a
# window manager, Wine waits about two seconds each time a shown top-level window is hidden or
# destroyed; inside a virtual desktop it does not, which keeps tests that open many dialogs
# fast. The desktop does not pass on the program's exit status, so the status is taken from
# the GoogleTest XML that the program writes (no file, or a failure in it, is a failure).
# Usage: run_in_desktop.sh <desktop-name> <program.exe> --gtest_output=xml:<path> [arguments...]
set -u
desktop=$1
shift
xml=""
for arg in "$@"; do
  case $arg in
    --gtest_output=xml:*) xml=${arg#--gtest_output=xml:} ;;
  esac
done
# The program sees the path through Z:, the Linux root.
xml_file=${xml#Z:}
if [ -z "$xml_file" ]; then
  echo "run_in_desktop.sh: no --gtest_output=xml:<path> given" >&2
  exit 2
fi
rm -f "$xml_file"
timeout -k 10 280 wine explorer "/desktop=$desktop,1024x768" "$@"
if [ ! -s "$xml_file" ]; then
  echo "run_in_desktop.sh: the program wrote no results (it crashed or hung)" >&2
  exit 1
fi
if grep -Eq '<testsuites[^>]*(failures|errors)="[1-9]' "$xml_file"; then
  exit 1
fi
exit 0
