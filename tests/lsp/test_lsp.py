# SPDX-FileCopyrightText: 2026 The vrex_stylesheet developers
# SPDX-License-Identifier: BSD-3-Clause
"""vrexctl lsp driven by a scripted client over stdin and stdout, on a copy
of examples/site: a whole editing session, then one row per feature, per
kind of edit (the server's diagnostics must equal `vrexctl check` on the
same files), and per way a client can get the protocol wrong.

usage: test_lsp.py VREXCTL EXAMPLE_SITE"""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

from lsp_client import Client, position, replace, uri

VREXCTL, EXAMPLE_SITE = sys.argv[1], sys.argv[2]


def config(site, name):
    return os.path.join(site, 'demo', 'config', name)


class SiteCopy(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.site = os.path.join(self.tmp.name, 'site')
        shutil.copytree(EXAMPLE_SITE, self.site)
        self.client = None

    def tearDown(self):
        if self.client and self.client.proc.poll() is None:
            self.client.proc.kill()
            self.client.proc.wait()
        self.tmp.cleanup()

    def start(self, options=None):
        self.client = Client(VREXCTL, self.site, options)
        return self.client

    def path(self, name):
        return config(self.site, name)

    def text(self, name):
        with open(self.path(name), encoding='utf-8') as file:
            return file.read()


class Session(SiteCopy):
    def test_an_editing_session(self):
        c = self.start()
        caps = c.result['capabilities']
        self.assertEqual(caps['textDocumentSync']['change'], 2)
        instances = self.path('instances.xml')
        text = c.open(instances)
        self.assertEqual(c.diagnostics(instances)['diagnostics'], [])

        # A typo: published with its code, place, link and suggestion.
        c.change(instances, 2, [replace(text, 'device=12,offset=0', 'devcie=12,offset=0')])
        text = text.replace('device=12,offset=0', 'devcie=12,offset=0', 1)
        published = c.diagnostics(instances)
        self.assertEqual(published['version'], 2)
        [typo] = published['diagnostics']
        self.assertEqual((typo['code'], typo['severity'], typo['source']), ('unknown-ref-key', 2, 'vrexctl'))
        self.assertEqual(typo['range']['start'], position(text, '<instance id="cam1"'))
        self.assertTrue(typo['codeDescription']['href'].endswith('#unknown-ref-key'))
        self.assertIn("did you mean 'device'?", typo['message'])

        # Its quick fix, applied as the client would, clears it.
        [action] = c.request('textDocument/codeAction', {
            'textDocument': {'uri': uri(instances)}, 'range': typo['range'], 'context': {'diagnostics': [typo]}})
        self.assertEqual(action['kind'], 'quickfix')
        [edit] = action['edit']['changes'][uri(instances)]
        self.assertEqual(edit['newText'], 'device')
        c.change(instances, 3, [{'range': edit['range'], 'text': edit['newText']}])
        self.assertEqual(c.diagnostics(instances), {'uri': uri(instances), 'version': 3, 'diagnostics': []})

        # Hover on a redirection shows the whole chain the library follows.
        rig = self.path('complex_instances/CameraRig.xml')
        rig_text = c.open(rig)
        hover = c.at('textDocument/hover', rig, position(rig_text, 'id="zoom"', 5))
        self.assertIn('cam1.zoom -> lens1.zoom -> servo1.position: device 15, offset 0, slot 1, driver 2',
                      hover['contents']['value'])
        # Definition of the target instance, completion of device types.
        definition = c.at('textDocument/definition', rig, position(rig_text, 'device="lens1"', 9))
        self.assertEqual((definition['uri'], definition['range']['start']),
                         (uri(instances), position(text, '<instance id="lens1"')))
        items = c.at('textDocument/completion', instances, position(text, 'type="Camera"', 7))['items']
        self.assertEqual([item['label'] for item in items], ['camera', 'composite'])
        self.assertEqual(c.stop(), 0)


class Features(SiteCopy):
    # file, where (text, characters into it), method, extra params, what the
    # answer (as JSON text) must contain, and what it must not.
    ROWS = [
        ('instance record', 'instances.xml', ('id="router1"', 6), 'hover', {},
         ['instance router1: device 3, offset 0, driver 3', 'type Vid_Router', 'location CAR, rack 3'], []),
        ('composite groups', 'instances.xml', ('id="studioA"', 6), 'hover', {}, ['group camera1 -> cam1'], []),
        ('group target', 'instances.xml', ('instance="tally1"', 12), 'hover', {}, ['instance tally1: device 20'], []),
        ('device type', 'instances.xml', ('type="Servo"', 7), 'hover', {}, ['device type servo: driver 2'], []),
        ('complex type in ref', 'instances.xml', ('complex=LensDrive', 10), 'hover', {},
         ['complex type LensDrive: 2 members'], []),
        ('chain of one hop', 'complex_instances/LensDrive.xml', ('param="position"', 8), 'hover', {},
         ['servo1.position: device 15, offset 0, slot 1, driver 2'], ['->']),
        ('style', 'stylesheet/vrex_style.xml', ('name="alarm"', 7), 'hover', {},
         ['style alarm (state), suitable for QLabel QPushButton', 'font-weight: bold'], []),
        ('parameter slot', 'devicetypes/camera.xml', ('name="zoom"', 7), 'hover', {}, ['slot 0 (redirected'], []),
        ('nothing between elements', 'instances.xml', ('<!-- CAR -->', 3), 'hover', {}, ['null'], []),
        ('member to instance', 'complex_instances/CameraRig.xml', ('member id="cam2"', 12), 'definition', {},
         ['instances.xml', '"line": 10'], []),
        ('device type to its file', 'instances.xml', ('type="PTZ_Head"', 7), 'definition', {},
         ['devicetypes/PTZ_Head.xml'], []),
        ('redirected parameter', 'complex_instances/CameraRig.xml', ('param="pan"', 8), 'definition', {},
         ['devicetypes/PTZ_Head.xml'], []),
        ('instance everywhere', 'instances.xml', ('id="lens1"', 5), 'references',
         {'context': {'includeDeclaration': True}}, ['instances.xml', 'CameraRig.xml', 'LensDrive.xml'], []),
        ('users of a device type', 'devicetypes/lens.xml', ('name="zoom"', 7), 'references',
         {'context': {'includeDeclaration': False}}, ['CameraRig.xml', 'LensDrive.xml'], ['lens.xml']),
        ('ref keys', 'instances.xml', ('device=12,offset=1', 0), 'completion', {}, ['"device"', '"complex"'], []),
        ('complex types', 'instances.xml', ('complex=CameraRig', 8), 'completion', {}, ['LensDrive'], []),
        ('instances by prefix', 'complex_instances/CameraRig.xml', ('device="lens1"', 10), 'completion', {},
         ['"lens1"', '"lens2"'], ['"cam1"']),
        ('target parameters', 'complex_instances/CameraRig.xml', ('param="pan"', 7), 'completion', {},
         ['"tilt"', '"pan"'], ['"iris"']),
        ('driver types', 'devicetypes/servo.xml', ('drivertype="', 12), 'completion', {},
         ['"serial"', '"router"'], []),
        ('attributes left', 'devicetypes/servo.xml', ('<param ', 6), 'completion', {}, [], ['"name"', '"slot"']),
    ]

    def test_rows(self):
        c = self.start()
        texts = {}
        for name, file, (needle, into), method, extra, present, absent in self.ROWS:
            with self.subTest(name):
                if file not in texts:
                    texts[file] = c.open(self.path(file))
                answer = json.dumps(c.at('textDocument/' + method, self.path(file),
                                         position(texts[file], needle, into), **extra))
                for text in present:
                    self.assertIn(text, answer)
                for text in absent:
                    self.assertNotIn(text, answer)


class QuickFixes(SiteCopy):
    # file, old text, the typo written instead, the text its fix puts back
    # in place of the typo, and whether `check --fix` makes it too (then it
    # is the preferred fix; names others refer to are a person's to confirm).
    ROWS = [
        ('ref key', 'instances.xml', 'device=14,offset=0', 'devcie=14,offset=0', 'device', True),
        ('blank before a ref key', 'instances.xml', 'device=16,offset=1', 'device=16, offset=1', 'offset', True),
        ('device type', 'instances.xml', 'type="Servo" alt_id="SRV-A2"', 'type="Srevo" alt_id="SRV-A2"', 'servo',
         False),
        ('complex type', 'instances.xml', 'complex=LensDrive"/>', 'complex=LensDrvie"/>', 'LensDrive', False),
        ('composite word', 'instances.xml', 'composite="yes"', 'composite="Yes"', 'yes', True),
        ('attribute name', 'instances.xml', 'location="CAR, rack 4"', 'locaton="CAR, rack 4"', 'location', True),
        ('group target', 'instances.xml', 'instance="tally1"', 'instance="taly1"', 'tally1', False),
        ('driver type', 'devicetypes/servo.xml', 'drivertype="generic"', 'drivertype="generc"', 'generic', True),
        ('member', 'complex_instances/LensDrive.xml', 'member id="lens2"', 'member id="lesn2"', 'lens2', False),
        ('redirection target', 'complex_instances/LensDrive.xml', 'device="servo2"', 'device="serv2"', 'servo2',
         False),
        ('target parameter', 'complex_instances/LensDrive.xml', 'param="position"/>\n  </member>\n</',
         'param="positon"/>\n  </member>\n</', 'position', False),
        ('style type in its letter case', 'stylesheet/vrex_style.xml', 'type="state"', 'type="State"', 'state', True),
        ('style type misspelt', 'stylesheet/vrex_style.xml', 'type="state"', 'type="stat"', 'state', False),
    ]

    def test_rows(self):
        c = self.start()
        for name, file, old, typo, fixed, preferred in self.ROWS:
            with self.subTest(name):
                path = self.path(file)
                text = c.open(path, self.text(file).replace(old, typo, 1))
                whole = {'start': {'line': 0, 'character': 0}, 'end': {'line': text.count('\n') + 1, 'character': 0}}
                actions = c.request('textDocument/codeAction', {
                    'textDocument': {'uri': uri(path)}, 'range': whole, 'context': {'diagnostics': []}})
                self.assertEqual(len(actions), 1, actions)
                [edit] = actions[0]['edit']['changes'][uri(path)]
                self.assertEqual((edit['newText'], actions[0]['isPreferred']), (fixed, preferred))
                at = position(text, typo)
                self.assertEqual(edit['range']['start']['line'], at['line'])
                c.notify('textDocument/didClose', {'textDocument': {'uri': uri(path)}})


SEVERITY = {'error': 1, 'warning': 2, 'note': 3}


def check_report(vrexctl, site):
    run = subprocess.run([vrexctl, '--root', site, '--system', 'demo', '--json', '--max-problems=0', 'check'],
                         capture_output=True, check=False)
    found = set()
    for problem in json.loads(run.stdout)['problems']:
        if problem['code'] != 'follow-on':
            found.add((problem['file'], max(problem['line'] - 1, 0), problem['code'], SEVERITY[problem['severity']]))
    return found


class SameAsCheck(SiteCopy):
    # file, old text, new text: the server's diagnostics after the edit (to
    # the open buffer) are what `vrexctl check` says of the file so written.
    ROWS = [
        ('device type loses a slot-0 parameter', 'devicetypes/lens.xml', '<param name="zoom" slot="0"/>', ''),
        ('device type parameter moved to slot 0', 'devicetypes/lens.xml', 'slot="3"', 'slot="0"'),
        ('device type file broken', 'devicetypes/lens.xml', '</device_description>', ''),
        ('complex type redirects to no instance', 'complex_instances/LensDrive.xml', 'device="servo2"',
         'device="servo9"'),
        ('complex type redirects in a cycle', 'complex_instances/LensDrive.xml', 'device="servo1" param="position"',
         'device="cam1" param="zoom"'),
        ('instance loses its complex type', 'instances.xml', 'complex=LensDrive"/>', 'complex=LensDrivee"/>'),
        ('instances file broken', 'instances.xml', '</instances>', '</instance>'),
        # The installation's configuration (below) and suppression comments.
        ('style type, an error here', 'stylesheet/vrex_style.xml', 'type="state"', 'type="State"'),
        ('duplicate style, off here', 'stylesheet/vrex_style.xml', '</stylesheet>',
         '<style name="alarm"/></stylesheet>'),
        ('suppressed by a comment', 'instances.xml', '<instance id="lens1" type="Lens"',
         '<!-- vrexctl: disable=unknown-ref-key -->\n  <instance id="lens1" type="Lens" ref="devcie=3"'),
        ('a comment that suppresses nothing', 'devicetypes/servo.xml', '<param name="speed"',
         '<!-- vrexctl: disable=not-a-number -->\n  <param name="speed"'),
    ]
    CONFIG = '[check]\ndisable = duplicate-style\n[severity]\nunknown-style-type = error\n'

    def test_rows(self):
        with open(os.path.join(self.site, 'demo', '.vrexctl.ini'), 'w', encoding='utf-8') as config_file:
            config_file.write(self.CONFIG)
        c = self.start()
        for name, file, old, new in self.ROWS:
            with self.subTest(name):
                path = self.path(file)
                text = c.open(path)
                self.published(c, path)
                c.change(path, 2, [replace(text, old, new)])
                latest = self.published(c, path)
                with open(path, 'w', encoding='utf-8') as file_:
                    file_.write(text.replace(old, new, 1))
                try:
                    self.assertEqual(self.served(latest), check_report(VREXCTL, self.site))
                finally:
                    # Back as it was: every diagnostic goes again.
                    with open(path, 'w', encoding='utf-8') as file_:
                        file_.write(text)
                    c.notify('textDocument/didClose', {'textDocument': {'uri': uri(path)}})
                    latest.update(self.published(c, path))
                self.assertEqual([d for d in latest.values() if d], [])

    @staticmethod
    def published(c, path):
        """What the server published up to its answer to a request (which
        waits for the check): the latest per file."""
        c.request('textDocument/hover', {'textDocument': {'uri': uri(path)}, 'position': {'line': 0, 'character': 0}})
        latest = {}
        for note in c.notes:
            latest[note['params']['uri']] = note['params']['diagnostics']
        c.notes.clear()
        return latest

    def served(self, latest):
        found = set()
        for file_uri, diagnostics in latest.items():
            for diagnostic in diagnostics:
                found.add((file_uri[len('file://'):], diagnostic['range']['start']['line'], diagnostic['code'],
                           diagnostic['severity']))
        return found


class Robustness(SiteCopy):
    # what the client sends (bytes, or a message), and the error code of
    # the answer; the server answers the next request all the same.
    ROWS = [
        ('not JSON', b'{"jsonrpc": "2.0", "id": 7, "method": ', -32700),
        ('no Content-Length', None, -32700),
        ('an array', [1, 2], -32600),
        ('no jsonrpc version', {'id': 7, 'method': 'textDocument/hover'}, -32600),
        ('id of no kind', {'jsonrpc': '2.0', 'id': [1], 'method': 'shutdown'}, -32600),
        ('unknown method', {'jsonrpc': '2.0', 'id': 7, 'method': 'textDocument/frobnicate'}, -32601),
        ('no text document', {'jsonrpc': '2.0', 'id': 7, 'method': 'textDocument/hover', 'params': {}}, -32602),
        ('initialize again', {'jsonrpc': '2.0', 'id': 7, 'method': 'initialize', 'params': {}}, -32602),
    ]

    def test_bad_messages_get_errors_and_the_server_goes_on(self):
        c = self.start()
        for name, sent, code in self.ROWS:
            with self.subTest(name):
                if sent is None:
                    c.write(b'Content-Type: application/json\r\n\r\n')
                elif isinstance(sent, bytes):
                    c.write(b'Content-Length: %d\r\n\r\n' % len(sent) + sent)
                else:
                    c.send(sent)
                answer = c.read()
                self.assertEqual(answer['error']['code'], code, answer)
                self.assertIsNone(c.request('textDocument/hover', {
                    'textDocument': {'uri': uri(self.path('instances.xml'))},
                    'position': {'line': 0, 'character': 0}}))

    def test_lifecycle(self):
        # Before initialize: only errors; after shutdown: only exit.
        c = Client(VREXCTL, None)
        self.client = c
        self.assertEqual(c.request('textDocument/hover', {}, raw=True)['error']['code'], -32002)
        c.request('initialize', {'rootUri': uri(self.site), 'capabilities': {}})
        c.request('shutdown')
        self.assertEqual(c.request('textDocument/hover', {}, raw=True)['error']['code'], -32600)
        c.notify('exit')
        self.assertEqual(c.proc.wait(30), 0)
        # exit without shutdown, and a client that just goes away.
        for ending in ('exit', 'eof'):
            with self.subTest(ending):
                other = Client(VREXCTL, self.site)
                if ending == 'exit':
                    other.notify('exit')
                else:
                    other.proc.stdin.close()
                self.assertEqual(other.proc.wait(30), 1)

    def test_malformed_buffer_gives_one_diagnostic_and_answers_go_on(self):
        c = self.start()
        path = self.path('devicetypes/lens.xml')
        text = c.open(path)
        c.diagnostics(path)
        # Typing a new element: the buffer is not XML for a while.
        c.change(path, 2, [replace(text, '</device_description>', '<param name="ir')])
        [diagnostic] = c.diagnostics(path)['diagnostics']
        self.assertEqual((diagnostic['code'], diagnostic['severity']), ('malformed-xml', 1))
        self.assertIn('further problem', diagnostic['message'])
        self.assertIn('zoom', json.dumps(c.at('textDocument/hover', path, position(text, 'name="zoom"', 6))))

    def test_a_burst_of_changes_is_checked_once(self):
        c = self.start({'debounceMs': 300})
        path = self.path('instances.xml')
        text = c.open(path)
        self.assertEqual(c.diagnostics(path)['diagnostics'], [])
        at = position(text, 'device=12,offset=0', 6)
        # Sent in one write, so that no pause of this process falls between.
        burst = b''
        for version in range(2, 22):
            body = json.dumps({'jsonrpc': '2.0', 'method': 'textDocument/didChange', 'params': {
                'textDocument': {'uri': uri(path), 'version': version},
                'contentChanges': [{'range': {'start': at, 'end': at}, 'text': 'x'}]}}).encode()
            burst += b'Content-Length: %d\r\n\r\n' % len(body) + body
            at = {'line': at['line'], 'character': at['character'] + 1}
        c.write(burst)
        published = c.diagnostics(path, timeout=10)
        self.assertEqual(published['version'], 21)
        self.assertIn("'device%s'" % ('x' * 20), published['diagnostics'][0]['message'])
        self.assertIsNone(c.diagnostics(path, timeout=1))


if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1], verbosity=2)
