#!/usr/bin/python3
"""Zelvora end to end: SIGTERM and SIGHUP end the program cleanly.

Sends SIGTERM and SIGHUP at random moments of the start-up and in the middle
of an exam: the program always ends with status 0 (never "Aborted" nor a
core), and the attempt of the exam it was taking is kept with its answers
and its clock. Then two windows on one home: the second is told that the
interrupted attempt is open in the other and gets an attempt of its own.

Reuses the drivers of zelvora_e2e.py and attempts_e2e.py. Exit status: 0
passed, 1 failed, 77 skipped. Run inside a D-Bus session (dbus-run-session).
"""
import os
import random
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from zelvora_e2e import (installed_copy, scenario_main, start_session, Failure, check, log, wait_for)  # noqa: E402
from attempts_e2e import (start_program, open_exam_window, choose_and_start, paper_key, radios,  # noqa: E402
                          marked, question_box, store_rows)


def ended(prog, what, timeout=20, sig=None):
    """The program ends with status 0; with sig, a signal that came before
    the program could set its handlers may also have ended it by default,
    but nothing else (no abort, no crash)."""
    try:
        prog.wait(timeout)
    except subprocess.TimeoutExpired:
        raise Failure('the program did not end after %s' % what)
    allowed = (0, -sig) if sig else (0,)
    check(prog.returncode in allowed, '%s: the program ended cleanly (status %s)' % (what, prog.returncode))


def answer(desk, a11y, rect, key, questions):
    wx, wy, ww, _ = rect
    col_x, col_y = wx + ww - 198, wy + 117
    wait_for('the answer column', lambda: radios(a11y), timeout=30)
    for q in questions:
        option = 'ABCDE'[int(key[q]) - 1]
        bx, by, bw, bh = a11y.rect(radios(a11y)[option])
        desk.click(bx + min(bw // 2, 8), by + bh // 2, 'option %s of question %d' % (option, q + 1))
        wait_for('question %d to be marked' % (q + 1), lambda: marked(a11y, q + 1), timeout=10)
        desk.xdo('mousemove', col_x + 121 + 6, col_y + 49 + 15)
        desk.click(col_x + 121 + 36, col_y + 49 + 15, 'btProxima')


def scenario(args, work, procs):
    program, data, home, xdg_data = installed_copy(args, work)
    store = os.path.join(xdg_data, 'zelvora', 'attempts.sqlite')
    _, desk, env = start_session(work, procs, args.shots, args.locale, HOME=home, XDG_DATA_HOME=xdg_data)
    rng = random.Random(int(os.environ.get('ZELVORA_E2E_SEED', time.time())))

    # 1. Start-up: the signal lands anywhere from the first moments to the
    # splash being shown.
    for n, sig in enumerate((signal.SIGTERM, signal.SIGHUP, signal.SIGTERM, signal.SIGHUP)):
        out = open(os.path.join(work, 'start-%d.log' % n), 'w')
        prog = subprocess.Popen([program], env=env, cwd=work, stdout=out, stderr=subprocess.STDOUT,
                                stdin=subprocess.DEVNULL)
        procs.append(prog)
        delay = rng.uniform(0.3, 2.0)
        time.sleep(delay)
        prog.send_signal(sig)
        ended(prog, '%s %.2f s into the start-up' % (signal.Signals(sig).name, delay), sig=sig)
        out.close()
        with open(os.path.join(work, 'start-%d.log' % n), errors='replace') as fh:
            printed = fh.read()
        check('Abort' not in printed and 'core dumped' not in printed, 'no abort in the start-up log')

    # 2. In an exam: the attempt is kept with its answers and clock.
    prog, a11y = start_program(program, env, work, procs, 'exam-term')
    rect = open_exam_window(desk, a11y)
    name = choose_and_start(desk, a11y, rect)
    key = paper_key(data, name)
    answer(desk, a11y, rect, key, [0, 1])
    time.sleep(2.5)
    prog.send_signal(signal.SIGTERM)
    ended(prog, 'SIGTERM in the exam')
    attempts, stored = store_rows(store)
    check(len(attempts) == 1 and attempts[0][1] == 0, 'the attempt is kept, unfinished')
    check(sorted(q for _, q, _ in stored) == [0, 1], 'both answers are kept')
    db = __import__('sqlite3').connect('file:%s?mode=ro' % store, uri=True)
    elapsed = db.execute('SELECT elapsed_seconds FROM attempt').fetchone()[0]
    db.close()
    check(elapsed >= 2, 'the clock was written on the way out (%d s)' % elapsed)

    # 3. Two windows: the first resumes the attempt and keeps it open; the
    # second is told so and answers in an attempt of its own.
    first, a11y1 = start_program(program, env, work, procs, 'first')
    rect1 = open_exam_window(desk, a11y1)
    choose_and_start(desk, a11y1, rect1)
    wait_for('the question to continue', lambda: question_box(a11y1, ['respondidas']), timeout=20)
    desk.key('Return')
    wait_for('the question to close', lambda: question_box(a11y1, ['respondidas']) is None)
    wait_for('the answer column', lambda: radios(a11y1), timeout=30)
    desk.screenshot('first-window')
    second, a11y2 = start_program(program, env, work, procs, 'second')
    rect2 = open_exam_window(desk, a11y2)
    choose_and_start(desk, a11y2, rect2)
    box = wait_for('the notice of the other window',
                   lambda: question_box(a11y2, ['aberta em outra janela']), timeout=20)
    check(box is not None, 'the second window is told the attempt is open elsewhere')
    desk.screenshot('second-window-told')
    desk.key('Return')
    wait_for('the notice to close', lambda: question_box(a11y2, ['aberta em outra janela']) is None)
    answer(desk, a11y2, rect2, key, [0])
    second.send_signal(signal.SIGHUP)
    ended(second, 'SIGHUP in the second window')
    first.send_signal(signal.SIGTERM)
    ended(first, 'SIGTERM in the first window')
    attempts, stored = store_rows(store)
    check(len(attempts) == 2, 'the second window made an attempt of its own')
    by_attempt = {}
    for attempt, q, _ in stored:
        by_attempt.setdefault(attempt, []).append(q)
    check(by_attempt.get(attempts[0][0]) == [0, 1] and by_attempt.get(attempts[1][0]) == [0],
          'nothing mixed: %s' % by_attempt)
    log('PASSED')
    return 0


if __name__ == '__main__':
    sys.exit(scenario_main(__doc__, scenario, 'zelvora-signals-e2e-', '*'))
