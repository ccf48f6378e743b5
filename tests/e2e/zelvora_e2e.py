#!/usr/bin/python3
"""Zelvora end to end, the way a person uses it.

Runs the real program under Xvfb with a light window manager (openbox) and
drives it with real mouse and keyboard events (xdotool): the splash's start
button, a year filter, a search, a copy through the save dialog, a mock exam
with answers marked and finished. What the windows show is read back through
the accessibility tree (AT-SPI, the same interface screen readers use), and
the copied files are compared byte for byte with the archive's contents.
A screenshot is taken at each step.

The program and its data folder are copied into a temporary folder first, so
the build's data folder is never touched; the copy is checked unchanged at
the end as well.

Exit status: 0 passed, 1 failed, 77 skipped (a tool is missing).
Run inside a D-Bus session (dbus-run-session), as CTest does.
"""
import argparse
import hashlib
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import zipfile

SKIP = 77


def log(*args):
    print('[e2e %6.1fs]' % (time.monotonic() - START), *args, flush=True)


START = time.monotonic()


class Failure(Exception):
    pass


def wait_for(what, predicate, timeout=20.0, step=0.1):
    """Polls predicate until it returns something truthy; fails after timeout."""
    end = time.monotonic() + timeout
    last_error = None
    while time.monotonic() < end:
        try:
            value = predicate()
            if value:
                return value
        except Exception as e:  # the tree may change under us while polling
            last_error = e
        time.sleep(step)
    raise Failure('timed out waiting for %s%s' % (what, (' (%s)' % last_error) if last_error else ''))


def check(condition, message):
    if not condition:
        raise Failure(message)
    log('ok:', message)


# ---------------------------------------------------------------- folding ---
# The catalog search ignores case and accents the way the program folds
# Windows-1252 text: upper case first, then the accented letters made plain.
_ACCENTS = {}
for plain, chars in (('A', 'ÀÁÂÃÄ'), ('C', 'Ç'), ('E', 'ÈÉÊË'), ('I', 'ÌÍÎÏ'), ('N', 'Ñ'),
                     ('O', 'ÒÓÔÕÖ'), ('U', 'ÙÚÛÜ'), ('Y', 'ÝŸ'), ('a', 'àáâãä'), ('c', 'ç'),
                     ('e', 'èéêë'), ('i', 'ìíîï'), ('n', 'ñ'), ('o', 'òóôõö'), ('u', 'ùúûü'),
                     ('y', 'ýÿ')):
    for ch in chars:
        _ACCENTS[ch] = plain


def upper1252(s):
    out = []
    for ch in s:
        o = ord(ch)
        if 'a' <= ch <= 'z':
            ch = ch.upper()
        elif 0xE0 <= o <= 0xFE and o != 0xF7:
            ch = chr(o - 0x20)
        else:
            ch = {'ÿ': 'Ÿ', 'š': 'Š', 'œ': 'Œ', 'ž': 'Ž'}.get(ch, ch)
        out.append(ch)
    return ''.join(out)


def fold_field(s):
    return ''.join(_ACCENTS.get(c, c) for c in upper1252(s))


def fold_term(s):
    return upper1252(''.join(_ACCENTS.get(c, c) for c in s)).strip(' \t\r\n')


# ------------------------------------------------------------------ X, AT-SPI ---
class Desktop:
    def __init__(self, display, shots):
        self.display = display
        self.shots = shots
        self.shot_no = 0
        self.env = dict(os.environ, DISPLAY=display)

    def xdo(self, *args):
        subprocess.run(['xdotool', *map(str, args)], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=30)

    def click(self, x, y, what, double=False):
        log('click', what, 'at', x, y)
        self.xdo('mousemove', '--sync', int(x), int(y))
        self.xdo('click', *(['--repeat', '2', '--delay', '80'] if double else []), '1')

    def key(self, *keys):
        self.xdo('key', '--delay', '60', *keys)

    def type(self, text):
        self.xdo('type', '--delay', '40', text)

    def screenshot(self, name):
        self.shot_no += 1
        path = os.path.join(self.shots, '%02d-%s.png' % (self.shot_no, name))
        subprocess.run(['import', '-display', self.display, '-window', 'root', path],
                       env=self.env, check=False, timeout=30,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        log('screenshot', path)


class A11y:
    """The program's accessibility tree."""

    def __init__(self, pid):
        import gi
        gi.require_version('Atspi', '2.0')
        from gi.repository import Atspi
        self.Atspi = Atspi
        self.pid = pid

    def app(self):
        desktop = self.Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            a = desktop.get_child_at_index(i)
            if a is not None and a.get_process_id() == self.pid:
                a.clear_cache()
                return a
        return None

    def showing(self, acc):
        return acc.get_state_set().contains(self.Atspi.StateType.SHOWING)

    def windows(self):
        app = self.app()
        if app is None:
            return []
        out = []
        for i in range(app.get_child_count()):
            w = app.get_child_at_index(i)
            if w is not None and self.showing(w):
                out.append(w)
        return out

    def window(self, name=None, size=None):
        for w in self.windows():
            if name is not None and w.get_name() != name:
                continue
            if size is not None:
                # A size of None matches any: the results window grows with
                # the lines its paper asks for.
                r = self.rect(w)
                if any(want is not None and got != want for got, want in zip((r[2], r[3]), size)):
                    continue
            return w
        return None

    def rect(self, acc):
        e = acc.get_extents(self.Atspi.CoordType.SCREEN)
        return (e.x, e.y, e.width, e.height)

    def walk(self, acc, depth=0):
        yield acc
        if depth > 40:
            return
        for i in range(acc.get_child_count()):
            c = acc.get_child_at_index(i)
            if c is not None:
                yield from self.walk(c, depth + 1)

    def find_all(self, root, role=None, name=None, showing=True):
        out = []
        for a in self.walk(root):
            try:
                if role is not None and a.get_role_name() != role:
                    continue
                if name is not None and a.get_name() != name:
                    continue
                if showing and not self.showing(a):
                    continue
                out.append(a)
            except Exception:
                continue
        return out

    def buttons(self, root, names):
        """The image buttons and clickable labels named, each found once by
        its role (button) and accessible name; None while one is missing."""
        found = {}
        for name in names:
            hits = self.find_all(root, role='push button', name=name)
            if len(hits) != 1:
                return None
            found[name] = hits[0]
        return found

    def text(self, acc):
        try:
            return self.Atspi.Text.get_text(acc, 0, self.Atspi.Text.get_character_count(acc))
        except Exception:
            return acc.get_name()

    def table_rows(self, window):
        """The grid's cells, row by row, as the table interface reports them."""
        tables = self.find_all(window, role='table')
        if not tables:
            return None
        t = tables[0]
        T = self.Atspi.Table
        rows = []
        for r in range(T.get_n_rows(t)):
            rows.append([T.get_accessible_at(t, r, c).get_name() for c in range(T.get_n_columns(t))])
        return t, rows

    def cell(self, table, row, col):
        return self.Atspi.Table.get_accessible_at(table, row, col)


# ------------------------------------------------------------------- helpers ---
def tree_hash(folder):
    h = {}
    for root, dirs, files in os.walk(folder):
        for f in files:
            p = os.path.join(root, f)
            with open(p, 'rb') as fh:
                h[os.path.relpath(p, folder)] = hashlib.sha256(fh.read()).hexdigest()
    return h


def expected_rows(catalog, pick):
    return [[e[1], e[0], e[2]] for e in catalog if pick(e)]


def visible_rows(rows):
    # An empty grid still shows one blank row.
    return [r for r in rows if any(r)]


def created_name(info):
    """The name the program gives an entry's file: UTF-8 when flag bit 11
    says so; code page 850 read into Windows-1252 for MS-DOS made entries (a
    character 1252 lacks becomes "?"); otherwise as stored when valid UTF-8,
    else read as Windows-1252."""
    if info.flag_bits & 0x800:
        return info.filename
    raw = info.filename.encode('cp437')  # zipfile read the bytes as cp437
    if info.create_system == 0:
        return ''.join(c if c.encode('cp1252', 'replace') != b'?' or c == '?' else '?'
                       for c in raw.decode('cp850'))
    try:
        return raw.decode('utf-8')
    except UnicodeDecodeError:
        return raw.decode('cp1252', 'replace')


def flat_zip_contents(path):
    """What a copy must write: every file entry under its name without
    folders, later entries winning."""
    out = {}
    with zipfile.ZipFile(path) as z:
        for info in z.infolist():
            name = created_name(info).replace('\\', '/').rsplit('/', 1)[-1]
            if not name:
                continue
            out[name] = z.read(info)
    return out


def format_number(value, sep):
    return ('%2.2f' % value).replace('.', sep)


# --------------------------------------------------------------------- steps ---
def stop_all(procs):
    """Ends the processes a scenario started, the last started first."""
    for p in reversed(procs):
        if p.poll() is None:
            p.terminate()
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()


def run_in_work(scenario, args, prefix, logs=()):
    """Runs scenario(args, work, procs) in a fresh work folder. On a failure
    the tails of the program logs named by logs (names in the work folder, or
    '*' for every *.log) go to the output; the processes are always ended and
    the folder removed, folders a scenario made read-only included."""
    work = tempfile.mkdtemp(prefix=prefix)
    procs = []
    try:
        return scenario(args, work, procs)
    except Failure:
        names = sorted(n for n in os.listdir(work) if n.endswith('.log')) if logs == '*' else logs
        for name in names:
            path = os.path.join(work, name)
            if os.path.exists(path):
                with open(path, errors='replace') as fh:
                    log('--- %s ---\n%s' % (name, fh.read()[-3000:]))
        raise
    finally:
        stop_all(procs)
        for root, dirs, _ in os.walk(work):
            for d in dirs:
                os.chmod(os.path.join(root, d), 0o755)
        shutil.rmtree(work, ignore_errors=True)


def run(args):
    return run_in_work(scenario, args, 'zelvora-e2e-')


def installed_copy(args, work):
    """The program and its data folder copied as an installation would have
    them (the program beside its "dados"), and an empty home for the user:
    (program, data folder, home, XDG data folder). The screenshot folder is
    made too."""
    os.makedirs(args.shots, exist_ok=True)
    app_dir = os.path.join(work, 'app')
    os.makedirs(app_dir)
    program = os.path.join(app_dir, 'zelvora')
    shutil.copy2(args.bin, program)
    data = os.path.join(app_dir, 'dados')
    shutil.copytree(args.data, data)
    home = os.path.join(work, 'home')
    xdg_data = os.path.join(home, '.local', 'share')
    os.makedirs(xdg_data)
    return program, data, home, xdg_data


def start_session(work, procs, shots, locale, **extra_env):
    """Starts X and the accessibility bus for one run and returns the display,
    its Desktop and the environment the program runs in (extra_env added)."""
    display = start_x(work, procs)
    desk = Desktop(display, shots)
    # A runtime folder of this run's own: the accessibility bus puts its
    # socket there, so runs side by side never share one.
    runtime = os.path.join(work, 'runtime')
    os.makedirs(runtime, mode=0o700)
    os.environ['XDG_RUNTIME_DIR'] = runtime
    subprocess.run(['dbus-update-activation-environment', 'XDG_RUNTIME_DIR=' + runtime,
                    'DISPLAY=' + display], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
    # The accessibility bus must exist before the program starts, or Qt
    # does not register with it.
    subprocess.run(['dbus-send', '--session', '--dest=org.a11y.Bus', '--print-reply',
                    '/org/a11y/bus', 'org.a11y.Bus.GetAddress'], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, timeout=30)
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM='xcb',
               QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1', QT_ACCESSIBILITY='1',
               LC_ALL=locale, LANG=locale, TZ='UTC', **extra_env)
    env.pop('QT_QPA_PLATFORMTHEME', None)
    return display, desk, env


def start_x(work, procs):
    r, w = os.pipe()
    xvfb = subprocess.Popen(['Xvfb', '-displayfd', str(w), '-screen', '0', '1280x1024x24',
                             '-nolisten', 'tcp', '-noreset'], pass_fds=(w,),
                            stdout=subprocess.DEVNULL, stderr=open(os.path.join(work, 'xvfb.log'), 'w'))
    procs.append(xvfb)
    os.close(w)
    number = b''
    end = time.monotonic() + 20
    while not number.endswith(b'\n') and time.monotonic() < end:
        chunk = os.read(r, 16)
        if not chunk:
            break
        number += chunk
    os.close(r)
    if not number.strip():
        raise Failure('Xvfb did not start')
    display = ':' + number.decode().strip()
    log('Xvfb on', display)
    env = dict(os.environ, DISPLAY=display)
    wm = subprocess.Popen(['openbox', '--sm-disable'], env=env, stdout=subprocess.DEVNULL,
                          stderr=open(os.path.join(work, 'openbox.log'), 'w'))
    procs.append(wm)
    # The window manager is up once xdotool no longer finds the active
    # window unsupported (with no window open yet the query still fails).
    wait_for('the window manager', lambda: 'claims not to support' not in subprocess.run(
        ['xdotool', 'getactivewindow'], env=env, stdout=subprocess.DEVNULL,
        stderr=subprocess.PIPE, text=True).stderr, timeout=15)
    return display


def scenario(args, work, procs):
    os.makedirs(args.shots, exist_ok=True)
    for f in os.listdir(args.shots):
        if f.endswith('.png'):
            os.remove(os.path.join(args.shots, f))

    # The program and its data, copied: the build's folder is never touched.
    original_hash = tree_hash(args.data)
    app_dir = os.path.join(work, 'app')
    os.makedirs(app_dir)
    program = os.path.join(app_dir, 'zelvora')
    shutil.copy2(args.bin, program)
    data = os.path.join(app_dir, 'dados')
    shutil.copytree(args.data, data)
    data_hash = tree_hash(data)

    report = json.loads(subprocess.run([args.checker, data, '--json'], check=False,
                                       stdout=subprocess.PIPE, timeout=120).stdout)
    catalog = report['catalog']
    check(len(catalog) > 0 and len(report['papers']) > 0, 'the sample folder has exams and papers')

    display, desk, env = start_session(work, procs, args.shots, args.locale,
                                       XDG_DATA_HOME=os.path.join(work, 'xdg-data'))
    prog_log = open(os.path.join(work, 'zelvora.log'), 'w')
    prog = subprocess.Popen([program], env=env, cwd=work, stdout=prog_log, stderr=subprocess.STDOUT,
                            stdin=subprocess.DEVNULL)
    procs.append(prog)
    a11y = A11y(prog.pid)
    wait_for('the program on the accessibility bus', a11y.app, timeout=30)

    # 1. Splash: the start zone at 0, 404, 146 x 73.
    splash = wait_for('the splash window', lambda: a11y.window('Zelvora', (640, 480)), timeout=30)
    sx, sy, _, _ = a11y.rect(splash)
    entrar = wait_for('the button "Entrar"', lambda: a11y.buttons(splash, ['Entrar']))['Entrar']
    check(a11y.rect(entrar) == (sx, sy + 404, 146, 73), 'the button "Entrar" lies on the start zone')
    desk.screenshot('splash')
    desk.click(sx + 73, sy + 440, 'the splash start button')
    wait_for('the splash to close', lambda: a11y.window('Zelvora', (640, 480)) is None)

    main = wait_for('the catalog window', lambda: a11y.window('  Zelvora'))
    mx, my, mw, mh = a11y.rect(main)
    check((mw, mh) == (632, 446), 'the catalog window is 632 x 446 (got %d x %d)' % (mw, mh))
    footer = wait_for('the footer buttons by role and name', lambda: a11y.buttons(
        main, ['Localizar', 'Copiar', 'Créditos', 'Simulado', 'Sair']))
    for name, left in (('Localizar', 3), ('Copiar', 110), ('Créditos', 214), ('Simulado', 318), ('Sair', 560)):
        bx, by, _, _ = a11y.rect(footer[name])
        check((bx - mx, by - my) == (left, 405 + 4), 'the button "%s" at its place (got %d, %d)' % (name, bx - mx, by - my))
    log('ok: the five footer buttons are announced as buttons by name')
    desk.screenshot('catalog')

    def grid():
        got = a11y.table_rows(a11y.window('  Zelvora'))
        return got

    years = report['years']
    last_year = years[-1]
    want = expected_rows(catalog, lambda e: last_year in e[2])
    wait_for('the rows of the greatest year', lambda: visible_rows(grid()[1]) == want)
    log('ok: the catalog opens on the %d exams of %s' % (len(want), last_year))

    # 2. Year filter: the first year of comboAno, picked with the mouse and
    # the keyboard in its drop-down list.
    combos = [c for c in a11y.find_all(a11y.window('  Zelvora'), role='combo box')]
    check(len(combos) == 3, 'the three filter lists are there')
    combo_ano = max(combos, key=lambda c: a11y.rect(c)[0])
    cx, cy, cw, ch = a11y.rect(combo_ano)
    desk.click(cx + cw // 2, cy + ch // 2, 'the year list')
    # X delivers the click before the keys, so the list is open (on its
    # press) when Home and Return arrive.
    desk.key('Home', 'Return')
    first_year = years[0]
    want = expected_rows(catalog, lambda e: first_year in e[2])
    wait_for('the rows of %s' % first_year, lambda: visible_rows(grid()[1]) == want)
    log('ok: the year filter %s shows %d exams' % (first_year, len(want)))
    desk.screenshot('year-filter')

    # 3. Search: btLocalizar opens the search panel; type a word without its
    # accent, in lower case, and press Enter.
    footer_y = my + 405 + 4 + 18
    desk.click(mx + 3 + 54, footer_y, 'btLocalizar')
    term = args.search
    want = expected_rows(catalog, lambda e: any(fold_term(term) in fold_field(f) for f in (e[1], e[0], e[2])))
    check(len(want) >= 2, 'the search term "%s" matches %d exams' % (term, len(want)))
    edits = wait_for('the search box', lambda: a11y.find_all(a11y.window('  Zelvora'), role='text'))
    wait_for('the search button "OK"', lambda: a11y.buttons(a11y.window('  Zelvora'), ['OK']))
    ex, ey, ew, eh = a11y.rect(edits[0])
    desk.click(ex + ew // 2, ey + eh // 2, 'the search box')
    desk.type(term)
    desk.key('Return')
    table, rows = wait_for('the search result', lambda: (lambda g: g if visible_rows(g[1]) == want else None)(grid()))
    log('ok: the search "%s" shows %d exams' % (term, len(want)))
    check(a11y.text(a11y.find_all(a11y.window('  Zelvora'), role='text')[0]) == term,
          'the search box keeps its text and got no Enter')
    desk.screenshot('search')

    # 4. Copy the last row through the save dialog.
    last = len(want) - 1
    entry = [e for e in catalog if [e[1], e[0], e[2]] == want[last]][0]
    # The last row may lie below the visible part of the grid: click the
    # first row, then Ctrl+End moves to the last, scrolling it into view.
    cell = a11y.cell(table, 0, 0)
    rx, ry, rw, rh = a11y.rect(cell)
    desk.click(rx + min(rw // 2, 60), ry + rh // 2, 'the first row of the result')
    desk.key('ctrl+End')
    desk.click(mx + 110 + 52, footer_y, 'btCopiar')
    dialog = wait_for('the save dialog', lambda: a11y.window('Copiar para...'))
    suggested = '%s - %s - %s' % (entry[0], entry[1], entry[2])
    texts = a11y.find_all(dialog, role='text')
    names = [a11y.text(t) for t in texts]
    check(suggested in names, 'the dialog suggests "%s" (fields: %s)' % (suggested, names))
    desk.screenshot('save-dialog')
    dest_parent = os.path.join(work, 'escolhida')
    os.makedirs(dest_parent)
    dest = os.path.join(dest_parent, 'Minha copia')
    name_edit = texts[names.index(suggested)]
    nx, ny, nw, nh = a11y.rect(name_edit)
    desk.click(nx + nw // 2, ny + nh // 2, 'the file name box')
    desk.key('ctrl+a')
    desk.type(dest)
    desk.screenshot('name-typed')
    # While the dialog's completer list is open, Return only closes it; a
    # person presses Return again.
    for attempt in range(3):
        desk.key('Return')
        try:
            wait_for('the dialog to close', lambda: a11y.window('Copiar para...') is None, timeout=3)
            break
        except Failure:
            if attempt == 2:
                raise
    expected = flat_zip_contents(os.path.join(data, entry[3].replace('\\', '/')))

    def copied():
        if not os.path.isdir(dest):
            return None
        got = {}
        for f in os.listdir(dest):
            with open(os.path.join(dest, f), 'rb') as fh:
                got[f] = fh.read()
        return got if got == expected else None
    try:
        wait_for('the copied files', copied, timeout=30)
    except Failure:
        desk.screenshot('copy-failed')
        log('expected', sorted(expected), 'found', sorted(os.listdir(dest)) if os.path.isdir(dest) else None,
            'windows', [w.get_name() for w in a11y.windows()])
        raise
    check(os.listdir(dest_parent) == ['Minha copia'], 'nothing was written beside the chosen folder')
    log('ok: %d files of %s copied byte for byte' % (len(expected), entry[3]))
    # A notice says where the files went; Enter answers its OK.
    def notice():
        for alert in a11y.find_all(a11y.app(), role='alert'):
            if any(a.get_name().startswith('Prova copiada para a pasta:') for a in a11y.find_all(alert, role='label')):
                return alert
        return None
    alert = wait_for('the notice of the copy', notice, timeout=20)
    check(a11y.buttons(alert, ['Abrir pasta']) is not None, 'the notice offers to open the folder')
    desk.screenshot('copied')
    desk.key('Return')
    wait_for('the notice to close', lambda: not a11y.find_all(a11y.app(), role='alert'))

    # 5. Mock exam: btSimulado opens the full-screen exam window.
    desk.click(mx + 318 + 52, footer_y, 'btSimulado')
    simul = wait_for('the mock-exam window', lambda: a11y.window(size=(1280, 1024)))
    wx, wy, ww, wh = a11y.rect(simul)
    wait_for('the exam window\'s buttons by role and name', lambda: a11y.buttons(simul, ['Iniciar', 'Fechar']))
    desk.screenshot('mock-exam')
    papers = report['papers']
    paper = papers[0]
    combos = a11y.find_all(simul, role='combo box')
    combo_prova = min(combos, key=lambda c: a11y.rect(c)[1])
    px, py, pw, ph = a11y.rect(combo_prova)
    desk.click(px + pw // 2, py + ph // 2, 'the paper list')
    desk.key('Home', 'Return')
    wait_for('the paper to be chosen', lambda: a11y.text(combo_prova) == paper[0] or combo_prova.get_name() == paper[0])
    desk.click(wx + 653 + 64, wy + 80 + 18, 'btInicio of the exam window')

    def radios():
        found = {r.get_name(): r for r in a11y.find_all(a11y.window(size=(1280, 1024)), role='radio button')}
        return found if all(k in found for k in 'ABCDE') else None
    wait_for('the answer column', radios, timeout=30)
    wait_for('the answer column\'s buttons by role and name', lambda: a11y.buttons(
        a11y.window(size=(1280, 1024)), ['Próxima', 'Anterior', 'Finalizar', 'Sair']))
    log('ok: the exam window\'s buttons are announced as buttons by name')
    desk.screenshot('paper-started')

    key_path = os.path.join(data, 'simu', re.sub(r'\.[^.\\/:]*$', '', paper[1]).replace('\\', '/') + '.txt')
    with open(key_path, 'rb') as fh:
        key = fh.read().decode('cp1252').splitlines()
    n = len(key)
    check(n >= 3, 'the paper has %d questions' % n)
    # Question 1 right, question 2 wrong, question 3 right.
    answers = {0: key[0], 1: str(int(key[1]) % 5 + 1), 2: key[2]}
    col_x = wx + ww - 198
    col_y = wy + 117
    for q in range(3):
        option = 'ABCDE'[int(answers[q]) - 1]
        r = radios()[option]
        bx, by, bw, bh = a11y.rect(r)
        desk.click(bx + min(bw // 2, 8), by + bh // 2, 'option %s of question %d' % (option, q + 1))
        wait_for('question %d to be marked' % (q + 1), lambda: any(
            ('Questão %d' % (q + 1)) in a11y.text(c) and 'OK' in a11y.text(c)
            for c in a11y.find_all(a11y.window(size=(1280, 1024)), role='combo box')), timeout=10)
        if q < 2:
            desk.click(col_x + 121 + 36, col_y + 49 + 15, 'btProxima')
    desk.screenshot('answers-marked')
    desk.click(col_x + 1 + 96, col_y + 110 + 15, 'btFim')
    # Finishing with blank questions asks first; "Sim", the default, goes on.
    wait_for('the question about blank questions', lambda: any(
        'branco' in (a11y.text(l) or '') for w in a11y.windows() for l in a11y.find_all(w, role='label')),
        timeout=20)
    desk.key('Return')

    # 6. The results window: its texts read back and checked.
    result = wait_for('the results window', lambda: a11y.window('Zelvora', (363, None)), timeout=20)
    desk.screenshot('results')
    labels = [a.get_name() for a in a11y.find_all(result, role='label')]
    log('results window labels:', labels)
    hits = sum(1 for q, a in answers.items() if key[q] == a)
    right = [q + 1 for q in range(n) if answers.get(q) == key[q]]
    wrong = [q + 1 for q in range(n) if answers.get(q) != key[q]]
    sep = args.decimal
    check('Resultado' in labels, 'the title "Resultado"')
    check('%d de %d' % (hits, n) in labels, 'hits "%d de %d"' % (hits, n))
    check(format_number(hits * 100.0 / n, sep) + '%' in labels, 'percentage %s%%' % format_number(hits * 100.0 / n, sep))
    times = [int(m.group(1)) for m in (re.fullmatch(r'(\d+) segundos', l) for l in labels) if m]
    check(len(times) == 1, 'the total time in seconds')
    rate = 3.0 / times[0] if times[0] else 0.0
    check(format_number(rate, sep) in labels, 'questions per second %s' % format_number(rate, sep))
    check(', '.join(map(str, right)) in labels, 'right questions "%s"' % ', '.join(map(str, right)))
    check(', '.join(map(str, wrong)) in labels, 'wrong questions "%s"' % ', '.join(map(str, wrong)))

    # 7. Closing the results closes the exam window; the catalog's exit
    # button ends the program.
    rx, ry, rw, rh = a11y.rect(result)
    desk.click(rx + rw // 2, ry + rh // 2, 'the results window')
    desk.key('alt+F4')
    wait_for('the results and exam windows to close',
             lambda: a11y.window('Zelvora', (363, None)) is None and a11y.window(size=(1280, 1024)) is None)
    desk.screenshot('back-to-catalog')
    desk.click(mx + 560 + 35, footer_y, 'btSair')
    wait_for('the program to end', lambda: prog.poll() is not None, timeout=20)
    check(prog.returncode == 0, 'the program ended with status 0')

    check(tree_hash(data) == data_hash, 'the data folder the program ran on is unchanged')
    check(tree_hash(args.data) == original_hash, "the build's data folder is unchanged")
    log('PASSED')
    return 0


def skip_reason():
    """Why the end-to-end tests cannot run here (a missing tool or no D-Bus
    session), or None when they can."""
    missing = [t for t in ('Xvfb', 'xdotool', 'openbox', 'import', 'dbus-send') if not shutil.which(t)]
    try:
        import gi
        gi.require_version('Atspi', '2.0')
        from gi.repository import Atspi  # noqa: F401
    except Exception:
        missing.append('gir1.2-atspi-2.0')
    if missing:
        return 'missing ' + ', '.join(missing)
    if not os.environ.get('DBUS_SESSION_BUS_ADDRESS'):
        return 'no D-Bus session (run under dbus-run-session)'
    return None


def run_reporting(run, args):
    """Runs a scenario; a failure is logged and gives exit status 1."""
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    try:
        return run(args)
    except Failure as e:
        log('FAIL:', e)
        return 1


def scenario_main(doc, scenario, prefix, logs=(), checker=False):
    """The command line of a scenario script: --bin, --data, --shots and
    --locale (and --checker when the scenario runs zelvora-check); skips where
    the tools are missing, else runs the scenario in a work folder of its own
    (see run_in_work) and gives its exit status."""
    p = argparse.ArgumentParser(description=doc.splitlines()[0])
    p.add_argument('--bin', required=True, help='the built zelvora program')
    p.add_argument('--data', required=True, help='the generated dados folder')
    p.add_argument('--shots', required=True, help='folder for the screenshots')
    p.add_argument('--checker', required=checker, help='the built zelvora-check program')
    p.add_argument('--locale', default='pt_BR.UTF-8')
    args = p.parse_args()
    reason = skip_reason()
    if reason:
        print('SKIP: ' + reason)
        return SKIP
    return run_reporting(lambda a: run_in_work(scenario, a, prefix, logs), args)


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument('--bin', required=True, help='the built zelvora program')
    p.add_argument('--data', required=True, help='the generated dados folder')
    p.add_argument('--checker', required=True, help='the built zelvora-check')
    p.add_argument('--shots', required=True, help='folder for the screenshots')
    p.add_argument('--search', default='tecnico', help='word typed into the search box')
    # A Brazilian user's locale: numbers show a decimal comma.
    p.add_argument('--locale', default='pt_BR.UTF-8')
    p.add_argument('--decimal', default=',', help="the locale's decimal separator")
    args = p.parse_args()

    reason = skip_reason()
    if reason:
        print('SKIP: ' + reason)
        return SKIP
    for path in (args.bin, args.data, args.checker):
        if not os.path.exists(path):
            print('FAIL: %s does not exist' % path)
            return 1
    return run_reporting(run, args)


if __name__ == '__main__':
    sys.exit(main())
