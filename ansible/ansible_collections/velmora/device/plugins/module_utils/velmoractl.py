# -*- coding: utf-8 -*-
# Running velmoractl for the modules of this collection.
from __future__ import absolute_import, division, print_function

__metaclass__ = type

import json


def velmoractl_command(module, options, command):
    """velmoractl's command line: the program and its options, then "--", the
    device's path and the command, so that no path is taken for an option."""
    program = module.params['velmoractl'] or module.get_bin_path('velmoractl', required=True)
    return [program] + options + ['--', module.params['device']] + command


def run_json(module, command_line):
    """Runs velmoractl and reads the one JSON document it prints; None when
    it printed none (a wrong command line, a file it could not read)."""
    rc, out, err = module.run_command(command_line)
    try:
        document = json.loads(out) if out.strip() else None
    except ValueError:
        document = None
    return rc, document, err


def failure_message(rc, err):
    """What velmoractl said on standard error, else its exit status."""
    lines = [line.strip() for line in err.splitlines() if line.strip()]
    return ' '.join(lines) if lines else 'velmoractl ended with status %d' % rc
