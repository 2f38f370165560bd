#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
# SPDX-License-Identifier: BSD-3-Clause
"""The test suite for scripts/mutation-check, one process per executable.

Reads `ctest --show-only=json-v1` on stdin and runs each test executable
once, all its tests in one process, with the command, environment and
working directory ctest would use, instead of one process per test: the
same tests at a fraction of the start-ups. Executables with a test whose
name matches LATE_PATTERN run last. Appends all output to LOG; on the first
failure prints the executable and its first failing test and exits 1.

A fault can make a test loop for ever: an executable of the first round
that runs longer than 120 s (MUTATION_TIMEOUT) counts as failed; the late
ones get 900 s.

Usage: mutation_suite.py LATE_PATTERN LOG
"""
import json
import os
import re
import signal
import subprocess
import sys


def run(command, env, cwd, limit, skip_code):
    """Output and whether it failed. The command is ctest's emulator wrapping
    the executable (cmake -E env ...): on a timeout the whole process group
    is killed, or the looping test would outlive the run. A test that exits
    with its SKIP_RETURN_CODE has not failed."""
    with subprocess.Popen(command, env=env, cwd=cwd, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, start_new_session=True) as process:
        try:
            output = process.communicate(timeout=limit)[0]
            return output.decode(errors='replace'), process.returncode not in (0, skip_code)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            output = process.communicate()[0]
            return output.decode(errors='replace') + '\n(timed out)', True


def main():
    late = re.compile(sys.argv[1])
    groups = {}
    for test in json.load(sys.stdin)['tests']:
        command = test.get('command')
        if not command:
            continue
        properties = {p['name']: p['value'] for p in test.get('properties', [])}
        # The whole executable, not the one test ctest would filter for.
        base = tuple(a for a in command if not a.startswith('--gtest_filter='))
        key = (base, tuple(properties.get('ENVIRONMENT', [])), properties.get('WORKING_DIRECTORY'),
               properties.get('SKIP_RETURN_CODE'))
        groups[key] = groups.get(key, False) or bool(late.search(test['name']))

    with open(sys.argv[2], 'a') as log:
        for phase in (False, True):
            for (command, environment, cwd, skip_code), is_late in groups.items():
                if is_late != phase:
                    continue
                env = dict(os.environ)
                env.update(e.split('=', 1) for e in environment)
                limit = 900 if phase else int(os.environ.get('MUTATION_TIMEOUT', 120))
                output, failed = run(command, env, cwd, limit, skip_code)
                log.write('### %s\n%s\n' % (' '.join(command), output))
                if failed:
                    program = next(a for a in command if '/cmake' not in a and os.path.isabs(a))
                    test = re.search(r'^\[  FAILED  \] (\S+)', output, re.M)
                    print('%s %s' % (os.path.basename(program), test.group(1) if test else '(exit or timeout)'))
                    return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
