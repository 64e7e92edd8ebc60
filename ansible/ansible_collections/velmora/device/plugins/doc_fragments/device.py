# -*- coding: utf-8 -*-
# The options every module of this collection shares: the device and the
# velmoractl that reaches it.
from __future__ import absolute_import, division, print_function

__metaclass__ = type


class ModuleDocFragment(object):
    DOCUMENTATION = r'''
requirements:
  - velmoractl on the managed host, with read and write access to the device node
options:
  device:
    description:
      - Path of the device node, for example C(/dev/usb/lp0).
    type: path
    required: true
  velmoractl:
    description:
      - Path of the velmoractl program. When not given it is looked up on C(PATH).
    type: path
'''
