#!/usr/bin/env bash
# Runs one test program for CTest (every test entry goes through here).
#
# The program runs in a process group of its own with a time limit, and when it
# ends, whatever it forked and left running is ended too: a forked child whose
# parent crashed before killing it would otherwise hold CTest's output pipe open
# and hang the whole run.
#
# With --no-aslr (ThreadSanitizer builds) the program runs without address-space
# randomisation where the kernel lets us: ThreadSanitizer aborts with "unexpected
# memory mapping" on kernels with high mmap randomisation entropy.
set -uo pipefail

if [[ "${1:-}" == "--no-aslr" ]]; then
  shift
  if setarch "$(uname -m)" -R true 2>/dev/null; then
    set -- setarch "$(uname -m)" -R "$@"
  fi
fi

seconds=${NAVORA_TEST_TIMEOUT:-600}
set -m  # the background job below gets a process group of its own
timeout --kill-after=10 "$seconds" "$@" &
group=$!
# An interrupted run (Ctrl-C reaches only CTest's process group) ends the program too.
trap 'kill -KILL -- "-$group" 2>/dev/null; exit 130' INT TERM HUP
wait "$group"
status=$?
kill -KILL -- "-$group" 2>/dev/null
if [[ $status -eq 124 ]]; then
  echo "run-test.sh: timed out after ${seconds}s: $*" >&2
elif [[ $status -gt 128 ]]; then
  echo "run-test.sh: ended by signal $((status - 128)) ($(kill -l "$status")): $*" >&2
fi
exit "$status"
