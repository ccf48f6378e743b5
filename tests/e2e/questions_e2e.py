#!/usr/bin/python3
"""Zelvora end to end: the paper follows the question, a guess and a note.

Under Xvfb with real key presses and clicks: starts a sample paper of 40
questions, goes to question 30 with Ctrl+Right and finds the paper scrolled
to where zelvora-check --questoes says question 30 starts (the viewer's
accessible description names the page and height at its reading line),
marks the question as a guess (G), writes a note (N), finishes, and finds
the guess and the note in the review's list. The program, its data folder
and the user's folders live in a temporary folder.

Reuses the drivers of zelvora_e2e.py and attempts_e2e.py. Exit status: 0
passed, 1 failed, 77 skipped. Run inside a D-Bus session (dbus-run-session).
"""
import json
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from zelvora_e2e import installed_copy, scenario_main, start_session, check, log, wait_for  # noqa: E402
from attempts_e2e import EXAM, start_program, open_exam_window, paper_key, question_box  # noqa: E402
from rules_e2e import choose_paper  # noqa: E402

PAPER = 'Agente de Trânsito - Banca Guará - 2009'
PDF = 'agente-de-transito-2009.pdf'
QUESTION = 30
NOTE = 'rever regra de preferencia'


def viewer_place(a11y):
    """(page from 1, y) read from the paper viewer's accessible description."""
    for acc in a11y.find_all(a11y.window(size=EXAM), name='Prova'):
        m = re.match(r'Página (\d+), y ([\d.,]+)$', acc.get_description() or '')
        if m:
            return int(m.group(1)), float(m.group(2).replace(',', '.'))
    return None


def current_item(a11y):
    for c in a11y.find_all(a11y.window(size=EXAM), role='combo box'):
        text = a11y.text(c) or c.get_name() or ''
        if text.startswith('Questão'):
            return text
    return ''


def scenario(args, work, procs):
    program, data, home, xdg_data = installed_copy(args, work)

    out = subprocess.run([args.checker, '--questoes', os.path.join(data, 'simu', PDF), '--json'],
                         capture_output=True, text=True, timeout=60)
    check(out.returncode == 0, 'zelvora-check --questoes maps the paper')
    places = {q['number']: q for q in json.loads(out.stdout)['questions']}
    key = paper_key(data, PAPER)
    check(len(places) == len(key), 'the checker finds all %d questions' % len(key))

    _, desk, env = start_session(work, procs, args.shots, args.locale, HOME=home, XDG_DATA_HOME=xdg_data)
    prog, a11y = start_program(program, env, work, procs, 'run')
    rect = open_exam_window(desk, a11y)
    choose_paper(desk, a11y, rect, PAPER)
    wait_for('question 1 in the answer column', lambda: current_item(a11y).startswith('Questão 1'), timeout=30)
    # The map arrives from its worker thread; question 1 is then in view.
    first = places[1]
    wait_for('the paper scrolled to question 1',
             lambda: (viewer_place(a11y) or (0, 0))[0] == first['page'] + 1, timeout=30)

    for _ in range(QUESTION - 1):
        desk.key('ctrl+Right')
    wait_for('question %d current' % QUESTION,
             lambda: re.match(r'Questão %d\b' % QUESTION, current_item(a11y)), timeout=20)
    want = places[QUESTION]

    def at_question():
        got = viewer_place(a11y)
        return got is not None and got[0] == want['page'] + 1 and abs(got[1] - want['y']) <= 2.0

    wait_for('the paper at question %d (page %d, y %.1f)' % (QUESTION, want['page'] + 1, want['y']), at_question,
             timeout=20)
    log('ok: the view stands at', viewer_place(a11y))
    desk.screenshot('question-%d' % QUESTION)

    desk.key('g')

    def guessed():
        boxes = a11y.find_all(a11y.window(size=EXAM), role='check box', name='Chute')
        return boxes and boxes[0].get_state_set().contains(a11y.Atspi.StateType.CHECKED)

    wait_for('the "Chute" box checked', guessed, timeout=10)
    desk.key('n')
    dialog = wait_for('the note dialog', lambda: question_box(a11y, ['Nota', str(QUESTION)]), timeout=10)
    check(dialog is not None, 'the note dialog names question %d' % QUESTION)
    desk.type(NOTE)
    desk.key('Return')
    wait_for('the note dialog to close', lambda: question_box(a11y, ['Nota', str(QUESTION)]) is None)

    wx, wy, ww, _ = rect
    col_x, col_y = wx + ww - 198, wy + 117
    desk.click(col_x + 1 + 96, col_y + 110 + 15, 'btFim')
    wait_for('the question about blank questions', lambda: question_box(a11y, ['branco']), timeout=20)
    desk.key('Return')
    result = wait_for('the results window', lambda: a11y.window('Zelvora', (363, None)), timeout=20)
    labels = [a.get_name() or '' for a in a11y.find_all(result, role='label')]
    check(any('chutes' in t.lower() for t in labels), 'the results show the score without the guesses')
    desk.screenshot('results')
    buttons = a11y.find_all(result, role='push button', name='Revisar')
    check(len(buttons) == 1, 'the results window has a "Revisar" button')
    bx, by, bw, bh = a11y.rect(buttons[0])
    desk.click(bx + bw // 2, by + bh // 2, 'Revisar')

    def row():
        # The review window bears the program's caption; it is the one whose
        # list names the questions with both answers (the answer card's cells
        # name them too, by their letter alone).
        for w in a11y.windows():
            for item in a11y.find_all(w, role='list item', showing=False):
                name = item.get_name() or ''
                if name.startswith('Questão %d: marcada' % QUESTION):
                    return name
        return None

    text = wait_for('question %d in the review' % QUESTION, row, timeout=20)
    check('[chute]' in text and NOTE in text, 'the review shows the guess and the note: %s' % text)
    desk.screenshot('review')
    log('PASSED')
    return 0


if __name__ == '__main__':
    sys.exit(scenario_main(__doc__, scenario, 'zelvora-questions-e2e-', ('run.log',), checker=True))
