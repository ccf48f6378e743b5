#!/usr/bin/python3
"""Zelvora end to end: the mistakes notebook and a review session.

Under Xvfb with real mouse events and the program's clock set through its
test hook (ZELVORA_TEST_NOW): finishes a sample paper with four known wrong
answers and every other answer right, opens "Caderno de erros" from the
results window and finds exactly those four questions, runs "Refazer" over
them with two right and two wrong, then starts the program again one day
later and finds "Para revisar hoje (2)": the two wrong ones are due that day,
the two right ones moved on by six days.

Reuses the drivers of zelvora_e2e.py and attempts_e2e.py. Exit status: 0
passed, 1 failed, 77 skipped. Run inside a D-Bus session (dbus-run-session).
"""
import os
import re
import sqlite3
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from zelvora_e2e import installed_copy, scenario_main, start_session, check, log, wait_for  # noqa: E402
from attempts_e2e import start_program, open_exam_window, choose_and_start, paper_key, click_again, radios, \
    marked, EXAM  # noqa: E402

DAY1 = '2026-03-02T09:00:00Z'
DAY2 = '2026-03-03T09:00:00Z'
WRONG = [0, 1, 2, 3]  # 0-based: questions 1 to 4 answered wrong


def annulled(data, name):
    """The 0-based annulled questions of the paper's info file (single
    numbers and ranges), if it has one."""
    out = set()
    with open(os.path.join(data, 'simu', 'lista.txt'), 'rb') as fh:
        for line in fh.read().splitlines():
            parts = line.decode('cp1252').split('#', 1)
            if len(parts) == 2 and parts[0] == name:
                ini = os.path.join(data, 'simu', re.sub(r'\.[^.\\/:]*$', '', parts[1]).replace('\\', '/') + '.ini')
                if os.path.exists(ini):
                    with open(ini, 'rb') as i:
                        for entry in i.read().decode('cp1252').splitlines():
                            if entry.strip().lower().startswith('anuladas'):
                                for item in re.findall(r'(\d+)(?:\s*-\s*(\d+))?', entry):
                                    first = int(item[0])
                                    out.update(range(first - 1, int(item[1] or first)))
    return out


def press(desk, a11y, window, name):
    found = a11y.find_all(window, role='push button', name=name)
    check(len(found) == 1, 'the window has one "%s" button' % name)
    x, y, w, h = a11y.rect(found[0])
    click_again(desk, x + w // 2, y + h // 2, name)


def notebook_rows(a11y):
    w = a11y.window('Caderno de erros')
    got = a11y.table_rows(w) if w else None
    return got[1] if got else None


def scenario(args, work, procs):
    program, data, home, xdg_data = installed_copy(args, work)
    store = os.path.join(xdg_data, 'zelvora', 'attempts.sqlite')
    _, desk, env = start_session(work, procs, args.shots, args.locale, HOME=home, XDG_DATA_HOME=xdg_data)

    # 1. Day one: the paper with four wrong answers, every other one right.
    prog, a11y = start_program(program, dict(env, ZELVORA_TEST_NOW=DAY1), work, procs, 'first')
    rect = open_exam_window(desk, a11y)
    paper_name = choose_and_start(desk, a11y, rect)
    key = paper_key(data, paper_name)
    check(len(key) > len(WRONG) and all(k in '12345' for k in key), 'the paper "%s" has options A to E' % paper_name)
    check(not set(WRONG) & annulled(data, paper_name), 'no question answered wrong is annulled')
    wait_for('the answer column', lambda: radios(a11y), timeout=30)
    wx, wy, ww, _ = rect
    col_x, col_y = wx + ww - 198, wy + 117
    for q in range(len(key)):
        answer = str(int(key[q]) % 5 + 1) if q in WRONG else key[q]
        option = 'ABCDE'[int(answer) - 1]
        bx, by, bw, bh = a11y.rect(radios(a11y)[option])
        click_again(desk, bx + min(bw // 2, 8), by + bh // 2, 'option %s of question %d' % (option, q + 1))
        wait_for('question %d to be marked' % (q + 1), lambda: marked(a11y, q + 1), timeout=10)
        if q + 1 < len(key):
            click_again(desk, col_x + 121 + 36, col_y + 49 + 15, 'btProxima')
    click_again(desk, col_x + 1 + 96, col_y + 110 + 15, 'btFim')
    result = wait_for('the results window', lambda: a11y.window('Zelvora', (363, None)), timeout=20)
    labels = [a.get_name() for a in a11y.find_all(result, role='label')]
    check('%d de %d' % (len(key) - len(WRONG), len(key)) in labels, 'the results show the four misses')

    # 2. The notebook, from the results window: exactly the four questions.
    press(desk, a11y, result, 'Caderno de erros')
    rows = wait_for('the notebook window', lambda: notebook_rows(a11y), timeout=20)
    desk.screenshot('notebook')
    questions = sorted(int(r[4]) for r in rows)
    check(questions == [q + 1 for q in WRONG], 'the notebook holds questions %s' % questions)
    check(all(r[0] == paper_name and r[5] == 'Errada' and r[8] == 'amanhã' for r in rows),
          'each is of the paper, wrong, due tomorrow')

    # 3. "Refazer" over them: questions 1 and 2 right, 3 and 4 wrong again.
    press(desk, a11y, a11y.window('Caderno de erros'), 'Refazer')
    review = wait_for('the review window', lambda: a11y.window('Refazer questões do caderno de erros'), timeout=20)
    order = [int(r[4]) - 1 for r in rows]
    for i, q in enumerate(order):
        answer = key[q] if q in WRONG[:2] else str(int(key[q]) % 5 + 1)
        option = 'ABCDE'[int(answer) - 1]
        found = {r.get_name(): r for r in a11y.find_all(review, role='radio button')}
        bx, by, bw, bh = a11y.rect(found[option])
        click_again(desk, bx + min(bw // 2, 8), by + bh // 2, 'option %s of question %d' % (option, q + 1))
        if i + 1 < len(order):
            press(desk, a11y, review, 'Próxima')
    press(desk, a11y, review, 'Finalizar')
    wait_for('the review result', lambda: any(
        (a.get_name() or '').startswith('2 de 4 certas') for a in a11y.find_all(review, role='label')), timeout=20)
    desk.screenshot('review-finished')
    prog.terminate()
    prog.wait(10)

    # 4. Day two: two questions due, the two right ones six days later.
    prog, a11y = start_program(program, dict(env, ZELVORA_TEST_NOW=DAY2), work, procs, 'second')
    rect = open_exam_window(desk, a11y)
    wait_for('"Para revisar hoje (2)"', lambda: a11y.find_all(
        a11y.window(size=EXAM), role='push button', name='Para revisar hoje (2)'), timeout=20)
    press(desk, a11y, a11y.window(size=EXAM), 'Caderno de erros')
    rows = wait_for('the notebook window', lambda: notebook_rows(a11y), timeout=20)
    desk.screenshot('notebook-next-day')
    due = {int(r[4]): r[8] for r in rows}
    check(due == {1: '08/03/2026', 2: '08/03/2026', 3: 'hoje', 4: 'hoje'}, 'the schedule is %s' % due)
    db = sqlite3.connect('file:%s?mode=ro' % store, uri=True)
    try:
        kinds = db.execute('SELECT kind, finished FROM attempt ORDER BY id').fetchall()
    finally:
        db.close()
    check(kinds == [(0, 1), (1, 1)], 'the store holds the paper attempt and the review session apart')
    log('PASSED')
    return 0


if __name__ == '__main__':
    sys.exit(scenario_main(__doc__, scenario, 'zelvora-notebook-e2e-', ('first.log', 'second.log')))
