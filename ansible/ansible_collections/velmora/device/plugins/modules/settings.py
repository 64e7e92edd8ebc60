#!/usr/bin/python
# -*- coding: utf-8 -*-
from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r'''
---
module: settings
short_description: Keep the settings of a printer or multi-function device at given values
version_added: "1.0.0"
description:
  - Brings the settings of a device attached to the managed host to the values given, through
    C(velmoractl import). The values pass the same rules as in the settings window (ranges, option
    lists, patterns, settings that other settings disable or hide).
  - Values go in in the order of the device's own description, whatever their order here, and only
    values that differ from the device's are sent. A number counts as equal when its setting writes
    it the same way, so C("6.3") matches a device value of C(6.30).
  - Settings not named are left as they are.
  - When any value is refused, nothing at all is sent to the device and the task fails with every
    refused value and the reason for each.
  - Values are text. YAML turns unquoted C(On), C(Off), C(yes) and C(no) into booleans, which are
    refused with a message asking for quotes. Plain numbers are taken as their text.
extends_documentation_fragment:
  - velmora.device.device
options:
  settings:
    description:
      - Setting ids (as C(velmoractl DEVICE list) shows them) and the values they should hold.
      - A file of settings written by C(velmoractl DEVICE export --json FILE) comes in through the
        C(file) lookup and the C(from_json) filter; see the examples.
    type: dict
    required: true
attributes:
  check_mode:
    description: Nothing is sent; the result says whether anything would change.
    support: full
  diff_mode:
    description: The device's values before and the values after, for the settings given that change.
    support: full
seealso:
  - module: velmora.device.settings_info
author:
  - Velmora developers
'''

EXAMPLES = r'''
- name: Every device of the office prints the same way
  velmora.device.settings:
    device: /dev/usb/lp0
    settings:
      PaperSize: A4
      Duplex: "On"
      Copies: "1"
      TopMargin: "5.0"

- name: Shared settings from a file written by velmoractl export --json, plus this desk's own name
  velmora.device.settings:
    device: "{{ printer_device }}"
    settings: "{{ lookup('file', 'office-printers.json') | from_json | combine(printer_identity) }}"

- name: Only see what would change
  velmora.device.settings:
    device: /dev/usb/lp0
    settings: "{{ lookup('file', 'office-printers.json') | from_json }}"
  check_mode: true
  diff: true
'''

RETURN = r'''
changed:
  description: Whether the device's settings differed from the values given (in check mode, whether they would be changed).
  returned: always
  type: bool
sent:
  description: Whether a change was sent to the device and the device took it.
  returned: success
  type: bool
  sample: true
diff:
  description: The device's values before and the values after, for the settings given that change.
  returned: success
  type: dict
  sample: {"before": {"Duplex": "Off", "PaperSize": "Letter"}, "after": {"Duplex": "On", "PaperSize": "A4"}}
refused:
  description: Every value the device's rules refused, with the reason for each; nothing was sent then.
  returned: failure
  type: list
  elements: dict
  sample: [{"id": "Copies", "value": "100", "reason": "'100' is not a valid entry for 'Copies' (1 to 99)"}]
'''

import json
import os

from ansible.module_utils.basic import AnsibleModule
from ansible.module_utils.six import integer_types, string_types
from ansible_collections.velmora.device.plugins.module_utils.velmoractl import (
    failure_message,
    run_json,
    velmoractl_command,
)


def values_as_text(module, settings):
    """The values as velmoractl takes them: text, numbers as their text; a
    boolean is what YAML made of an unquoted On or Off, and is refused."""
    unquoted = sorted(str(k) for k, v in settings.items() if isinstance(v, bool))
    if unquoted:
        module.fail_json(msg="Values are text: write %s in quotes (YAML reads an unquoted On, Off, yes or no "
                             "as true or false)" % ', '.join(unquoted))
    wrong = sorted(str(k) for k, v in settings.items()
                   if not isinstance(v, string_types + integer_types + (float,)))
    if wrong:
        module.fail_json(msg='Values are text, not lists or mappings: %s' % ', '.join(wrong))
    return dict((str(k), v if isinstance(v, string_types) else str(v)) for k, v in settings.items())


def refusal_message(refused):
    return '; '.join("%s=%s: %s" % (r['id'], json.dumps(r['value']), r['reason']) for r in refused)


def main():
    module = AnsibleModule(
        argument_spec=dict(
            device=dict(type='path', required=True),
            settings=dict(type='dict', required=True),
            velmoractl=dict(type='path'),
        ),
        supports_check_mode=True,
    )
    values = values_as_text(module, module.params['settings'])

    path = os.path.join(module.tmpdir, 'settings.json')
    with open(path, 'w') as settings_file:
        json.dump(values, settings_file)
    options = ['--json', '--diff'] + (['--check'] if module.check_mode else [])
    rc, report, err = run_json(module, velmoractl_command(module, options, ['import', path]))

    if report is None:
        module.fail_json(msg=failure_message(rc, err), rc=rc, stderr=err)
    if rc != 0 or report['refused'] or report['error']:
        if report['refused']:
            message = refusal_message(report['refused'])
        else:
            message = report['error'] or failure_message(rc, err)
        module.fail_json(msg=message, rc=rc, refused=report['refused'], stderr=err)
    diff = dict(report['diff'], before_header=module.params['device'], after_header='settings')
    module.exit_json(changed=report['changed'], sent=report['sent'], diff=diff)


if __name__ == '__main__':
    main()
