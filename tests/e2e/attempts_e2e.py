#!/usr/bin/python3
"""Zelvora end to end: an attempt survives the program being killed.

Takes a mock exam with real mouse and keyboard events under Xvfb, kills the
program (kill -9) in the middle of it, starts it again, answers "Sim" to
continuing the attempt, checks that the answers came back, finishes (saying
yes to finishing with blank questions) and finds the attempt in the
"Histórico" window and in the store file. The program, its data folder and
the user's folders (HOME, XDG_DATA_HOME) all live in a temporary folder.

Reuses the drivers of zelvora_e2e.py. Exit status: 0 passed, 1 failed,
77 skipped. Run inside a D-Bus session (dbus-run-session), as CTest does.
"""
import os
import re
import signal
import sqlite3
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from zelvora_e2e import (installed_copy, scenario_main, start_session, A11y, Failure, check, log, wait_for)  # noqa: E402

EXAM = (1280, 1024)


def start_program(program, env, work, procs, name):
    out = open(os.path.join(work, name + '.log'), 'w')
    prog = subprocess.Popen([program], env=env, cwd=work, stdout=out, stderr=subprocess.STDOUT,
                            stdin=subprocess.DEVNULL)
    procs.append(prog)
    a11y = A11y(prog.pid)
    wait_for('the program on the accessibility bus', a11y.app, timeout=30)
    return prog, a11y


def open_exam_window(desk, a11y):
    """Splash, catalog, btSimulado; returns the exam window's rectangle."""
    splash = wait_for('the splash window', lambda: a11y.window('Zelvora', (640, 480)), timeout=30)
    sx, sy, _, _ = a11y.rect(splash)
    desk.click(sx + 73, sy + 440, 'the splash start button')
    wait_for('the splash to close', lambda: a11y.window('Zelvora', (640, 480)) is None)
    main = wait_for('the catalog window', lambda: a11y.window('  Zelvora'))
    mx, my, _, _ = a11y.rect(main)
    desk.click(mx + 318 + 52, my + 405 + 4 + 18, 'btSimulado')
    simul = wait_for('the mock-exam window', lambda: a11y.window(size=EXAM))
    return a11y.rect(simul)


def choose_and_start(desk, a11y, rect):
    """Picks the first paper of the selector and starts it; returns its name."""
    wx, wy, _, _ = rect
    simul = a11y.window(size=EXAM)
    combo = min(a11y.find_all(simul, role='combo box'), key=lambda c: a11y.rect(c)[1])
    px, py, pw, ph = a11y.rect(combo)
    desk.click(px + pw // 2, py + ph // 2, 'the paper list')
    desk.key('Home', 'Return')
    name = wait_for('the paper to be chosen', lambda: a11y.text(combo) or combo.get_name())
    desk.click(wx + 653 + 64, wy + 80 + 18, 'btInicio')
    return name


def paper_key(data, name):
    """The key lines of the paper of that name in the mock-exam list."""
    with open(os.path.join(data, 'simu', 'lista.txt'), 'rb') as fh:
        for line in fh.read().splitlines():
            parts = line.decode('cp1252').split('#', 1)
            if len(parts) == 2 and parts[0] == name:
                stem = re.sub(r'\.[^.\\/:]*$', '', parts[1]).replace('\\', '/')
                with open(os.path.join(data, 'simu', stem + '.txt'), 'rb') as k:
                    return k.read().decode('cp1252').splitlines()
    raise Failure('no paper named %s in lista.txt' % name)


def click_again(desk, x, y, what):
    """A click where the pointer already is: xdotool's synced move would wait
    for a motion that never comes, so the pointer leaves first."""
    desk.xdo('mousemove', int(x) - 30, int(y))
    desk.click(x, y, what)


def radios(a11y):
    found = {r.get_name(): r for r in a11y.find_all(a11y.window(size=EXAM), role='radio button')}
    return found if all(k in found for k in 'ABCDE') else None


def question_box(a11y, words):
    """A message box of the program whose text holds every word."""
    for w in a11y.windows():
        texts = [a11y.text(a) or '' for a in a11y.find_all(w, role='label')] + [w.get_name() or '']
        if any(all(word in t for word in words) for t in texts):
            return w
    return None


def marked(a11y, question):
    # A right/wrong paper names its questions "Item n".
    return any((('Questão %d' % question) in a11y.text(c) or ('Item %d' % question) in a11y.text(c))
               and 'OK' in a11y.text(c) for c in a11y.find_all(a11y.window(size=EXAM), role='combo box'))


def store_rows(path):
    db = sqlite3.connect('file:%s?mode=ro' % path, uri=True)
    try:
        attempts = db.execute('SELECT id, finished, answered, current_question FROM attempt ORDER BY id').fetchall()
        answers = db.execute('SELECT attempt_id, question, answer FROM answer ORDER BY question').fetchall()
    finally:
        db.close()
    return attempts, answers


def scenario(args, work, procs):
    program, data, home, xdg_data = installed_copy(args, work)
    store = os.path.join(xdg_data, 'zelvora', 'attempts.sqlite')

    _, desk, env = start_session(work, procs, args.shots, args.locale, HOME=home, XDG_DATA_HOME=xdg_data)

    # 1. First run: three answers, then the program is killed.
    prog, a11y = start_program(program, env, work, procs, 'first')
    rect = open_exam_window(desk, a11y)
    paper_name = choose_and_start(desk, a11y, rect)
    key = paper_key(data, paper_name)
    check(len(key) >= 4, 'the paper "%s" has %d questions' % (paper_name, len(key)))
    wait_for('the answer column', lambda: radios(a11y), timeout=30)
    wx, wy, ww, _ = rect
    col_x, col_y = wx + ww - 198, wy + 117
    answers = {0: key[0], 1: str(int(key[1]) % 5 + 1), 2: key[2]}
    for q in range(3):
        option = 'ABCDE'[int(answers[q]) - 1]
        bx, by, bw, bh = a11y.rect(radios(a11y)[option])
        desk.click(bx + min(bw // 2, 8), by + bh // 2, 'option %s of question %d' % (option, q + 1))
        wait_for('question %d to be marked' % (q + 1), lambda: marked(a11y, q + 1), timeout=10)
        if q < 2:
            desk.click(col_x + 121 + 36, col_y + 49 + 15, 'btProxima')
    desk.screenshot('attempt-answered')
    os.kill(prog.pid, signal.SIGKILL)
    prog.wait(10)
    check(prog.returncode == -signal.SIGKILL, 'the program was killed in the middle of the exam')
    attempts, stored = store_rows(store)
    check(len(attempts) == 1 and attempts[0][1] == 0, 'the store holds one unfinished attempt')
    check([(q, a) for _, q, a in stored] == sorted(answers.items()), 'every answer given was in the store')

    # 2. Second run: the same paper asks to continue; "Sim" brings it back.
    prog, a11y = start_program(program, env, work, procs, 'second')
    rect = open_exam_window(desk, a11y)
    check(choose_and_start(desk, a11y, rect) == paper_name, 'the same paper is started again')
    wait_for('the question to continue', lambda: question_box(a11y, ['3', 'respondidas']), timeout=20)
    desk.screenshot('resume-question')
    desk.key('Return')
    wait_for('the question to close', lambda: question_box(a11y, ['3', 'respondidas']) is None)
    wait_for('the answer column', lambda: radios(a11y), timeout=30)
    # The selector shows the current question: the third, marked, with its answer.
    wait_for('question 3 current and marked again', lambda: marked(a11y, 3), timeout=10)
    checked = [n for n, r in radios(a11y).items() if r.get_state_set().contains(a11y.Atspi.StateType.CHECKED)]
    check(checked == ['ABCDE'[int(answers[2]) - 1]], 'the current question 3 shows its answer')
    for q in (2, 1):
        click_again(desk, col_x + 121 + 36, col_y + 78 + 15, 'btAnterior')
        wait_for('question %d marked again' % q, lambda: marked(a11y, q), timeout=10)
    log('ok: questions 1 to 3 are marked again')
    for _ in range(3):
        click_again(desk, col_x + 121 + 36, col_y + 49 + 15, 'btProxima')
    wait_for('question 4', lambda: any('Questão 4' in a11y.text(c) for c in a11y.find_all(
        a11y.window(size=EXAM), role='combo box')), timeout=10)
    check(not marked(a11y, 4), 'question 4 is still unanswered')

    # 3. Finish: blank questions are asked about first.
    desk.click(col_x + 1 + 96, col_y + 110 + 15, 'btFim')
    blanks = len(key) - 3
    wait_for('the question about blank questions', lambda: question_box(a11y, [str(blanks), 'branco']), timeout=20)
    desk.key('Return')
    result = wait_for('the results window', lambda: a11y.window('Zelvora', (363, None)), timeout=20)
    hits = sum(1 for q, a in answers.items() if key[q] == a)
    labels = [a.get_name() for a in a11y.find_all(result, role='label')]
    check('%d de %d' % (hits, len(key)) in labels, 'the results show %d de %d' % (hits, len(key)))

    # 4. The history, from the results window's button.
    buttons = a11y.find_all(result, role='push button', name='Histórico')
    check(len(buttons) == 1, 'the results window has a "Histórico" button')
    bx, by, bw, bh = a11y.rect(buttons[0])
    desk.click(bx + bw // 2, by + bh // 2, 'Histórico')
    history = wait_for('the history window', lambda: a11y.window('Histórico'), timeout=20)
    desk.screenshot('history')
    got = a11y.table_rows(history)
    check(got is not None and len(got[1]) == 1, 'the history lists one attempt')
    row = got[1][0]
    check(paper_name in row and ('%d de %d' % (hits, len(key))) in row and 'concluída' in row,
          'the attempt is in the history, finished: %s' % row)
    attempts, _ = store_rows(store)
    check(len(attempts) == 1 and attempts[0][1] == 1, 'the store holds the attempt, finished')
    log('PASSED')
    return 0


if __name__ == '__main__':
    sys.exit(scenario_main(__doc__, scenario, 'zelvora-attempts-e2e-', ('first.log', 'second.log')))
