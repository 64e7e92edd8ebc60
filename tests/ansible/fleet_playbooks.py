#!/usr/bin/env python3
"""The velmora.device collection on the real Ansible engine.

A playbook (fleet.yml) over local hosts, each with its own simulated device
and the staged velmoractl found on PATH: a check run, a first run over good
and failing hosts, and a second run. Also: the collection builds, and
ansible-doc renders both modules. Exit status 77 (skipped) without
ansible-playbook.

  fleet_playbooks.py --stage DIR --devsim PROGRAM --collections DIR --sample FILE
"""
import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

HERE = os.path.dirname(os.path.abspath(__file__))
# velmoractl's exchange budget with the device, in seconds.
EXCHANGE_BUDGET = 3.0
# The office's values in fleet.yml that differ from the sample device's.
OFFICE = {'PaperSize': 'Letter', 'Duplex': 'On', 'Copies': '2'}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print('FAIL: ' + message)


class Device:
    """One devsim with its node and record file in folder."""

    def __init__(self, devsim, folder, description, options):
        os.makedirs(folder)
        self.path = os.path.join(folder, 'device')
        self.record = os.path.join(folder, 'record.jsonl')
        self.process = subprocess.Popen(
            [devsim, '--record', self.record] + options + [description, self.path],
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        # It prints the node's path once the node can be opened.
        if not self.process.stdout.readline():
            raise RuntimeError('devsim did not start: ' + self.process.stderr.read())

    def changes(self):
        """The values of every change document received, in order."""
        received = []
        if os.path.exists(self.record):
            with open(self.record) as record:
                for line in record:
                    unit = json.loads(line)
                    if unit['request'] == 'changes':
                        settings = ElementTree.fromstring(unit['text']).find('PrinterSettingsInfo')
                        received.append({e.tag: e.get('CURRENT') for e in settings})
        return received

    def stop(self):
        self.process.terminate()
        self.process.communicate(timeout=10)


def ansible_environment(work, stage, collections):
    """The environment for Ansible's programs: everything they and velmoractl
    write stays below work; velmoractl is found on PATH in a private copy of
    the run tree (it writes beside itself, while the stage stays as built)."""
    tree = os.path.join(work, 'run')
    shutil.copytree(stage, tree, symlinks=True)
    home = os.path.join(work, 'home')
    os.makedirs(home)
    config = os.path.join(work, 'ansible.cfg')
    open(config, 'w').close()
    return dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, '.config'),
                XDG_DATA_HOME=os.path.join(home, '.local', 'share'),
                XDG_STATE_HOME=os.path.join(home, '.local', 'state'), XDG_CACHE_HOME=os.path.join(home, '.cache'),
                ANSIBLE_HOME=os.path.join(home, '.ansible'), ANSIBLE_LOCAL_TEMP=os.path.join(home, 'local-tmp'),
                ANSIBLE_REMOTE_TEMP=os.path.join(home, 'remote-tmp'), ANSIBLE_CONFIG=config,
                ANSIBLE_COLLECTIONS_PATH=collections, ANSIBLE_COLLECTIONS_SCAN_SYS_PATH='false',
                ANSIBLE_CALLBACK_PLUGINS=os.path.join(HERE, 'callback_plugins'),
                ANSIBLE_CALLBACKS_ENABLED='record_results', ANSIBLE_NOCOLOR='1',
                ANSIBLE_RETRY_FILES_ENABLED='false', PYTHONDONTWRITEBYTECODE='1',
                VELMORA_RESULTS=os.path.join(work, 'results.jsonl'),
                PATH=os.path.join(tree, 'bin') + os.pathsep + os.environ.get('PATH', ''))


def inventory_text(devices, host_settings):
    # Written by hand: PrintHeader: Off must reach the module as YAML's false.
    lines = ['all:', '  vars:', '    ansible_connection: local',
             '    ansible_python_interpreter: "{{ ansible_playbook_python }}"', '  hosts:']
    for host, device in devices.items():
        lines += ['    %s:' % host, '      device: %s' % json.dumps(device.path),
                  '      device_settings: %s' % host_settings[host]]
    return '\n'.join(lines) + '\n'


def run_playbook(environment, work, name, arguments):
    """Runs fleet.yml; the results by host, from the record_results callback."""
    results_path = os.path.join(work, name + '.jsonl')
    environment = dict(environment, VELMORA_RESULTS=results_path)
    run = subprocess.run(['ansible-playbook', '-i', os.path.join(work, 'inventory.yml'), '--forks', '10',
                          os.path.join(HERE, 'fleet.yml')] + arguments,
                         env=environment, cwd=work, capture_output=True, text=True, timeout=90)
    results = {}
    if os.path.exists(results_path):
        with open(results_path) as lines:
            for line in lines:
                entry = json.loads(line)
                results.setdefault(entry['host'], {})[entry['task']] = entry
    if not results:
        print(run.stdout, run.stderr)
    return run, results


def check_builds_and_documents(environment, work, collections):
    source = os.path.join(collections, 'ansible_collections', 'velmora', 'device')
    built = subprocess.run(['ansible-galaxy', 'collection', 'build', source, '--output-path', work],
                           env=environment, capture_output=True, text=True)
    check(os.path.exists(os.path.join(work, 'velmora-device-1.0.0.tar.gz')),
          'collection build: ' + built.stdout + built.stderr)
    for module, text in (('settings', 'check_mode'), ('settings_info', 'list --json')):
        doc = subprocess.run(['ansible-doc', 'velmora.device.' + module], env=environment,
                             capture_output=True, text=True)
        check(doc.returncode == 0 and 'EXAMPLES' in doc.stdout and 'RETURN VALUES' in doc.stdout
              and text in doc.stdout, 'ansible-doc velmora.device.%s: %s' % (module, doc.stderr))


def main():
    parser = argparse.ArgumentParser()
    for option in ('--stage', '--devsim', '--collections', '--sample'):
        parser.add_argument(option, required=True)
    options = parser.parse_args()
    if not shutil.which('ansible-playbook'):
        print('ansible-playbook not found (Debian package ansible-core): skipped')
        return 77

    with tempfile.TemporaryDirectory(prefix='velmora-ansible-') as work:
        environment = ansible_environment(work, options.stage, options.collections)
        check_builds_and_documents(environment, work, options.collections)

        hosts = host_table(options.sample)
        devices = {}
        try:
            for host, (description, devsim_options, _, _, _) in hosts.items():
                devices[host] = Device(options.devsim, os.path.join(work, host), description, devsim_options)
            with open(os.path.join(work, 'inventory.yml'), 'w') as inventory:
                inventory.write(inventory_text(devices, {h: v[2] for h, v in hosts.items()}))
            run_fleet(environment, work, devices, hosts)
        finally:
            for device in devices.values():
                device.stop()

    print('%d failure(s)' % len(failures))
    return 1 if failures else 0


def host_table(sample):
    """Each host's description, devsim options and own settings, then what the
    first run must say (None: changed; else the reason it fails with) and
    the values the device must have received."""
    return {
        'desk1': (sample, ['--apply'], '{HostName: desk-1}', None, [dict(OFFICE, HostName='desk-1')]),
        # desk2 wants the device's own number of copies: it is not sent.
        'desk2': (sample, ['--apply'], '{HostName: desk-2, Copies: "1"}', None,
                  [{'PaperSize': 'Letter', 'Duplex': 'On', 'HostName': 'desk-2'}]),
        'range': (sample, [], '{Copies: "100"}', "'100' is not a valid entry", []),
        'rule': (sample, [], '{MediaType: Transparency}', 'is disabled and takes no value', []),
        'unquoted': (sample, [], '{PrintHeader: Off}', 'PrintHeader in quotes', []),
        'silent': (sample, ['--silent'], '{}', 'did not answer within %d ms' % (EXCHANGE_BUDGET * 1000), []),
        'refusing': (sample, ['--status', '3'], '{}', 'The device refused the changes (status 3)', [OFFICE]),
    }


def settings_task(results, host):
    return results.get(host, {}).get('Settings', {'result': {}})


def run_fleet(environment, work, devices, hosts):
    desks = [host for host, expected in hosts.items() if expected[3] is None]
    limit = ['--limit', ','.join(desks)]

    # Check mode: changed and the difference reported, nothing sent.
    run, results = run_playbook(environment, work, 'check', ['--check', '--diff'] + limit)
    for host in desks:
        result = settings_task(results, host)['result']
        check(result.get('changed') is True and result.get('diff', {}).get('after') == hosts[host][4][0]
              and devices[host].changes() == [], 'check mode, %s: %s' % (host, result))
    check('+    "PaperSize": "Letter"' in run.stdout, 'check mode shows no diff:\n' + run.stdout)

    # First run: the good hosts changed and read back, exactly the differing
    # values sent; each failing host with its reason, nothing sent to it.
    run, results = run_playbook(environment, work, 'first', [])
    for host, (_, _, _, reason, sent) in hosts.items():
        result = settings_task(results, host)
        if reason is None:
            current = results[host].get('Read back', {}).get('result', {}).get('current', {})
            good = result['result'].get('changed') is True and all(current.get(k) == v for k, v in sent[0].items())
        else:
            good = result.get('status') == 'failed' and reason in result['result'].get('msg', '')
        check(good and devices[host].changes() == sent,
              'first run, %s: %s, sent %s' % (host, results.get(host), devices[host].changes()))
    # Every host pays Ansible's own start-up (a loaded machine stretches it);
    # the silent one only the exchange budget more, with as much again to spare.
    seconds = {host: settings_task(results, host).get('seconds', 0) for host in hosts}
    waited = seconds.pop('silent') - max(seconds.values())
    print('the silent host failed %.1f s after the slowest other host' % waited)
    check(waited < 2 * EXCHANGE_BUDGET, 'the silent host took %.1f s longer than the others' % waited)

    # Second run: nothing changed, nothing sent.
    run, results = run_playbook(environment, work, 'second', limit)
    for host in desks:
        result = settings_task(results, host)['result']
        check(result.get('changed') is False and len(devices[host].changes()) == 1,
              'second run, %s: %s' % (host, result))


if __name__ == '__main__':
    sys.exit(main())
