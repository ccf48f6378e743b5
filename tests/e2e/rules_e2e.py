#!/usr/bin/python3
"""Zelvora end to end: a paper scored as its board scores it.

Takes the sample paper laid out as a federal police exam (120 right/wrong
items, a basic and a specific block with minimums, one wrong item cancelling
one right one, a minimum for the whole and a cut-off) with real mouse and
keyboard events under Xvfb, answers the first 16 items (14 right, 2 wrong),
finishes, and reads from the results window the block lines, the
eliminations and the cut-off line.

Reuses the drivers of zelvora_e2e.py and attempts_e2e.py. Exit status: 0
passed, 1 failed, 77 skipped. Run inside a D-Bus session (dbus-run-session),
as CTest does.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from zelvora_e2e import (installed_copy, scenario_main, start_session, Failure, check, log, wait_for)  # noqa: E402
from attempts_e2e import EXAM, start_program, open_exam_window, paper_key, question_box, marked  # noqa: E402

PAPER = 'Agente de Polícia - Comissão Jatobá - 2021 (C/E)'

# 14 right and 2 wrong in the basic block, nothing in the specific one.
EXPECTED = [
    ('Conhecimentos Básicos (mínimo 12)', None),
    ('   14 certas, 2 erradas, líquida 12: 12 de 60 pontos', None),
    ('Conhecimentos Específicos (mínimo 18)', 'eliminado'),
    ('   0 certas, 0 erradas, líquida 0: 0 de 60 pontos', None),
    ('Total: 12 de 120 pontos (mínimo 48)', 'eliminado'),
    ('49,5 pontos abaixo da nota de corte (61,5)', None),
]


def choose_paper(desk, a11y, rect, name):
    """Picks the paper of that name in the selector and starts it."""
    wx, wy, _, _ = rect
    simul = a11y.window(size=EXAM)
    combo = min(a11y.find_all(simul, role='combo box'), key=lambda c: a11y.rect(c)[1])
    px, py, pw, ph = a11y.rect(combo)
    for steps in range(20):
        desk.click(px + pw // 2, py + ph // 2, 'the paper list')
        desk.key('Home', *(['Down'] * steps), 'Return')
        shown = wait_for('a paper to be chosen', lambda: a11y.text(combo) or combo.get_name())
        if shown == name:
            break
    else:
        raise Failure('the paper "%s" is not in the selector' % name)
    desk.click(wx + 653 + 64, wy + 80 + 18, 'btInicio')


def scenario(args, work, procs):
    program, data, home, xdg_data = installed_copy(args, work)

    _, desk, env = start_session(work, procs, args.shots, args.locale, HOME=home, XDG_DATA_HOME=xdg_data)
    prog, a11y = start_program(program, env, work, procs, 'rules')
    rect = open_exam_window(desk, a11y)
    choose_paper(desk, a11y, rect, PAPER)
    key = paper_key(data, PAPER)
    check(len(key) == 120 and set(key) <= {'C', 'E'}, 'the paper has 120 right/wrong items')

    # A right/wrong paper's options read "Certo" and "Errado"; they stand for
    # the key's C and E.
    def options():
        names = {'Certo': 'C', 'Errado': 'E', 'C': 'C', 'E': 'E'}
        found = {names[r.get_name()]: r for r in a11y.find_all(a11y.window(size=EXAM), role='radio button')
                 if r.get_name() in names}
        return found if 'C' in found and 'E' in found else None
    wait_for('the answer column', options, timeout=30)
    wx, wy, ww, _ = rect
    col_x, col_y = wx + ww - 198, wy + 117
    for q in range(16):
        given = key[q] if q < 14 else ('E' if key[q] == 'C' else 'C')
        bx, by, bw, bh = a11y.rect(options()[given])
        desk.click(bx + min(bw // 2, 8), by + bh // 2, 'option %s of question %d' % (given, q + 1))
        wait_for('question %d to be marked' % (q + 1), lambda: marked(a11y, q + 1), timeout=10)
        desk.click(col_x + 121 + 36, col_y + 49 + 15, 'btProxima')
    desk.screenshot('rules-answered')
    desk.click(col_x + 1 + 96, col_y + 110 + 15, 'btFim')
    wait_for('the question about blank questions', lambda: question_box(a11y, ['104', 'branco']), timeout=20)
    desk.key('Return')

    result = wait_for('the results window', lambda: a11y.window('Zelvora', (363, None)), timeout=20)
    desk.screenshot('rules-results')
    labels = [a.get_name() for a in a11y.find_all(result, role='label')]
    log('results window labels:', labels)
    check('16 de 120' not in labels and '14 de 120' in labels, 'the hits "14 de 120"')
    for text, alert in EXPECTED:
        check(text in labels, 'the line "%s"' % text)
        if alert:
            at = labels.index(text)
            check(at + 1 < len(labels) and labels[at + 1] == alert, '"%s" after "%s"' % (alert, text))
    check(labels.count('eliminado') == 2, 'two lines end in "eliminado"')
    check('Nota líquida (certas - erradas): 12 (14 certas - 2 erradas)' in labels, 'the net score line')
    _, ry, _, rh = a11y.rect(result)
    check(ry >= 0 and ry + rh <= 1024, 'the results window fits the screen')
    prog.terminate()
    prog.wait(10)
    log('PASSED')
    return 0


if __name__ == '__main__':
    sys.exit(scenario_main(__doc__, scenario, 'zelvora-rules-e2e-', ('rules.log',)))
