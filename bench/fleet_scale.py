#!/usr/bin/env python3
"""How a fleet scales: one ansible-playbook run of velmora.device.settings over
N simulated devices with F forks, against N velmoractl import calls one after
the other on as many fresh devices. Prints the wall time per device and the
ratio. Not a test: it has no goal and never fails on its figures.

  bench/fleet_scale.py [--build build] [--devices 50] [--forks 10]
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile
import time

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(TOP, 'tests', 'ansible'))
sys.dont_write_bytecode = True
from fleet_playbooks import Device, ansible_environment  # noqa: E402

OFFICE = {'PaperSize': 'Letter', 'Duplex': 'On', 'Copies': '2', 'PrintQuality': 'Best'}
PLAYBOOK = '''- hosts: all
  gather_facts: false
  tasks:
    - velmora.device.settings:
        device: "{{ device }}"
        settings: "{{ lookup('file', 'office.json') | from_json }}"
'''


def start_devices(devsim, sample, folder, count):
    return [Device(devsim, os.path.join(folder, 'device%d' % i), sample, ['--apply']) for i in range(count)]


def changed_everywhere(devices):
    return all(len(device.changes()) == 1 for device in devices)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--build', default=os.path.join(TOP, 'build'))
    parser.add_argument('--devices', type=int, default=50)
    parser.add_argument('--forks', type=int, default=10)
    options = parser.parse_args()
    devsim = os.path.join(options.build, 'tools', 'devsim')
    sample = os.path.join(TOP, 'samples', 'sample_mfp.xml')

    with tempfile.TemporaryDirectory(prefix='velmora-fleet-') as work:
        environment = ansible_environment(work, os.path.join(options.build, 'stage'), os.path.join(TOP, 'ansible'))
        environment['ANSIBLE_CALLBACKS_ENABLED'] = ''
        with open(os.path.join(work, 'office.json'), 'w') as office:
            json.dump(OFFICE, office)
        with open(os.path.join(work, 'fleet.yml'), 'w') as playbook:
            playbook.write(PLAYBOOK)

        devices = start_devices(devsim, sample, os.path.join(work, 'playbook'), options.devices)
        try:
            with open(os.path.join(work, 'inventory.yml'), 'w') as inventory:
                inventory.write('all:\n  vars:\n    ansible_connection: local\n'
                                '    ansible_python_interpreter: "{{ ansible_playbook_python }}"\n  hosts:\n')
                for i, device in enumerate(devices):
                    inventory.write('    desk%d: {device: %s}\n' % (i, json.dumps(device.path)))
            started = time.monotonic()
            run = subprocess.run(['ansible-playbook', '-i', 'inventory.yml', '--forks', str(options.forks),
                                  'fleet.yml'], cwd=work, env=environment, capture_output=True, text=True)
            playbook_seconds = time.monotonic() - started
            playbook_ok = run.returncode == 0 and changed_everywhere(devices)
        finally:
            for device in devices:
                device.stop()

        devices = start_devices(devsim, sample, os.path.join(work, 'sequential'), options.devices)
        try:
            velmoractl = os.path.join(work, 'run', 'bin', 'velmoractl')
            started = time.monotonic()
            statuses = [subprocess.run([velmoractl, device.path, 'import', os.path.join(work, 'office.json'),
                                        '--json'], env=environment, capture_output=True).returncode
                        for device in devices]
            sequential_seconds = time.monotonic() - started
            sequential_ok = statuses == [0] * len(devices) and changed_everywhere(devices)
        finally:
            for device in devices:
                device.stop()

    count = options.devices
    print('devices: %d, playbook forks: %d, CPUs: %d' % (count, options.forks, os.cpu_count()))
    print('playbook:   %6.2f s in all, %6.1f ms per device%s'
          % (playbook_seconds, 1000 * playbook_seconds / count, '' if playbook_ok else '  (NOT every device changed)'))
    print('sequential: %6.2f s in all, %6.1f ms per device%s'
          % (sequential_seconds, 1000 * sequential_seconds / count,
             '' if sequential_ok else '  (NOT every device changed)'))
    print('playbook / sequential: %.2f' % (playbook_seconds / sequential_seconds))
    if not playbook_ok:
        print(run.stdout[-3000:], run.stderr[-3000:])
    return 0 if playbook_ok and sequential_ok else 1


if __name__ == '__main__':
    sys.exit(main())
