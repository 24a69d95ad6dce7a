#!/usr/bin/env bash
# Runs a test program as the unprivileged user "nobody" when started as root,
# so that tests of read-only files see them refused as a navigator's account
# would (root writes through a read-only mode). Where nobody cannot reach the
# program (a build under a private home), it runs as it is, and those tests
# skip themselves.
set -uo pipefail

drop=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
if [[ $(id -u) -eq 0 ]] && command -v setpriv >/dev/null && id nobody >/dev/null 2>&1 &&
   "${drop[@]}" test -x "$1" -a -r . 2>/dev/null; then
  exec "${drop[@]}" "$@"
fi
exec "$@"
