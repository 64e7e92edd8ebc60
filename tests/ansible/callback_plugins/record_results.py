# Writes every task result of a playbook run as one JSON line to the file
# named by VELMORA_RESULTS, with the seconds from the task's start on its host.
from __future__ import absolute_import, division, print_function

__metaclass__ = type

import json
import os
import time

from ansible.plugins.callback import CallbackBase


class CallbackModule(CallbackBase):
    CALLBACK_VERSION = 2.0
    CALLBACK_TYPE = 'aggregate'
    CALLBACK_NAME = 'record_results'
    CALLBACK_NEEDS_ENABLED = True

    def __init__(self):
        super(CallbackModule, self).__init__()
        self._started = {}

    def v2_runner_on_start(self, host, task):
        self._started[(host.get_name(), task._uuid)] = time.monotonic()

    def _record(self, result, status):
        host = result._host.get_name()
        started = self._started.get((host, result._task._uuid), time.monotonic())
        entry = {'host': host, 'task': result._task.get_name(), 'status': status,
                 'seconds': time.monotonic() - started, 'result': result._result}
        with open(os.environ['VELMORA_RESULTS'], 'a') as results:
            results.write(json.dumps(entry, default=str) + '\n')

    def v2_runner_on_ok(self, result):
        self._record(result, 'ok')

    def v2_runner_on_failed(self, result, ignore_errors=False):
        self._record(result, 'failed')
