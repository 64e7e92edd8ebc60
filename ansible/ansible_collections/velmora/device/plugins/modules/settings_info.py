#!/usr/bin/python
# -*- coding: utf-8 -*-
from __future__ import absolute_import, division, print_function

__metaclass__ = type

DOCUMENTATION = r'''
---
module: settings_info
short_description: Read the settings of a printer or multi-function device
version_added: "1.0.0"
description:
  - Reads every setting of a device attached to the managed host through C(velmoractl list --json),
    with the value, the options or range, and whether the device's rules disable or hide it now.
  - Nothing is sent to the device.
extends_documentation_fragment:
  - velmora.device.device
attributes:
  check_mode:
    description: Reads only; runs the same in check mode.
    support: full
  diff_mode:
    description: Changes nothing, so there is no difference to show.
    support: none
seealso:
  - module: velmora.device.settings
author:
  - Velmora developers
'''

EXAMPLES = r'''
- name: Read the device's settings
  velmora.device.settings_info:
    device: /dev/usb/lp0
  register: printer

- name: Show the paper size
  ansible.builtin.debug:
    msg: "{{ printer.current.PaperSize }}"

- name: Settings the rules disable now
  ansible.builtin.debug:
    msg: "{{ printer.settings | selectattr('enabled', 'false') | map(attribute='id') | list }}"
'''

RETURN = r'''
settings:
  description: Every setting in the order of the device's settings window.
  returned: success
  type: list
  elements: dict
  contains:
    id:
      description: The setting's id.
      type: str
    kind:
      description: The kind of control, for example C(stList), C(stInteger), C(stFloat), C(stEdit).
      type: str
    value:
      description: The current value, always text; absent for settings without a value (buttons, groups).
      type: str
      returned: when the setting has a value
    options:
      description: The option ids a list setting offers now.
      type: list
      elements: str
      returned: for list settings
    min:
      description: The lowest value of a number setting, as the rules leave it.
      type: str
      returned: for number settings
    max:
      description: The highest value of a number setting, as the rules leave it.
      type: str
      returned: for number settings
    step:
      description: The step of a number setting.
      type: str
      returned: for number settings
    digits:
      description: The decimals a decimal setting takes.
      type: str
      returned: for decimal settings
    enabled:
      description: Whether the rules let the setting be changed now.
      type: bool
    hidden:
      description: Whether the rules hide the setting now.
      type: bool
  sample: [{"id": "PaperSize", "kind": "stPaperSize", "value": "A4", "options": ["A4", "Letter"],
            "enabled": true, "hidden": false}]
current:
  description: The current value of every setting that has one, by id.
  returned: success
  type: dict
  sample: {"PaperSize": "A4", "Copies": "1", "Duplex": "Off"}
'''

from ansible.module_utils.basic import AnsibleModule
from ansible_collections.velmora.device.plugins.module_utils.velmoractl import (
    failure_message,
    run_json,
    velmoractl_command,
)


def main():
    module = AnsibleModule(
        argument_spec=dict(
            device=dict(type='path', required=True),
            velmoractl=dict(type='path'),
        ),
        supports_check_mode=True,
    )
    rc, settings, err = run_json(module, velmoractl_command(module, ['--json'], ['list']))
    if rc != 0 or not isinstance(settings, list):
        module.fail_json(msg=failure_message(rc, err), rc=rc, stderr=err)
    current = dict((s['id'], s['value']) for s in settings if 'value' in s)
    module.exit_json(changed=False, settings=settings, current=current)


if __name__ == '__main__':
    main()
